// On a denser screen the whole window, text included, is drawn larger by
// the screen's density over 96 pixels per inch, and every caption still fits
// its control. The density comes from the desktop, named in
// AVERLIN_SCREEN_DPI: Xft.dpi on the X server, as GNOME and KDE set it for
// X11 programs (scripts/xserver.py --dpi N), or Windows' display settings
// (scripts/wine.sh --dpi N); or else from QT_SCALE_FACTOR 1.5. The font is
// whatever the system offers: Tahoma, or another family alone
// (tests/window/with-font.sh).

#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QProxyStyle>
#include <QScreen>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>

#include "PlatformFont.h"
#include "WindowDriver.h"

class DensityTest : public QObject {
  Q_OBJECT
 public:
  explicit DensityTest(int dpi) : dpi_(dpi) {}

 private slots:
  void windowScalesWithTheScreen();
  void everyCaptionFitsItsControl();

 private:
  int dpi_;
};

void DensityTest::windowScalesWithTheScreen() {
  WindowDriver d;
  const qreal ratio = d.window().devicePixelRatioF();
  QCOMPARE(ratio, dpi_ / 96.0);
  // The layout and the 8-point text, 11 pixels high in Tahoma and no
  // higher in another family, keep their design in device-independent
  // pixels...
  QCOMPARE(d.window().size(), QSize(584, 465));
  QCOMPARE(d.find("GroupBox_Accu1")->geometry().topLeft(), QPoint(4, 4));
  QCOMPARE(averlin::DesignPointSize(d.window().font()), 8);
  const int pixels = QFontInfo(d.window().font()).pixelSize();
  QVERIFY2(averlin::ChosenFont().scale == 1.0 ? pixels == 11 : pixels <= 11,
           qPrintable(QString::number(pixels)));
  // ...which the screen shows larger by the ratio: the window as the X
  // server holds it, and the ink of a label drawn there.
  const QPixmap shown = d.window().screen()->grabWindow(d.window().winId());
  QCOMPARE(shown.size(), QSize(qRound(584 * ratio), qRound(465 * ratio)));
  QLabel* label = d.find<QLabel>("Label_Accu1Hex");
  const QRect onScreen(label->mapTo(&d.window(), QPoint(0, 0)) * ratio, label->size() * ratio);
  const auto inkRows = [](const QImage& image, const QRect& area) {
    int rows = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
      bool ink = false;
      for (int x = area.left(); x <= area.right(); ++x) ink = ink || qGray(image.pixel(x, y)) < 100;
      rows += ink ? 1 : 0;
    }
    return rows;
  };
  // The same text drawn alone at the screen's ratio, in black on white.
  QImage alone(onScreen.size(), QImage::Format_RGB32);
  alone.setDevicePixelRatio(ratio);
  alone.fill(Qt::white);
  {
    QPainter painter(&alone);
    painter.setFont(label->font());
    painter.drawText(label->contentsRect(), int(label->alignment()), label->text());
  }
  const int expected = inkRows(alone, alone.rect());
  QVERIFY(expected > 0);
  // Once the window has drawn its text.
  const auto shownRows = [&] {
    return inkRows(d.window().screen()->grabWindow(d.window().winId()).toImage(), onScreen);
  };
  QTRY_VERIFY2(
      qAbs(shownRows() - expected) <= 1,
      qPrintable(
          QStringLiteral("%1 rows of ink where the text alone has %2").arg(shownRows()).arg(expected)));
}

// The style of the window with more room below a group box's title.
class TallTitleStyle : public QProxyStyle {
 public:
  QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                       const QWidget* widget) const override {
    QRect rect = QProxyStyle::subControlRect(control, option, part, widget);
    if (control == CC_GroupBox && part == SC_GroupBoxLabel) rect.setHeight(2 * rect.height());
    return rect;
  }
};

// The bounds of what a widget draws in AREA in its text colour, in pixels
// of AREA as the screen shows them: where it differs from itself with its
// text in the background's colour.
QRect InkOf(QWidget* w, const QRect& area = {}) {
  const QImage shown = w->grab(area.isNull() ? w->rect() : area).toImage();
  const QPalette kept = w->palette();
  QPalette blank = kept;
  blank.setColor(QPalette::WindowText, blank.color(QPalette::Window));
  w->setPalette(blank);
  const QImage background = w->grab(area.isNull() ? w->rect() : area).toImage();
  w->setPalette(kept);
  QRect ink;
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x)
      if (shown.pixel(x, y) != background.pixel(x, y)) ink |= QRect(x, y, 1, 1);
  return ink;
}

