#pragma once
// What the window's accessible texts say of their attributes, for Qt's
// interfaces and the stand-ins alike.

#include <QString>

namespace averlin {

// A run of text attributes: the edits and lists show their text in one
// font, so the run at any offset is the whole text. Qt reports an empty
// run, from which a screen reader that builds its line from the runs
// leaves the last character out.
inline QString WholeTextRun(int length, int* startOffset, int* endOffset) {
  *startOffset = 0;
  *endOffset = length;
  return {};
}

}  // namespace averlin
