// A long seeded run of random user actions on the window. After every
// action each register's four views must agree with the value its bit boxes
// hold, the boxes must follow the word length, the shift count must stay in
// range, the conversion output must follow its input, and the view-update
// hold must be down.
//
// AVERLIN_SOAK_SEED (a number, or "random") and AVERLIN_SOAK_ACTIONS choose
// the run. A failure names the seed and the action, so that the same run can
// be replayed up to it.

#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QToolButton>
#include <array>
#include <deque>
#include <optional>
#include <random>
#include <set>
#include <vector>

#include "FieldText.h"
#include "Layout.h"
#include "UpDown.h"
#include "WindowDriver.h"
#include "byte_conversion.h"
#include "errors.h"
#include "number_text.h"
#include "operations.h"
#include "register_entry.h"

using namespace averlin;

namespace {

const std::array<QString, 3> kRegisters = {QStringLiteral("Accu1"), QStringLiteral("Accu2"),
                                           QStringLiteral("Result")};

// The operation a button's handler runs; none for the other handlers. A new
// handler leaves this switch incomplete, which the build refuses.
std::optional<Operation> OperationOf(layout::Handler handler) {
  using H = layout::Handler;
  switch (handler) {
    case H::btn_ADDClick: return Operation::Add;
    case H::btn_SUBTRClick: return Operation::Subtract;
    case H::btn_MULTClick: return Operation::Multiply;
    case H::btn_DIVClick: return Operation::Divide;
    case H::btn_ANDClick: return Operation::And;
    case H::btn_ORClick: return Operation::Or;
    case H::btn_XORClick: return Operation::Xor;
    case H::btn_NOTClick: return Operation::Not;
    case H::btn_NANDClick: return Operation::Nand;
    case H::btn_NORClick: return Operation::Nor;
    case H::btn_XNORClick: return Operation::Xnor;
    case H::btn_SHLClick: return Operation::ShiftLeft;
    case H::btn_SHRClick: return Operation::ShiftRight;
    case H::btn_ROLClick: return Operation::RotateLeft;
    case H::btn_RORClick: return Operation::RotateRight;
    case H::btn_SwapClick: return Operation::Swap;
    case H::btn_RtoA1Click: return Operation::ResultToA1;
    case H::btn_RtoA2Click: return Operation::ResultToA2;
    // clang-format off
    case H::None: case H::Edit_AccuHexChange: case H::Edit_AccuDecChange: case H::AccuNetChange:
    case H::Accu1ChangeBit: case H::Accu2ChangeBit: case H::btn_Accu1_LSBClick: case H::btn_Accu2_LSBClick:
    case H::btn_Result_LSBClick: case H::BitOp_NumBits1Change: case H::Combo_DatawordLengthChange:
    case H::Combo_SignedChange: case H::Converter_Do_Convert: case H::CheckBox1Click: case H::CheckBox2Click:
    case H::TransparencyChange: break;
      // clang-format on
  }
  return std::nullopt;
}

struct OperationButton {
  QString name;
  Operation operation;
};

// Every button of the layout that runs an operation.
std::vector<OperationButton> OperationButtons() {
  std::vector<OperationButton> buttons;
  for (const layout::Control& c : layout::Controls())
    if (const auto op = OperationOf(c.onEvent); op && c.kind == layout::Kind::PushButton)
      buttons.push_back({c.name, *op});
  return buttons;
}

QString ReportText(const std::string& message) { return QString::fromStdString(message) + QLatin1Char('.'); }

// The edits the soak types into. Register is -1 for the shift count and the
// conversion input.
struct Field {
  QString name;
  int reg;
  RegisterField kind;
  QString alphabet;
};

const QString kDecimalDigits = QStringLiteral("0123456789");
const std::array<Field, 8> kFields = {{
    {"Edit_Accu1Hex", 0, RegisterField::Hex, "0123456789abcdefABCDEF"},
    {"Edit_Accu1Dec", 0, RegisterField::Dec, kDecimalDigits + "-"},
    {"Edit_Accu1Net", 0, RegisterField::Net, kDecimalDigits + "."},
    {"Edit_Accu2Hex", 1, RegisterField::Hex, "0123456789abcdefABCDEF"},
    {"Edit_Accu2Dec", 1, RegisterField::Dec, kDecimalDigits + "-"},
    {"Edit_Accu2Net", 1, RegisterField::Net, kDecimalDigits + "."},
    {"BitOp_NumBits", -1, RegisterField::Dec, kDecimalDigits + "-"},
    {"Conv_CE_Input", -1, RegisterField::Dec, kDecimalDigits + "."},
}};
const Field& kShiftCountField = kFields[6];
const Field& kConverterField = kFields[7];

// Texts beyond Latin-1 and ASCII look-alikes of digits and hex letters.
const QStringList kForeignTexts = {
    QStringLiteral("é"),    QStringLiteral("ß"), QStringLiteral("\uFB00"), QStringLiteral("١٢٣"),
    QStringLiteral("１２"), QStringLiteral("€"), QStringLiteral("\u00A0"), QStringLiteral("😀"),
    QStringLiteral("Ω"),    QStringLiteral("ǅ"), QStringLiteral("ａｂ"),   QStringLiteral("\u2212"),
};

// What a run can read of the window before and after an action.
struct Snapshot {
  std::array<Word, 3> values{};
  // Every text the field acted on went through on the way, in order.
  QStringList fieldTexts;
  DataWordLength wordLength = DataWordLength::Bits32;
  SignedMode signedMode = SignedMode::Unsigned;
  int shiftCount = 0;
  QString shiftText;
  QString converterInput;
  std::pair<int, int> converterUnits;
  QString converterOutput;
};

struct Action {
  enum Kind {
    Type,
    EditKey,
    Paste,
    BitClick,
    OperationClick,
    LsbClick,
    WordLength,
    Signedness,
    Unit,
    Spinner
  };
  Kind kind = Type;
  const Field* field = nullptr;        // Type, EditKey, Paste
  QString text;                        // Type, Paste
  bool overAll = false;                // Paste: replaces the whole text
  int editKey = 0;                     // EditKey: index into kEditKeys
  QString control;                     // the button or list clicked, or the spinner button
  std::optional<Operation> operation;  // OperationClick
  Qt::Key listKey = Qt::Key_unknown;   // a list's key; unknown: a pick from its popup
  int item = 0;                        // the item picked from a popup
  int reg = 0;                         // BitClick
  int bit = 0;                         // BitClick
  int step = 0;                        // Spinner: +1 or -1
  QString description;
};

struct EditKey {
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
  const char* name;
};
const EditKey kEditKeys[] = {
    {Qt::Key_Backspace, Qt::NoModifier, "Backspace"}, {Qt::Key_Delete, Qt::NoModifier, "Delete"},
    {Qt::Key_Home, Qt::NoModifier, "Home"},           {Qt::Key_End, Qt::NoModifier, "End"},
    {Qt::Key_Left, Qt::NoModifier, "Left"},           {Qt::Key_Right, Qt::NoModifier, "Right"},
    {Qt::Key_Left, Qt::ShiftModifier, "Shift+Left"},  {Qt::Key_A, Qt::ControlModifier, "Ctrl+A"},
    {Qt::Key_Z, Qt::ControlModifier, "Ctrl+Z"},
};
// The keys that move through a list without opening it.
const Qt::Key kListKeys[] = {Qt::Key_Up,  Qt::Key_Down,   Qt::Key_Home,
                             Qt::Key_End, Qt::Key_PageUp, Qt::Key_PageDown};

// The model as the window's format sets it: the oracle's parser reads by it.
RegisterModel ModelIn(DataWordLength length, SignedMode mode) {
  RegisterModel model;
  model.SetDataWordLength(length);
  model.SetSignedMode(mode);
  model.SetWordLimits();
  return model;
}

}  // namespace

