#pragma once
// How the program names itself to the user and to the desktop.

#include <QString>

namespace averlin {

inline const QString kApplicationTitle = QStringLiteral("Averlin");
// The launcher entry's name, by which the desktop matches the window to its
// entry and icon.
inline const QString kDesktopFileName = QStringLiteral("org.averlin.Averlin");

}  // namespace averlin
