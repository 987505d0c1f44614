// A megabyte pasted into each edit: digits, zeros, dots, hexadecimal letters
// and garbage. A text that must be refused changes nothing, one that is
// accepted takes effect, and the next ordinary edit still works. Prints the
// time each paste took; AVERLIN_HOSTILE_BYTES sets the size of the texts.

#include <QClipboard>
#include <QElapsedTimer>
#include <random>
#include <tuple>

#include "UpDown.h"
#include "WindowDriver.h"
#include "number_text.h"

namespace {

const QString kA1 = QStringLiteral("Accu1");
const QString kA2 = QStringLiteral("Accu2");
const QString kShiftCount = QStringLiteral("BitOp_NumBits");
const QString kConverterInput = QStringLiteral("Conv_CE_Input");
// The state every case starts from.
constexpr quint32 kA1Value = 0x2A;
constexpr quint32 kA2Value = 0x15;
constexpr int kShiftCountValue = 5;
const QString kConverterAmount = QStringLiteral("2048");
const QString kConverterShows = QStringLiteral("2048.00");  // Byte to Byte

const QStringList kFields = {"Edit_Accu1Hex", "Edit_Accu1Dec", "Edit_Accu1Net", "Edit_Accu2Hex",
                             "Edit_Accu2Dec", "Edit_Accu2Net", kShiftCount,     kConverterInput};
const QStringList kKinds = {"digits",      "zeros",   "zeros then 7",       "dots",
                            "hex letters", "garbage", "digits with a point"};

// The pastes that are not refused, and what they do: the register's new
// decimal value, the shift count's text (or "report"), or the conversion
// output.
struct Accepted {
  const char* field;
  const char* kind;
  const char* effect;
};
constexpr Accepted kAccepted[] = {
    {"Edit_Accu1Dec", "zeros", "0"},
    {"Edit_Accu1Dec", "zeros then 7", "7"},
    {"Edit_Accu2Dec", "zeros", "0"},
    {"Edit_Accu2Dec", "zeros then 7", "7"},
    {"BitOp_NumBits", "digits", "report"},
    {"BitOp_NumBits", "zeros", "0"},  // written back as 0; the spinner stays at its minimum, 1
    {"BitOp_NumBits", "zeros then 7", "7"},
    {"Conv_CE_Input", "digits", "Out of range"},
    {"Conv_CE_Input", "zeros", "0.00"},
    {"Conv_CE_Input", "zeros then 7", "7.00"},
    {"Conv_CE_Input", "digits with a point", "Out of range"},
};

QString HostileText(const QString& kind, qsizetype size) {
  const auto repeated = [size](const QString& unit) {
    return unit.repeated(size / unit.size() + 1).left(size);
  };
  if (kind == QLatin1String("digits")) return repeated(QStringLiteral("1234567890"));
  if (kind == QLatin1String("zeros")) return QString(size, QLatin1Char('0'));
  if (kind == QLatin1String("zeros then 7")) return QString(size - 1, QLatin1Char('0')) + QLatin1Char('7');
  if (kind == QLatin1String("dots")) return QString(size, QLatin1Char('.'));
  if (kind == QLatin1String("hex letters")) return repeated(QStringLiteral("abcdefABCDEF"));
  if (kind == QLatin1String("digits with a point")) {
    QString text = repeated(QStringLiteral("9876543210"));
    text[size / 2] = QLatin1Char('.');
    return text;
  }
  // Garbage: printable ASCII, controls and letters beyond it.
  static const QString extra = QStringLiteral("\t\u00e9\u00df\uFB00\u0663\uFF11\u20AC");
  std::mt19937 random(7);
  QString text(size, Qt::Uninitialized);
  for (QChar& c : text) {
    const unsigned r = random() % (0x5F + static_cast<unsigned>(extra.size()));
    c = r < 0x5F ? QChar(0x20 + r) : extra[r - 0x5F];
  }
  return text;
}

double Milliseconds(const QElapsedTimer& clock) { return clock.nsecsElapsed() / 1e6; }

}  // namespace

class HostileInputTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase();
  void init();
  void cleanupTestCase() { d.reset(); }
  void megabytePaste_data();
  void megabytePaste();
  void foreignLettersNeverBecomeHexDigits();

 private:
  // The three texts of a register, and those of a value at 32 bits unsigned.
  QString views(const QString& reg) const { return d->hex(reg) + ' ' + d->dec(reg) + ' ' + d->net(reg); }
  static QString viewsOf(quint32 value) {
    return shown(value, "Hex") + ' ' + shown(value, "Dec") + ' ' + shown(value, "Net");
  }
  static QString shown(quint32 value, const QString& view) {
    return QString::fromStdString(view == QLatin1String("Hex")   ? averlin::FormatHex(value)
                                  : view == QLatin1String("Dec") ? averlin::FormatDec(value, {})
                                                                 : averlin::FormatNet(value));
  }
  std::unique_ptr<WindowDriver> d;
  qsizetype size_ = 1 << 20;
};

void HostileInputTest::initTestCase() {
  if (qEnvironmentVariableIsSet("AVERLIN_HOSTILE_BYTES"))
    size_ = qEnvironmentVariableIntValue("AVERLIN_HOSTILE_BYTES");
  QVERIFY(size_ >= 100);
  qInfo("hostile input: pastes of %lld characters", static_cast<long long>(size_));
  d = std::make_unique<WindowDriver>();
  // What a bare edit of the same font takes for each paste, to weigh the
  // figures below against.
  QLineEdit plain(&d->window());
  plain.setMaxLength(std::numeric_limits<int>::max());
  for (const QString& kind : kKinds) {
    const QString text = HostileText(kind, size_);
    plain.clear();
    QElapsedTimer clock;
    clock.start();
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(&plain, Qt::Key_V, Qt::ControlModifier);
    qInfo("hostile input: %-20s into a bare QLineEdit: paste %7.1f ms", qPrintable(kind),
          Milliseconds(clock));
  }
  // Byte to Byte, so that an amount shows as itself.
  QTest::keyClick(d->find<QComboBox>("Conv_CE_Target"), Qt::Key_Home);
}

void HostileInputTest::init() {
  d->setRegister(kA1, QString::number(kA1Value, 16));
  d->setRegister(kA2, QString::number(kA2Value, 16));
  d->typeOver(kShiftCount, QString::number(kShiftCountValue));
  d->typeOver(kConverterInput, kConverterAmount);
  QCOMPARE(views(kA1), viewsOf(kA1Value));
  QCOMPARE(d->edit("Conv_CE_Output")->text(), kConverterShows);
}

void HostileInputTest::megabytePaste_data() {
  QTest::addColumn<QString>("field");
  QTest::addColumn<QString>("kind");
  QTest::addColumn<QString>("effect");  // empty: refused
  for (const QString& field : kFields) {
    for (const QString& kind : kKinds) {
      QString effect;
      for (const Accepted& a : kAccepted)
        if (field == QLatin1String(a.field) && kind == QLatin1String(a.kind)) effect = a.effect;
      QTest::addRow("%s %s", qPrintable(field), qPrintable(kind)) << field << kind << effect;
    }
  }
}

