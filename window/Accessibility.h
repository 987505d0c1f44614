#pragma once
// The window's own accessible interfaces, for the controls where what Qt
// tells assistive technology is wrong or too little.
//
// Edits. Qt's accessible line edit carries out every text change that an
// assistive client asks for, read-only or not, so a screen reader's tools
// could make a view of R show a number that R does not hold. Ours reads
// like Qt's (text, caret, selection, character places), writes like it
// into an editable edit, and refuses every change of a read-only one, which
// offers no editable text.
//
// The drop-down lists and the announcements before Qt 6.8: see
// AccessibleStandIns.h.
//
// The shift-count spinner. To Qt it is a plain widget holding two arrow
// buttons that take no focus and tell no value. Ours is a spin button with
// the shift count as its value and the word's shift counts as its range;
// the arrows, which do no more than the value does, are left out. The edit
// it steps is a spin button with the same value, where the steps are heard.

#include <QList>
#include <QString>

namespace averlin {

// Makes every QLineEdit, QComboBox and UpDown answer assistive technology
// through these interfaces. Call once the application object exists and
// before the controls are made: Qt asks for an edit's interface as the
// edit is made, before it can be set read-only, so the edit's interface
// looks at the read-only state at each write. Calling it again does
// nothing.
void InstallAccessibleInterfaces();

// What a screen reader hears of the registers an operation wrote, each as
// its views show it: "Result: 255, hexadecimal FF".
struct RegisterShown {
  QString name;
  QString dec;
  QString hex;
};
QString WrittenRegistersMessage(const QList<RegisterShown>& written);

}  // namespace averlin