class SoakTest : public QObject {
  Q_OBJECT
 private slots:
  void randomUserActionsKeepEveryViewInStep();

 private:
  int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  bool chance(int percent) { return below(100) < percent; }
  QString randomText(const Field& field);
  Action nextAction();
  void perform(const Action& action);
  Snapshot snapshot() const;
  void trackTypedFields(const Action& action, const Snapshot& before, const Snapshot& after);
  QString checkViews() const;
  QString checkAction(const Action& action, const Snapshot& before, const Snapshot& after,
                      const QStringList& reports) const;
  QString checkConverter(const Action& action, const Snapshot& before, const Snapshot& after) const;

  std::unique_ptr<WindowDriver> d;
  const std::vector<OperationButton> operationButtons_ = OperationButtons();
  std::mt19937_64 random_;
  // Per register, the fields typed in since the register's views were last
  // rewritten: they may hold a text that stands for nothing new.
  std::array<std::set<RegisterField>, 2> typedFields_;
  UpDown* spinner_ = nullptr;
  QComboBox* wordLengthList_ = nullptr;
  QComboBox* signedList_ = nullptr;
  QComboBox* converterSource_ = nullptr;
  QComboBox* converterTarget_ = nullptr;
};

QString SoakTest::randomText(const Field& field) {
  QString text;
  switch (below(6)) {
    case 0: {  // a value's own text, sometimes with leading zeros
      const Word value = static_cast<Word>(random_());
      const WordFormat format{ChoiceAt<DataWordLength>(below(3)), ChoiceAt<SignedMode>(below(2))};
      const std::string t = field.kind == RegisterField::Hex
                                ? FormatHex(value & LimitsFor(format.DataWordLength).WordMask)
                            : field.kind == RegisterField::Net ? FormatNet(value)
                                                               : FormatDec(value, format);
      text = QString::fromStdString(t);
      if (chance(20)) text.prepend(QString(below(4) + 1, QLatin1Char('0')));
      break;
    }
    case 1:  // beyond the signed 32-bit range, for the shift count
      text = QStringLiteral("%1%2")
                 .arg(chance(50) ? "-" : "")
                 .arg(random_() % 100000000000000ULL + 2147483647ULL);
      break;
    case 2:  // any printable ASCII
      for (int n = below(8) + 1; n > 0; --n) text += QChar(0x20 + below(0x5F));
      break;
    case 3:  // digits mixed with text beyond ASCII
      text = QString::number(below(1000)) + kForeignTexts[below(kForeignTexts.size())];
      if (chance(50)) text = kForeignTexts[below(kForeignTexts.size())] + text;
      break;
    default:  // the field's own characters
      for (int n = below(12) + 1; n > 0; --n) text += field.alphabet[below(field.alphabet.size())];
      break;
  }
  return text;
}

