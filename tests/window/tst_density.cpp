// On a denser screen the whole window, text included, is drawn larger by
// the screen's density over 96 pixels per inch, and every caption still fits
// its control. The density comes from the desktop, named in
// AVERLIN_SCREEN_DPI: Xft.dpi on the X server, as GNOME and KDE set it for
// X11 programs (scripts/xserver.py --dpi N), or Windows' display settings
// (scripts/wine.sh --dpi N); or else from QT_SCALE_FACTOR 1.5.

#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QProxyStyle>
#include <QScreen>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>

#include "Startup.h"
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
  // The layout and the 8-point text, 11 pixels high, keep their design in
  // device-independent pixels...
  QCOMPARE(d.window().size(), QSize(584, 465));
  QCOMPARE(d.find("GroupBox_Accu1")->geometry().topLeft(), QPoint(4, 4));
  QCOMPARE(d.window().font().pointSize(), 8);
  QCOMPARE(QFontInfo(d.window().font()).pixelSize(), 11);
  // ...which the screen shows larger by the ratio: the window as the X
  // server holds it, and the ink of a capital drawn there.
  const QPixmap shown = d.window().screen()->grabWindow(d.window().winId());
  QCOMPARE(shown.size(), QSize(qRound(584 * ratio), qRound(465 * ratio)));
  QLabel* label = d.find<QLabel>("Label_Accu1Hex");
  const QRect onScreen(label->mapTo(&d.window(), QPoint(0, 0)) * ratio, label->size() * ratio);
  const auto inkRows = [&d, &onScreen] {
    const QImage shown = d.window().screen()->grabWindow(d.window().winId()).toImage();
    int rows = 0;
    for (int y = onScreen.top(); y <= onScreen.bottom(); ++y) {
      bool ink = false;
      for (int x = onScreen.left(); x <= onScreen.right(); ++x) ink = ink || qGray(shown.pixel(x, y)) < 100;
      rows += ink ? 1 : 0;
    }
    return rows;
  };
  // Once the window has drawn its text.
  const qreal capital = QFontMetricsF(label->font()).capHeight() * ratio;
  QTRY_VERIFY2(
      qAbs(inkRows() - capital) <= 1,
      qPrintable(QStringLiteral("%1 rows of ink for a capital of %2 pixels").arg(inkRows()).arg(capital)));
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

// How deep a group box's title reaches into AREA, in rows of pixels as the
// screen shows them, when drawn in STYLE: the lowest row where a copy of
// the box differs from itself with its text in the background's colour.
int TitleDepth(const QGroupBox* group, QStyle* style, const QRect& area) {
  QGroupBox copy(group->title(), group->parentWidget());
  copy.setStyle(style);
  copy.setFont(group->font());
  copy.setGeometry(group->geometry());
  const QImage shown = copy.grab(area).toImage();
  QPalette blank = copy.palette();
  blank.setColor(QPalette::WindowText, blank.color(QPalette::Window));
  copy.setPalette(blank);
  const QImage background = copy.grab(area).toImage();
  for (int y = shown.height() - 1; y >= 0; --y)
    for (int x = 0; x < shown.width(); ++x)
      if (shown.pixel(x, y) != background.pixel(x, y)) return y + 1;
  return 0;
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
    QCOMPARE(d.window().font().pointSize(), round == 0 ? 8 : 10);
    d.click("CheckBox2");
  }
}

int main(int argc, char* argv[]) {
  const int screenDpi = qEnvironmentVariableIntValue("AVERLIN_SCREEN_DPI");
  if (!screenDpi) qputenv("QT_SCALE_FACTOR", "1.5");
  QApplication app(argc, argv);
  averlin::ProvideTahoma();  // as the program does, so the captions are measured in its font
  DensityTest test(screenDpi ? screenDpi : 144);
  return QTest::qExec(&test, argc, argv);
}
#include "tst_density.moc"
