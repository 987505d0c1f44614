#pragma once
// The application-wide set-up that the program does before it creates its
// window, apart so that the start-up benchmark can measure each step.

#include <QIcon>

namespace averlin {

// The window is drawn in Tahoma. Where the system has no Tahoma of its own,
// Wine's metric-compatible one (Debian's fonts-wine) is used when present,
// so that every caption fits its control.
void ProvideTahoma();

// The program's icon, in every size rendered from its SVG at build time.
QIcon ApplicationIcon();

}  // namespace averlin