Action SoakTest::nextAction() {
  Action a;
  const int roll = below(100);
  if (roll < 60) {
    a.field = &kFields[below(kFields.size())];
    if (roll < 30) {
      a.kind = Action::Type;
      // Mostly the field's own characters, now and then any printable one.
      for (int n = below(3) + 1; n > 0; --n)
        a.text += chance(90) ? a.field->alphabet[below(a.field->alphabet.size())] : QChar(0x20 + below(0x5F));
      a.description = QStringLiteral("type \"%1\" into %2").arg(a.text, a.field->name);
    } else if (roll < 50) {
      a.kind = Action::EditKey;
      a.editKey = below(std::size(kEditKeys));
      a.description = QStringLiteral("%1 in %2").arg(kEditKeys[a.editKey].name, a.field->name);
    } else {
      a.kind = Action::Paste;
      a.text = randomText(*a.field);
      a.overAll = chance(50);
      a.description =
          QStringLiteral("paste \"%1\" into %2%3").arg(a.text, a.field->name, a.overAll ? " over all" : "");
    }
  } else if (roll < 72) {
    a.kind = Action::BitClick;
    a.reg = below(2);
    a.bit = below(BitsOf(ChoiceAt<DataWordLength>(wordLengthList_->currentIndex())));  // the enabled boxes
    a.description = QStringLiteral("click bit %1 of %2").arg(a.bit).arg(kRegisters[a.reg]);
  } else if (roll < 84) {
    a.kind = Action::OperationClick;
    const OperationButton& button =
        operationButtons_[static_cast<std::size_t>(below(static_cast<int>(operationButtons_.size())))];
    a.control = button.name;
    a.operation = button.operation;
    a.description = QStringLiteral("click ") + a.control;
  } else if (roll < 86) {
    a.kind = Action::LsbClick;
    a.control = "btn_" + kRegisters[below(3)] + "_LSB";
    a.description = QStringLiteral("click ") + a.control;
  } else if (roll < 93) {
    // The lists, mostly by keyboard: a popup is slow.
    static const std::pair<Action::Kind, const char*> lists[] = {{Action::WordLength, "Combo_DatawordLength"},
                                                                 {Action::Signedness, "Combo_Signed"},
                                                                 {Action::Unit, "Conv_CE_Source"},
                                                                 {Action::Unit, "Conv_CE_Target"}};
    const auto& [kind, name] = lists[below(std::size(lists))];
    a.kind = kind;
    a.control = name;
    if (chance(2)) {
      a.item = below(d->find<QComboBox>(a.control)->count());
      a.description = QStringLiteral("pick item %1 of %2").arg(a.item).arg(a.control);
    } else {
      a.listKey = kListKeys[below(std::size(kListKeys))];
      a.description = QStringLiteral("key %1 on %2").arg(a.listKey, 0, 16).arg(a.control);
    }
  } else {
    // The spinner, by its buttons or by the arrow keys in its field.
    a.kind = Action::Spinner;
    a.step = chance(50) ? 1 : -1;
    if (chance(50)) a.control = a.step > 0 ? "Up" : "Down";
    a.description = a.control.isEmpty() ? QStringLiteral("arrow key %1 in BitOp_NumBits").arg(a.step)
                                        : QStringLiteral("click spinner button ") + a.control;
  }
  return a;
}