// How deep a group box's title reaches into AREA, in rows of pixels as the
// screen shows them, when drawn in STYLE.
int TitleDepth(const QGroupBox* group, QStyle* style, const QRect& area) {
  QGroupBox copy(group->title(), group->parentWidget());
  copy.setStyle(style);
  copy.setFont(group->font());
  copy.setGeometry(group->geometry());
  return InkOf(&copy, area).bottom() + 1;
}

// Each caption's ink lies inside the part of its control that the style
// gives to text, at the designed size and with Large Font.
void DensityTest::everyCaptionFitsItsControl() {
  WindowDriver d;
  for (int round = 0; round < 2; ++round) {
    QStringList clipped;
    const auto check = [&clipped](QWidget* w, const QString& text, const QRect& room, int flags) {
      // A trailing space (" Result ") takes room but draws nothing.
      qsizetype end = text.size();
      while (end > 0 && text[end - 1] == QLatin1Char(' ')) --end;
      const QRect ink = QFontMetrics(w->font()).boundingRect(room, flags, text.left(end));
      if (!room.contains(ink))
        clipped << QStringLiteral("%1 \"%2\": %3 outside %4")
                       .arg(w->objectName(), text)
                       .arg(QDebug::toString(ink), QDebug::toString(room));
    };
    for (QWidget* w : d.window().findChildren<QWidget*>()) {
      if (!w->isVisible()) continue;
      QStyle* style = w->style();
      if (auto* label = qobject_cast<QLabel*>(w)) {
        check(w, label->text(), label->contentsRect(),
              int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0));
        // No text runs under another control.
        const qreal ratio = label->devicePixelRatioF();
        const QRect shown = InkOf(label);
        const QRect ink = QRectF(QPointF(shown.topLeft()) / ratio, QSizeF(shown.size()) / ratio)
                              .toAlignedRect()
                              .translated(label->pos());
        for (QWidget* other : label->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
          if (other != label && other->isVisible() && other->geometry().intersects(ink))
            clipped << QStringLiteral("%1 \"%2\": ink %3 under %4")
                           .arg(w->objectName(), label->text(), QDebug::toString(ink), other->objectName());
      } else if (auto* button = qobject_cast<QAbstractButton*>(w); button && !button->text().isEmpty()) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const bool box = qobject_cast<QCheckBox*>(w);
        const QRect room = style->subElementRect(
            box ? QStyle::SE_CheckBoxContents : QStyle::SE_PushButtonContents, &option, button);
        check(w, button->text(), room, Qt::AlignVCenter | (box ? Qt::AlignLeft : Qt::AlignHCenter));
      } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
        QStyleOptionGroupBox option;
        option.initFrom(group);
        option.text = group->title();
        option.subControls = QStyle::SC_GroupBoxLabel;
        const QRect room =
            style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group) &
            group->rect();
        // A title sits on the box's top edge, in a room as high as the
        // font's rounded line. With fractional metrics (Windows) the line
        // as laid out is taller, and the font's outer bounds too: what
        // must not be cut is the ink.
        // The title is clipped to that room: it must reach as deep as in a
        // box whose style gives it twice the room.
        TallTitleStyle tall;
        const int shown = TitleDepth(group, style, room);
        const int whole = TitleDepth(group, &tall, room.adjusted(0, 0, 0, room.height()));
        if (shown != whole)
          clipped << QStringLiteral("%1 \"%2\": %3 rows of ink shown of %4")
                         .arg(w->objectName(), group->title())
                         .arg(shown)
                         .arg(whole);
      } else if (auto* list = qobject_cast<QComboBox*>(w)) {
        QStyleOptionComboBox option;
        option.initFrom(list);
        const QRect room =
            style->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list);
        for (int i = 0; i < list->count(); ++i)
          check(w, list->itemText(i), room, Qt::AlignLeft | Qt::AlignVCenter);
      }
    }
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1String("\n"))));
    // Large Font scales every font by 125 %.
    QCOMPARE(averlin::DesignPointSize(d.window().font()), round == 0 ? 8 : 10);
    d.click("CheckBox2");
  }
}

int main(int argc, char* argv[]) {
  const int screenDpi = qEnvironmentVariableIntValue("AVERLIN_SCREEN_DPI");
  if (!screenDpi) qputenv("QT_SCALE_FACTOR", "1.5");
  QApplication app(argc, argv);
  qInfo("The window is drawn in %s at %.3f of its designed size", qPrintable(averlin::ChosenFont().family),
        averlin::ChosenFont().scale);
  DensityTest test(screenDpi ? screenDpi : 144);
  return QTest::qExec(&test, argc, argv);
}
#include "tst_density.moc"