void HostileInputTest::megabytePaste() {
  QFETCH(QString, field);
  QFETCH(QString, kind);
  QFETCH(QString, effect);
  const QString text = HostileText(kind, size_);
  const auto* spinner = d->find<averlin::UpDown>("BitOp_NumBitsUpDown");

  d->key(field, Qt::Key_A, Qt::ControlModifier);
  QElapsedTimer clock;
  double pasteTime = 0;
  const QString report = d->errorReportOf([&] {
    clock.start();
    d->paste(field, text);
    pasteTime = Milliseconds(clock);
  });
  clock.start();
  d->window().repaint();
  const double paintTime = Milliseconds(clock);

  // What the paste must have done, field by field.
  const bool refused = effect.isEmpty();
  const bool inA1 = field.startsWith("Edit_Accu1");
  const bool inA2 = field.startsWith("Edit_Accu2");
  const quint32 a1 = inA1 && !refused ? effect.toUInt() : kA1Value;
  const quint32 a2 = inA2 && !refused ? effect.toUInt() : kA2Value;
  QCOMPARE(d->bits(kA1), a1);
  QCOMPARE(d->bits(kA2), a2);
  for (const auto& [reg, value, pasted] : {std::tuple{kA1, a1, inA1}, std::tuple{kA2, a2, inA2}}) {
    if (pasted && refused) {
      // The field keeps the pasted text (a hexadecimal field upper-cased);
      // the other two views keep the value.
      QCOMPARE(d->edit(field)->text().compare(text, Qt::CaseInsensitive), 0);
      for (const QString view : {"Hex", "Dec", "Net"})
        if (!field.endsWith(view)) QCOMPARE(d->edit("Edit_" + reg + view)->text(), shown(value, view));
    } else {
      QCOMPARE(views(reg), viewsOf(value));
    }
  }
  if (field == kShiftCount && effect == QLatin1String("report")) {
    QCOMPARE(report, "'" + text.left(61) + "...' is not a valid integer value.");
    QCOMPARE(spinner->Position(), kShiftCountValue);
    QCOMPARE(d->edit(kShiftCount)->text(), text);
  } else {
    QCOMPARE(report, QString());
    const bool counted = field == kShiftCount && !refused;
    QCOMPARE(spinner->Position(), counted ? std::max(effect.toInt(), 1) : kShiftCountValue);
    QCOMPARE(d->edit(kShiftCount)->text(), counted                ? effect
                                           : field == kShiftCount ? text
                                                                  : QString::number(kShiftCountValue));
  }
  const bool converted = field == kConverterInput && !refused;
  QCOMPARE(d->edit("Conv_CE_Output")->text(), converted ? effect : kConverterShows);

  // The next ordinary edit of the same field takes effect at once.
  clock.start();
  if (field == kShiftCount) {
    d->typeOver(field, "3");
    QCOMPARE(spinner->Position(), 3);
  } else if (field == kConverterInput) {
    d->typeOver(field, "4096");
    QCOMPARE(d->edit("Conv_CE_Output")->text(), QStringLiteral("4096.00"));
  } else {
    d->typeOver(field, field.endsWith("Net") ? "0.0.0.60" : field.endsWith("Hex") ? "3C" : "60");
    QCOMPARE(views(inA1 ? kA1 : kA2), viewsOf(60));
  }
  const double nextEditTime = Milliseconds(clock);
  qInfo("hostile input: %-20s into %-14s paste %7.1f ms%s, repaint %6.1f ms, next edit %6.1f ms",
        qPrintable(kind), qPrintable(field), pasteTime, report.isEmpty() ? "" : " (with its report)",
        paintTime, nextEditTime);
}

void HostileInputTest::foreignLettersNeverBecomeHexDigits() {
  // Letters whose capitals are several characters: the ligature ff, sharp s.
  for (const QString letters : {"\uFB00", "\u00DF", "1\uFB00"}) {
    d->key("Edit_Accu1Hex", Qt::Key_A, Qt::ControlModifier);
    d->paste("Edit_Accu1Hex", letters);
    QCOMPARE(d->edit("Edit_Accu1Hex")->text(), letters);
    QCOMPARE(d->bits(kA1), kA1Value);
    init();
  }
  // Other letters are upper-cased each on its own, and refused.
  d->key("Edit_Accu1Hex", Qt::Key_A, Qt::ControlModifier);
  d->paste("Edit_Accu1Hex", "\u00e9f\u00df");
  QCOMPARE(d->edit("Edit_Accu1Hex")->text(), QStringLiteral("\u00c9F\u00df"));
  QCOMPARE(d->bits(kA1), kA1Value);
}

QTEST_MAIN(HostileInputTest)
#include "tst_hostile_input.moc"