void SoakTest::perform(const Action& a) {
  switch (a.kind) {
    case Action::Type: d->type(a.field->name, a.text); break;
    case Action::EditKey:
      d->key(a.field->name, kEditKeys[a.editKey].key, kEditKeys[a.editKey].modifiers);
      break;
    case Action::Paste:
      if (a.overAll) d->key(a.field->name, Qt::Key_A, Qt::ControlModifier);
      d->paste(a.field->name, a.text);
      break;
    case Action::BitClick: d->clickBit(kRegisters[a.reg], a.bit); break;
    case Action::OperationClick:
    case Action::LsbClick: d->click(a.control); break;
    case Action::WordLength:
    case Action::Signedness:
    case Action::Unit:
      if (a.listKey == Qt::Key_unknown)
        d->pick(a.control, a.item);
      else
        QTest::keyClick(d->find<QComboBox>(a.control), a.listKey);
      break;
    case Action::Spinner:
      if (a.control.isEmpty())
        d->key(kShiftCountField.name, a.step > 0 ? Qt::Key_Up : Qt::Key_Down);
      else
        d->click(a.control);
      break;
  }
}

Snapshot SoakTest::snapshot() const {
  Snapshot s;
  for (std::size_t r = 0; r < kRegisters.size(); ++r) s.values[r] = d->bits(kRegisters[r]);
  s.wordLength = ChoiceAt<DataWordLength>(wordLengthList_->currentIndex());
  s.signedMode = ChoiceAt<SignedMode>(signedList_->currentIndex());
  s.shiftCount = spinner_->Position();
  s.shiftText = d->edit(kShiftCountField.name)->text();
  s.converterInput = d->edit(kConverterField.name)->text();
  s.converterUnits = {converterSource_->currentIndex(), converterTarget_->currentIndex()};
  s.converterOutput = d->edit("Conv_CE_Output")->text();
  return s;
}

