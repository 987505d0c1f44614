#include "PlatformFont.h"

#include <QApplication>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QHash>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <algorithm>

#include "FieldText.h"
#include "Layout.h"
#include "WindowScaling.h"
#include "byte_conversion.h"

namespace averlin {
namespace {

using layout::Kind;

const QString kDesignedFamily = QStringLiteral("Tahoma");

// Whether Tahoma can be drawn: the system's own (Windows), or Wine's copy,
// which is installed apart from the system's fonts and so is added to the
// program's.
bool ProvideTahoma() {
  // A look at the installed families; QFontDatabase::hasFamily would also
  // run the name through fontconfig's substitution rules, which costs more
  // than the rest of the start-up's font work and is not the question.
  if (QFontDatabase::families().contains(kDesignedFamily, Qt::CaseInsensitive)) return true;
  const QString wineTahoma = QStringLiteral("/usr/share/wine/fonts/tahoma.ttf");
  return QFileInfo::exists(wineTahoma) && QFontDatabase::addApplicationFont(wineTahoma) >= 0;
}

QFont FontAt(const FontChoice& choice, int designPoints) {
  QFont font(choice.family);
  if (choice.scale == 1.0)
    font.setPointSize(designPoints);
  else
    font.setPointSizeF(designPoints * choice.scale);
  return font;
}

// What a list shows: its items in the layout, or, for the unit lists, which
// the window fills as it is created, the units.
QStringList ListItems(const layout::Control& c) {
  if (!c.text.isEmpty()) return c.text.split(QLatin1Char('|'));
  QStringList units;
  for (const ConvType& unit : ConvUnits) units << FieldText(unit.Name);
  return units;
}

// The room that a label whose width follows its text may take without
// running under another control: from its fixed edge to the nearest
// control beside it. A control that shares less than half the label's
// height lies above or below it (a bit box under its position label).
QRect LabelRoom(const layout::Control& label, const QRect& rect, const QHash<QString, QRect>& siblings) {
  const bool keepsRight = label.kind == Kind::PositionLabel;
  int near = keepsRight ? 0 : siblings.value(QStringLiteral("parent:") + label.parent).width();
  for (auto it = siblings.cbegin(); it != siblings.cend(); ++it) {
    const QRect& other = it.value();
    if (it.key().startsWith(QLatin1String("parent:")) || other == rect) continue;
    if (std::min(rect.bottom(), other.bottom()) - std::max(rect.top(), other.top()) + 1 <= rect.height() / 2)
      continue;
    if (keepsRight && other.right() < rect.right()) near = std::max(near, other.right() + 1);
    if (!keepsRight && other.left() > rect.left()) near = std::min(near, other.left());
  }
  return keepsRight ? QRect(QPoint(near, rect.top()), rect.bottomRight())
                    : QRect(rect.topLeft(), QPoint(near - 1, rect.bottom()));
}

// Whether every text of the layout fits where the style draws it, with the
// window's font FONT and every control scaled by m / d.
bool CaptionsFit(const QFont& font, int m, int d) {
  QStyle* style = QApplication::style();
  const QFontMetrics metrics(font);
  const std::vector<layout::Control>& rows = layout::Controls();
  // Each parent's controls by name, and the parent itself under "parent:".
  QHash<QString, QHash<QString, QRect>> byParent;
  for (const layout::Control& c : rows) {
    if (c.geometry.isNull()) continue;  // never shown
    const QRect rect = ScaledGeometry(c.geometry, m, d);
    byParent[c.parent].insert(c.name, rect);
    byParent[c.name].insert(QStringLiteral("parent:") + c.name, rect);
  }
  const auto fits = [&metrics](const QRect& room, Qt::Alignment alignment, const QString& text,
                               int flags = 0) {
    return room.contains(metrics.boundingRect(room, static_cast<int>(alignment.toInt()) | flags, text));
  };
  for (const layout::Control& c : rows) {
    if (c.geometry.isNull()) continue;
    const QRect rect = ScaledGeometry(c.geometry, m, d);
    bool fit = true;
    switch (c.kind) {
      case Kind::Label:
      case Kind::PositionLabel:
        fit = fits(LabelRoom(c, rect, byParent[c.parent]),
                   (c.kind == Kind::PositionLabel ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop, c.text);
        break;
      case Kind::WrappedLabel:
        fit = fits(rect, Qt::AlignLeft | Qt::AlignTop, c.text, Qt::TextWordWrap);
        break;
      case Kind::PushButton:
      case Kind::CheckBox: {
        QStyleOptionButton option;
        option.rect = rect;
        option.fontMetrics = metrics;
        option.text = c.text;
        const bool box = c.kind == Kind::CheckBox;
        if (box) option.direction = Qt::RightToLeft;  // the caption stands left of the box
        const QRect room =
            style->subElementRect(box ? QStyle::SE_CheckBoxContents : QStyle::SE_PushButtonContents, &option);
        fit = fits(room, Qt::AlignVCenter | (box ? Qt::AlignLeft : Qt::AlignHCenter), c.text);
        break;
      }
      case Kind::ComboBox: {
        QStyleOptionComboBox option;
        option.rect = rect;
        option.fontMetrics = metrics;
        const QRect room = style->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField);
        const QStringList items = ListItems(c);
        fit = std::all_of(items.begin(), items.end(), [&](const QString& item) {
          return fits(room, Qt::AlignLeft | Qt::AlignVCenter, item);
        });
        break;
      }
      default: break;  // group titles take the room their text needs; the rest shows no caption
    }
    if (!fit) return false;
  }
  return true;
}

FontChoice Choose() {
  if (ProvideTahoma()) return {kDesignedFamily, 1.0};
  // The family that fontconfig (or the system) draws for Tahoma: its
  // closest match among the installed ones.
  FontChoice choice{QFontInfo(QFont(kDesignedFamily)).family(), 1.0};
  // Steps of 1/40 of the size, down to 3/5 of it; at every step both
  // Large Font's size and the designed one must fit.
  constexpr int kSteps = 16;
  for (int step = 0; step <= kSteps; ++step) {
    choice.scale = 1.0 - step / 40.0;
    if (CaptionsFit(FontAt(choice, kDesignedPointSize), 1, 1) &&
        CaptionsFit(FontAt(choice, ScaleRounded(kDesignedPointSize, kLargeFontUp, kScaleBase)), kLargeFontUp,
                    kScaleBase))
      break;
  }
  return choice;
}

}  // namespace

const FontChoice& ChosenFont() {
  static const FontChoice choice = Choose();
  return choice;
}

QFont WindowFont(int designPoints) { return FontAt(ChosenFont(), designPoints); }

int DesignPointSize(const QFont& windowFont) { return qRound(windowFont.pointSizeF() / ChosenFont().scale); }

}  // namespace averlin
