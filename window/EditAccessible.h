#pragma once
// What assistive technology finds in the window's edits. Qt's own
// accessible line edit carries out every text change that an assistive
// client asks for, read-only or not, so a screen reader's tools could make
// a view of R show a number that R does not hold. The interface installed
// here reads like Qt's (text, caret, selection, character places), writes
// like it into an editable edit, and refuses every change of a read-only
// one.

namespace averlin {

// Makes every QLineEdit answer assistive technology through that
// interface. Call once the application object exists and before the edits
// are made: Qt asks for an edit's interface as the edit is made, before it
// can be set read-only, so the interface looks at the edit's read-only
// state at each write. Calling it again does nothing.
void InstallEditAccessible();

}  // namespace averlin