// Which fields may hold a text other than their register's own after the
// action: the one typed in, until its register's views are rewritten.
void SoakTest::trackTypedFields(const Action& a, const Snapshot& before, const Snapshot& after) {
  if (a.kind == Action::WordLength || a.kind == Action::Signedness) {
    if (after.wordLength != before.wordLength || after.signedMode != before.signedMode)
      for (auto& fields : typedFields_) fields.clear();
  }
  const auto rewritten = [&](int reg) { typedFields_[static_cast<std::size_t>(reg)].clear(); };
  if (a.kind == Action::BitClick) rewritten(a.reg);
  if (a.operation == Operation::Swap || a.operation == Operation::ResultToA1) rewritten(0);
  if (a.operation == Operation::Swap || a.operation == Operation::ResultToA2) rewritten(1);
  for (int reg : {0, 1})
    if (after.values[static_cast<std::size_t>(reg)] != before.values[static_cast<std::size_t>(reg)])
      rewritten(reg);
  if (a.field && a.field->reg >= 0)
    typedFields_[static_cast<std::size_t>(a.field->reg)].insert(a.field->kind);
}

QString SoakTest::checkViews() const {
  if (UpdatingViews()) return QStringLiteral("the view-update hold is still up");
  const RegisterModel model = ModelIn(ChoiceAt<DataWordLength>(wordLengthList_->currentIndex()),
                                      ChoiceAt<SignedMode>(signedList_->currentIndex()));
  const int n = model.Bits();
  if (spinner_->Maximum() != n - 1 || spinner_->Position() < 1 || spinner_->Position() > n - 1)
    return QStringLiteral("shift count %1 of maximum %2 at %3 bits")
        .arg(spinner_->Position())
        .arg(spinner_->Maximum())
        .arg(n);

  for (std::size_t r = 0; r < kRegisters.size(); ++r) {
    const QString& reg = kRegisters[r];
    const Word value = d->bits(reg);
    if ((value & ~model.Limits().WordMask) != 0)
      return QStringLiteral("%1 holds bits beyond the word").arg(reg);
    for (int bit = 0; bit < 32; ++bit) {
      if (d->bitBox(reg, bit)->isEnabled() != (r < 2 && bit < n))
        return QStringLiteral("bit box %1 of %2 is %3")
            .arg(bit)
            .arg(reg, r < 2 && bit < n ? "disabled" : "enabled");
    }
    const std::pair<RegisterField, std::string> views[] = {
        {RegisterField::Hex, FormatHex(value)},
        {RegisterField::Dec, FormatDec(value, model.Format())},
        {RegisterField::Net, FormatNet(value)}};
    for (const auto& [field, expected] : views) {
      const QLineEdit* edit = d->edit("Edit_" + reg +
                                      (field == RegisterField::Hex   ? "Hex"
                                       : field == RegisterField::Dec ? "Dec"
                                                                     : "Net"));
      if (edit->text() == QString::fromStdString(expected)) continue;
      // A field typed in may keep a text that asks for nothing.
      const bool typed = r < 2 && typedFields_[r].count(field) != 0;
      if (typed && !FieldEntry(field, CoreText(edit->text()), value, model)) continue;
      return QStringLiteral("%1 shows \"%2\", the value 0x%3 is \"%4\"%5")
          .arg(edit->objectName(), edit->text())
          .arg(value, 0, 16)
          .arg(QString::fromStdString(expected), typed ? " and the text asks to store another" : "");
    }
    // The bit numbering: the caption, the position labels and the box hints agree.
    const QString caption = d->find<QPushButton>("btn_" + reg + "_LSB")->text();
    const int first = caption == QLatin1String("LSB: 1") ? 1 : 0;
    if ((first == 0 && caption != QLatin1String("LSB: 0")) ||
        d->find<QLabel>("Label_" + reg + "Bit4")->text().trimmed() != QString::number(4 + first) ||
        d->bitBox(reg, 31)->toolTip() != QStringLiteral("Bit %1").arg(31 + first))
      return QStringLiteral("the bit numbering of %1 is out of step with \"%2\"").arg(reg, caption);
  }

  // The shift-count field shows the count, or a text that does not ask for
  // another.
  const QString shiftText = d->edit(kShiftCountField.name)->text();
  try {
    const auto entry = ReadShiftCountText(CoreText(shiftText), spinner_->Maximum());
    if (entry && entry->Position >= 1 &&
        (entry->Position != spinner_->Position() || QString::fromStdString(entry->Text) != shiftText))
      return QStringLiteral("shift count field \"%1\" with the spinner at %2")
          .arg(shiftText)
          .arg(spinner_->Position());
    if (entry && entry->Position < 1 && spinner_->Position() != 1)
      return QStringLiteral("shift count field \"%1\" with the spinner at %2")
          .arg(shiftText)
          .arg(spinner_->Position());
  } catch (const CalculatorError&) {
    // Beyond the 32-bit range: the field keeps it, as reported.
  }
  return {};
}

