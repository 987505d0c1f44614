#pragma once
// The application-wide set-up that the program does before it creates its
// window, apart so that the start-up benchmark can measure it.

#include <QIcon>

namespace averlin {

// The program's icon, in every size rendered from its SVG at build time.
QIcon ApplicationIcon();

}  // namespace averlin
