#pragma once
// The font the window is drawn in, decided once for the run by what the
// system's fonts measure. The layout is drawn for Tahoma 8 pt: where the
// system has Tahoma, or Wine's metric-compatible copy (Debian's fonts-wine)
// is installed, the window is drawn in it as designed. Elsewhere it is drawn
// in the family the system gives for Tahoma, at the largest size up to the
// designed one at which every caption, list item and label fits where the
// style draws it, at the designed size and with Large Font; places and
// sizes stay as designed.

#include <QFont>
#include <QString>

namespace averlin {

// The window's designed point size.
inline constexpr int kDesignedPointSize = 8;

struct FontChoice {
  QString family;
  // The drawn size over the designed one: 1 for Tahoma, less for a family
  // whose captions would not fit at the designed size.
  qreal scale = 1.0;
};
const FontChoice& ChosenFont();

// The window's font at a point size of the design: 8, or 10 with Large Font.
QFont WindowFont(int designPoints = kDesignedPointSize);
// The design point size of a font that WindowFont made.
int DesignPointSize(const QFont& windowFont);

}  // namespace averlin