QString SoakTest::checkAction(const Action& a, const Snapshot& before, const Snapshot& after,
                              const QStringList& reports) const {
  // Only the division and the shift-count field report errors.
  QStringList expectedReports;
  std::array<Word, 3> expected = before.values;
  const Word mask = LimitsFor(after.wordLength).WordMask;
  switch (a.kind) {
    case Action::OperationClick:
      switch (*a.operation) {
        case Operation::Swap: std::swap(expected[0], expected[1]); break;
        case Operation::ResultToA1: expected[0] = expected[2]; break;
        case Operation::ResultToA2: expected[1] = expected[2]; break;
        default:
          try {
            expected[2] = Compute(*a.operation, before.values[0], before.values[1], after.wordLength,
                                  before.shiftCount);
          } catch (const CalculatorError& e) {
            expectedReports << ReportText(e.what());
          }
      }
      break;
    case Action::BitClick: expected[static_cast<std::size_t>(a.reg)] ^= Word{1} << a.bit; break;
    case Action::WordLength:
      for (Word& v : expected) v &= mask;
      if (after.shiftCount != std::min(before.shiftCount, BitsOf(after.wordLength) - 1))
        return QStringLiteral("the shift count went from %1 to %2")
            .arg(before.shiftCount)
            .arg(after.shiftCount);
      break;
    case Action::Spinner: {
      const int span = spinner_->Maximum();
      const int position = (before.shiftCount - 1 + a.step + span) % span + 1;
      if (after.shiftCount != position || after.shiftText != QString::number(position))
        return QStringLiteral("the spinner stepped from %1 to %2 showing \"%3\"")
            .arg(before.shiftCount)
            .arg(after.shiftCount)
            .arg(after.shiftText);
      break;
    }
    default:
      // Typing changes at most the register typed in: each text the field
      // goes through stores what the core's parser reads in it.
      if (a.field && a.field->reg >= 0) {
        const RegisterModel model = ModelIn(after.wordLength, after.signedMode);
        Word& value = expected[static_cast<std::size_t>(a.field->reg)];
        for (const QString& text : after.fieldTexts)
          if (const auto entry = FieldEntry(a.field->kind, CoreText(text), value, model))
            value = *entry & mask;
      }
      break;
  }
  if (a.field == &kShiftCountField) {
    // Every report quotes a text beyond the 32-bit range; when the action
    // leaves one in the field, the last report quotes it.
    static const QRegularExpression quoted(
        QStringLiteral("^'-?[0-9]+(\\.\\.\\.)?' is not a valid integer value\\.$"));
    for (const QString& report : reports)
      if (!quoted.match(report).hasMatch()) return QStringLiteral("unexpected report \"%1\"").arg(report);
    try {
      ReadShiftCountText(CoreText(after.shiftText), spinner_->Maximum());
    } catch (const CalculatorError& e) {
      if (after.shiftText != before.shiftText &&
          (reports.isEmpty() || reports.last() != ReportText(e.what())))
        return QStringLiteral("no report for the shift count \"%1\"").arg(after.shiftText);
    }
  } else if (reports != expectedReports) {
    return QStringLiteral("reports [%1], expected [%2]")
        .arg(reports.join(" | "), expectedReports.join(" | "));
  }
  for (std::size_t r = 0; r < kRegisters.size(); ++r) {
    if (after.values[r] != expected[r])
      return QStringLiteral("%1 went from 0x%2 to 0x%3, expected 0x%4")
          .arg(kRegisters[r])
          .arg(before.values[r], 0, 16)
          .arg(after.values[r], 0, 16)
          .arg(expected[r], 0, 16);
  }
  return checkConverter(a, before, after);
}

