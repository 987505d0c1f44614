#pragma once
// The style of the window's group boxes: the window's own style, with room
// for the whole of each title.

#include <QProxyStyle>

namespace averlin {

// Qt's styles give a group box's title a room as high as the font's line
// rounded to whole pixels (QFontMetrics::height()) and clip the title to
// it. Where a font's metrics are fractional, as DirectWrite's are on
// Windows, the line as laid out is taller than that, and the lowest row of
// a descender is cut on a denser screen. Here the room is as tall as the
// laid-out line; with metrics in whole pixels (FreeType on Linux) nothing
// changes.
class GroupTitleStyle : public QProxyStyle {
 public:
  // A style based on the application's, which belongs to owner.
  static GroupTitleStyle* Create(QObject* owner);

  QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                       const QWidget* widget) const override;

 private:
  GroupTitleStyle();
};

}  // namespace averlin
