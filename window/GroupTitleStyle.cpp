#include "GroupTitleStyle.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QWidget>
#include <QtMath>

namespace averlin {

GroupTitleStyle::GroupTitleStyle() : QProxyStyle(QApplication::style()->name()) {}

GroupTitleStyle* GroupTitleStyle::Create(QObject* owner) {
  auto* style = new GroupTitleStyle;
  style->setParent(owner);
  return style;
}

QRect GroupTitleStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                      SubControl part, const QWidget* widget) const {
  QRect rect = QProxyStyle::subControlRect(control, option, part, widget);
  if (control == CC_GroupBox && part == SC_GroupBoxLabel && widget) {
    const QFontMetricsF line(widget->font());
    rect.setHeight(qMax(rect.height(), qCeil(line.ascent() + line.descent())));
  }
  return rect;
}

}  // namespace averlin