// Each change of the input, and each change or pick of a unit, converts
// the input anew, and nothing else touches the output. An input that
// cannot be converted leaves the output as it was.
QString SoakTest::checkConverter(const Action& a, const Snapshot& before, const Snapshot& after) const {
  QString expected = before.converterOutput;
  const auto convert = [&](const QString& input) {
    if (const auto converted = ConvertAmount(CoreText(input), after.converterUnits.first,
                                             after.converterUnits.second, RegionalDecimalSeparator()))
      expected = QString::fromStdString(*converted);
  };
  if (a.field == &kConverterField) {
    for (const QString& text : after.fieldTexts) convert(text);
  } else if (after.converterUnits != before.converterUnits ||
             (a.kind == Action::Unit && a.listKey == Qt::Key_unknown)) {
    convert(after.converterInput);
  }
  if (after.converterOutput == expected) return {};
  return QStringLiteral("conversion of \"%1\" (units %2, %3) shows \"%4\", expected \"%5\"")
      .arg(after.converterInput)
      .arg(after.converterUnits.first)
      .arg(after.converterUnits.second)
      .arg(after.converterOutput, expected);
}

void SoakTest::randomUserActionsKeepEveryViewInStep() {
  const QByteArray seedText = qgetenv("AVERLIN_SOAK_SEED");
  const quint64 seed = seedText.isEmpty()     ? 20240611
                       : seedText == "random" ? QRandomGenerator::system()->generate64()
                                              : seedText.toULongLong();
  const int actions = qEnvironmentVariableIsSet("AVERLIN_SOAK_ACTIONS")
                          ? qEnvironmentVariableIntValue("AVERLIN_SOAK_ACTIONS")
                          : 20000;
  qInfo("soak: seed %llu, %d actions", seed, actions);
  random_.seed(seed);

  // Every operation is soaked through its button.
  QCOMPARE(operationButtons_.size(), static_cast<std::size_t>(Operation::ResultToA2) + 1);
  d = std::make_unique<WindowDriver>();
  spinner_ = d->find<UpDown>("BitOp_NumBitsUpDown");
  wordLengthList_ = d->find<QComboBox>("Combo_DatawordLength");
  signedList_ = d->find<QComboBox>("Combo_Signed");
  converterSource_ = d->find<QComboBox>("Conv_CE_Source");
  converterTarget_ = d->find<QComboBox>("Conv_CE_Target");
  ErrorReportCloser reports;
  std::deque<QString> recent;
  int reported = 0;
  QElapsedTimer clock;
  clock.start();

  for (int i = 1; i <= actions; ++i) {
    const Action action = nextAction();
    recent.push_back(action.description);
    if (recent.size() > 12) recent.pop_front();
    const Snapshot before = snapshot();
    QStringList fieldTexts;
    QMetaObject::Connection watch;
    if (action.field)
      watch = connect(d->edit(action.field->name), &QLineEdit::textChanged, this,
                      [&fieldTexts](const QString& text) { fieldTexts << text; });
    perform(action);
    // Let the window paint and the X server catch up now and then.
    if (i % 250 == 0) QCoreApplication::processEvents();
    disconnect(watch);
    Snapshot after = snapshot();
    after.fieldTexts = fieldTexts;
    trackTypedFields(action, before, after);
    QStringList shown;
    for (const ErrorReportCloser::Report& report : reports.take()) shown << report.text;
    reported += shown.size();
    QString fault = checkViews();
    if (fault.isEmpty()) fault = checkAction(action, before, after, shown);
    if (!fault.isEmpty()) {
      QStringList history(recent.begin(), recent.end());
      QFAIL(qPrintable(QStringLiteral("seed %1, action %2: %3\n  last actions, the failing one last: %4\n  "
                                      "replay: AVERLIN_SOAK_SEED=%1 "
                                      "AVERLIN_SOAK_ACTIONS=%2")
                           .arg(seed)
                           .arg(i)
                           .arg(fault, history.join(QStringLiteral("\n    ")))));
    }
  }
  qInfo("soak: %d actions in %.1f s, %d error reports closed", actions, clock.elapsed() / 1000.0, reported);
  d.reset();
}

QTEST_MAIN(SoakTest)
#include "tst_soak.moc"
