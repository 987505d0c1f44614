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
// The drop-down lists, where Qt does not tell their current item to a
// screen reader (before Qt 6.8): ours give it as their text.
//
// The shift-count spinner. To Qt it is a plain widget holding two arrow
// buttons that take no focus and tell no value. Ours is a spin button with
// the shift count as its value and the word's shift counts as its range;
// the arrows, which do no more than the value does, are left out. The edit
// it steps is a spin button with the same value, where the steps are heard.

class QString;
class QWidget;

namespace averlin {

// Makes every QLineEdit, QComboBox and UpDown answer assistive technology
// through these interfaces. Call once the application object exists and
// before the controls are made: Qt asks for an edit's interface as the
// edit is made, before it can be set read-only, so the edit's interface
// looks at the read-only state at each write. Calling it again does
// nothing.
void InstallAccessibleInterfaces();

// Tells assistive technology what the user's last action changed, without
// moving the focus: a screen reader speaks the message as it comes. For
// what the user did, never for the program's own writes.
void Announce(QWidget* window, const QString& message);

}  // namespace averlin
