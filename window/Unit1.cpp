#include "Unit1.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QGroupBox>
#include <QHash>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QStatusBar>
#include <QToolTip>
#include <QValidator>

#include "EditAccessible.h"
#include "ErrorReport.h"
#include "Layout.h"
#include "UpDown.h"
#include "WindowScaling.h"
#include "byte_conversion.h"
#include "number_text.h"
#include "operations.h"

using namespace averlin;

namespace {

// The calculator's numeric state: one set for the process.
RegisterModel Model;

// Held while the program writes a group of views.
bool UpdatingViewsHeld = false;

// Raises UpdatingViews for its lifetime and then returns it to the state in
// which it found it, so holds nest.
class ViewUpdateHold {
 public:
  ViewUpdateHold() : previous_(UpdatingViewsHeld) { UpdatingViewsHeld = true; }
  ~ViewUpdateHold() { UpdatingViewsHeld = previous_; }
  ViewUpdateHold(const ViewUpdateHold&) = delete;
  ViewUpdateHold& operator=(const ViewUpdateHold&) = delete;

 private:
  bool previous_;
};

// The field's text as the number routines read it: one byte a character,
// anything beyond ASCII turned into a byte that every routine refuses.
std::string ToFieldText(const QString& text) {
  std::string bytes;
  bytes.resize(static_cast<std::size_t>(text.size()));
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t c = text[i].unicode();
    bytes[static_cast<std::size_t>(i)] = c < 0x80 ? static_cast<char>(c) : '\x80';
  }
  return bytes;
}

// Writes the text into the edit (an edit raises its change event only for a
// text that differs) and puts the caret at the end.
void WriteField(QLineEdit* edit, const std::string& text) {
  ViewUpdateHold hold;
  const QString t = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
  if (edit->text() != t) edit->setText(t);
  edit->setCursorPosition(static_cast<int>(edit->text().size()));
}

// Upper-cases every letter typed into a hexadecimal field; refuses nothing.
// Each character is mapped on its own, so the text keeps its length and a
// letter whose capital is several characters (the ligature U+FB00, sharp s)
// stays as it is instead of turning into hexadecimal digits.
class UpperCaseValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    for (QChar& c : input) c = c.toUpper();
    return Acceptable;
  }
};

char RegionalDecimalSeparator() {
  const QString point = QLocale().decimalPoint();
  return point.size() == 1 && point[0].unicode() < 0x80 ? static_cast<char>(point[0].unicode()) : '.';
}

// The operation buttons and the operation each one runs.
struct OperationButton {
  const char* name;
  Operation op;
};
constexpr OperationButton kOperationButtons[] = {
    {"btn_ADD", Operation::Add},          {"btn_SUBTR", Operation::Subtract},
    {"btn_MULT", Operation::Multiply},    {"btn_DIV", Operation::Divide},
    {"btn_AND", Operation::And},          {"btn_OR", Operation::Or},
    {"btn_XOR", Operation::Xor},          {"btn_NOT", Operation::Not},
    {"btn_NAND", Operation::Nand},        {"btn_NOR", Operation::Nor},
    {"btn_XNOR", Operation::Xnor},        {"btn_SHL", Operation::ShiftLeft},
    {"btn_SHR", Operation::ShiftRight},   {"btn_ROL", Operation::RotateLeft},
    {"btn_ROR", Operation::RotateRight},  {"btn_Swap", Operation::Swap},
    {"btn_RtoA1", Operation::ResultToA1}, {"btn_RtoA2", Operation::ResultToA2},
};

// Makes the widget of one layout row with all that the row alone says of it:
// its kind, name, place, texts and hints.
QWidget* CreateControl(const layout::Control& c, QWidget* parent) {
  QWidget* w = nullptr;
  switch (c.kind) {
    case layout::Kind::GroupBox: w = new QGroupBox(c.text, parent); break;
    case layout::Kind::Label:
    case layout::Kind::PositionLabel:
    case layout::Kind::WrappedLabel: {
      auto* label = new QLabel(c.text, parent);
      label->setWordWrap(c.kind == layout::Kind::WrappedLabel);
      label->setAlignment((c.kind == layout::Kind::PositionLabel ? Qt::AlignRight : Qt::AlignLeft) |
                          Qt::AlignTop);
      label->setProperty(kFitToTextProperty, c.kind == layout::Kind::Label           ? kKeepLeftEdge
                                             : c.kind == layout::Kind::PositionLabel ? kKeepRightEdge
                                                                                     : 0);
      w = label;
      break;
    }
    case layout::Kind::Edit:
    case layout::Kind::HexEdit:
    case layout::Kind::ReadOnlyEdit:
    case layout::Kind::OutputEdit: {
      auto* edit = new QLineEdit(c.text, parent);
      edit->setMaxLength(std::numeric_limits<int>::max());
      if (c.kind == layout::Kind::HexEdit) edit->setValidator(new UpperCaseValidator(edit));
      if (c.kind == layout::Kind::ReadOnlyEdit || c.kind == layout::Kind::OutputEdit) {
        edit->setReadOnly(true);
        QPalette p = edit->palette();
        p.setColor(QPalette::Base,
                   p.color(c.kind == layout::Kind::ReadOnlyEdit ? QPalette::Midlight : QPalette::Button));
        edit->setPalette(p);
      }
      w = edit;
      break;
    }
    case layout::Kind::PushButton: w = new QPushButton(c.text, parent); break;
    case layout::Kind::BitBox:
    case layout::Kind::CheckBox: {
      auto* box = new QCheckBox(c.text, parent);
      if (c.kind == layout::Kind::CheckBox) box->setLayoutDirection(Qt::RightToLeft);
      w = box;
      break;
    }
    case layout::Kind::ComboBox: {
      auto* list = new QComboBox(parent);
      if (!c.text.isEmpty()) list->addItems(c.text.split(QLatin1Char('|')));
      list->setCurrentIndex(-1);  // no selection until the window is created
      w = list;
      break;
    }
    case layout::Kind::Slider: {
      auto* slider = new QSlider(Qt::Horizontal, parent);
      slider->setRange(91, 255);
      slider->setValue(255);
      slider->setTickPosition(QSlider::TicksBelow);
      slider->setTickInterval(21);
      slider->setSingleStep(1);
      slider->setPageStep(0);
      slider->setVisible(false);
      w = slider;
      break;
    }
    case layout::Kind::UpDown: w = new UpDown(parent); break;
    case layout::Kind::StatusBar: {
      auto* bar = new QStatusBar(parent);
      bar->setSizeGripEnabled(false);
      bar->setFont(QApplication::font("QStatusBar"));
      w = bar;
      break;
    }
  }
  w->setObjectName(c.name);
  w->setGeometry(c.geometry);
  if (!c.accessibleName.isEmpty()) w->setAccessibleName(c.accessibleName);
  if (!c.hint.isEmpty()) {
    w->setStatusTip(c.hint);
    if (c.bubble) w->setToolTip(c.hint);
  }
  return w;
}

}  // namespace

namespace averlin {

bool UpdatingViews() { return UpdatingViewsHeld; }

void ShowHex(Word value, QLineEdit* edit) { WriteField(edit, FormatHex(value)); }
void ShowDec(Word value, QLineEdit* edit) { WriteField(edit, FormatDec(value, Model.Format())); }
void ShowNet(Word value, QLineEdit* edit) { WriteField(edit, FormatNet(value)); }

void ShowBits(Word value, const BitBoxes& boxes) {
  for (std::size_t i = 0; i < boxes.size(); ++i) boxes[i]->setChecked(((value >> i) & 1u) != 0);
}

Word BitBoxesToValue(const BitBoxes& boxes) {
  Word value = 0;
  for (std::size_t i = 0; i < boxes.size(); ++i)
    if (boxes[i]->isChecked()) value |= Word{1} << i;
  return value;
}

}  // namespace averlin

const QString TForm_Quillon::kWindowHint =
    QStringLiteral("Averlin: logic and arithmetic on 8, 16 and 32 bit words.");

TForm_Quillon::TForm_Quillon(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("Form_Quillon"));
  setWindowTitle(kApplicationTitle);
  setStatusTip(kWindowHint);
  QFont font(QStringLiteral("Tahoma"));
  font.setPointSize(8);
  setFont(font);
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Button);
  setFixedSize(layout::kClientWidth, layout::kClientHeight);
  // Before the edits exist, so that none of them is ever described by
  // Qt's writable interface.
  InstallEditAccessible();
  BuildFromLayout();
  BindHandlers();
  FormCreate();
}

TForm_Quillon::~TForm_Quillon() = default;

void TForm_Quillon::BuildFromLayout() {
  QHash<QString, QWidget*> byName;
  QWidget* previousInTabOrder = nullptr;
  for (const layout::Control& c : layout::Controls()) {
    QWidget* parent = c.parent.isEmpty() ? this : byName.value(c.parent);
    QWidget* w = CreateControl(c, parent);
    if (c.bubble) w->installEventFilter(this);
    if (c.kind == layout::Kind::GroupBox || c.kind == layout::Kind::StatusBar) {
      w->setFocusPolicy(Qt::NoFocus);
    } else if (c.tabOrder < 0) {
      w->setFocusPolicy(c.kind == layout::Kind::BitBox ? Qt::ClickFocus : Qt::NoFocus);
    } else {
      if (previousInTabOrder) setTabOrder(previousInTabOrder, w);
      previousInTabOrder = w;
    }
    byName.insert(c.name, w);
  }
  if (QWidget* label = byName.value(QStringLiteral("Label_Transparency"))) label->setVisible(false);
  for (QWidget* w : std::as_const(byName))
    if (w->property(kFitToTextProperty).toInt() != 0) FitLabelToText(static_cast<QLabel*>(w));

  FindViews(byName);
  // The register views of R are display only.
  for (QCheckBox* box : views_[2].bits) box->setEnabled(false);
  shiftCountEdit_->installEventFilter(this);
}

void TForm_Quillon::FindViews(const QHash<QString, QWidget*>& byName) {
  const auto find = [&byName]<class T>(T*& member, const QString& name) {
    member = qobject_cast<T*>(byName.value(name));
    Q_ASSERT(member);
  };
  for (std::size_t r = 0; r < views_.size(); ++r) {
    const QString& reg = layout::kRegisterNames[r];
    RegisterViews& v = views_[r];
    find(v.hex, "Edit_" + reg + "Hex");
    find(v.dec, "Edit_" + reg + "Dec");
    find(v.net, "Edit_" + reg + "Net");
    find(v.lsb, "btn_" + reg + "_LSB");
    for (std::size_t bit = 0; bit < v.bits.size(); ++bit)
      find(v.bits[bit], "CheckBox_" + reg + "Bit" + QString::number(bit));
    for (std::size_t i = 0; i < v.positionLabels.size(); ++i)
      find(v.positionLabels[i], "Label_" + reg + "Bit" + QString::number(4 * i));
  }
  find(shiftCountEdit_, QStringLiteral("BitOp_NumBits"));
  find(shiftCountSpinner_, QStringLiteral("BitOp_NumBitsUpDown"));
  find(wordLengthList_, QStringLiteral("Combo_DatawordLength"));
  find(signedList_, QStringLiteral("Combo_Signed"));
  find(convInput_, QStringLiteral("Conv_CE_Input"));
  find(convOutput_, QStringLiteral("Conv_CE_Output"));
  find(convSource_, QStringLiteral("Conv_CE_Source"));
  find(convTarget_, QStringLiteral("Conv_CE_Target"));
  find(alwaysOnTop_, QStringLiteral("CheckBox1"));
  find(largeFont_, QStringLiteral("CheckBox2"));
  find(transparency_, QStringLiteral("Transparency"));
  find(transparencyLabel_, QStringLiteral("Label_Transparency"));
  find(statusBar_, QStringLiteral("StatusBar"));
}

template <class Widget, class Signal>
void TForm_Quillon::Bind(Widget* sender, Signal signal, void (TForm_Quillon::*handler)(QObject*)) {
  connect(sender, signal, this,
          [this, sender, handler] { RunHandler(this, [&] { (this->*handler)(sender); }); });
}

void TForm_Quillon::BindHandlers() {
  for (std::size_t r = 0; r < 2; ++r) {
    RegisterViews& v = views_[r];
    Bind(v.hex, &QLineEdit::textChanged, &TForm_Quillon::Edit_AccuHexChange);
    Bind(v.dec, &QLineEdit::textChanged, &TForm_Quillon::Edit_AccuDecChange);
    Bind(v.net, &QLineEdit::textChanged, &TForm_Quillon::AccuNetChange);
    for (QCheckBox* box : v.bits)
      Bind(box, &QCheckBox::toggled,
           r == 0 ? &TForm_Quillon::Accu1ChangeBit : &TForm_Quillon::Accu2ChangeBit);
  }
  Bind(views_[0].lsb, &QPushButton::clicked, &TForm_Quillon::btn_Accu1_LSBClick);
  Bind(views_[1].lsb, &QPushButton::clicked, &TForm_Quillon::btn_Accu2_LSBClick);
  Bind(views_[2].lsb, &QPushButton::clicked, &TForm_Quillon::btn_Result_LSBClick);
  for (const OperationButton& b : kOperationButtons) {
    auto* button = findChild<QPushButton*>(QLatin1String(b.name));
    const Operation op = b.op;
    connect(button, &QPushButton::clicked, this,
            [this, op] { RunHandler(this, [&] { OperationClick(op); }); });
  }
  Bind(shiftCountEdit_, &QLineEdit::textChanged, &TForm_Quillon::BitOp_NumBits1Change);
  connect(shiftCountSpinner_, &UpDown::positionChanged, shiftCountEdit_,
          [this](int position) { shiftCountEdit_->setText(QString::number(position)); });
  // A drop-down list's handler runs for the user's pick only, not for a
  // selection that the program makes.
  Bind(wordLengthList_, &QComboBox::activated, &TForm_Quillon::Combo_DatawordLengthChange);
  Bind(signedList_, &QComboBox::activated, &TForm_Quillon::Combo_SignedChange);
  Bind(convInput_, &QLineEdit::textChanged, &TForm_Quillon::Converter_Do_Convert);
  Bind(convSource_, &QComboBox::activated, &TForm_Quillon::Converter_Do_Convert);
  Bind(convTarget_, &QComboBox::activated, &TForm_Quillon::Converter_Do_Convert);
  Bind(alwaysOnTop_, &QCheckBox::toggled, &TForm_Quillon::CheckBox1Click);
  Bind(largeFont_, &QCheckBox::toggled, &TForm_Quillon::CheckBox2Click);
  Bind(transparency_, &QSlider::valueChanged, &TForm_Quillon::TransparencyChange);
}

void TForm_Quillon::FormCreate() {
  // The hint line follows the pointer whenever the event loop falls idle.
  connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
          &TForm_Quillon::UpdateHintLine, Qt::UniqueConnection);

  translucencyOffered_ = WindowSystemOffersTranslucency();
  if (translucencyOffered_) {
    transparency_->setVisible(true);
    transparencyLabel_->setVisible(true);
    transparency_->setPageStep(transparency_->tickInterval());
    transparency_->setValue(255);
    setWindowOpacity(1.0);
  }

  Model.SetDataWordLength(WordLength32);
  wordLengthList_->setCurrentIndex(Model.DataWordLength());
  Model.SetSignedMode(Unsigned);
  signedList_->setCurrentIndex(Model.SignedMode());
  Model.SetWordLimits();
  shiftCountSpinner_->setMaximum(Model.Limits().ShiftCountMax);
  RefreshAllRegisters(kDecHexNetBits);

  for (QComboBox* list : {convSource_, convTarget_})
    for (const ConvType& unit : ConvUnits)
      list->addItem(QString::fromLatin1(unit.Name.data(), static_cast<qsizetype>(unit.Name.size())));
  convSource_->setCurrentIndex(0);
  convTarget_->setCurrentIndex(1);
}

// --- Register views -------------------------------------------------------

void TForm_Quillon::RefreshRegisterViews(Register reg, const WriteOrder& order) {
  const RegisterViews& v = views_[static_cast<std::size_t>(reg)];
  const Word value = Model.Value(reg);
  for (View view : order) {
    switch (view) {
      case View::Hex: ShowHex(value, v.hex); break;
      case View::Dec: ShowDec(value, v.dec); break;
      case View::Net: ShowNet(value, v.net); break;
      case View::Bits: ShowBits(value, v.bits); break;
    }
  }
}

void TForm_Quillon::RefreshAllRegisters(const WriteOrder& order) {
  ViewUpdateHold hold;
  for (Register r : {Register::A1, Register::A2, Register::R}) RefreshRegisterViews(r, order);
}

Register TForm_Quillon::RegisterOfField(QObject* sender, RegisterField field) const {
  const RegisterViews& a1 = views_[0];
  const QLineEdit* a1Field = field == RegisterField::Hex   ? a1.hex
                             : field == RegisterField::Dec ? a1.dec
                                                           : a1.net;
  return sender == a1Field ? Register::A1 : Register::A2;
}

// The one implementation behind the change handlers of the hexadecimal,
// decimal and dotted-quad fields of A1 and A2.
void TForm_Quillon::AccuFieldChange(QObject* sender, RegisterField field) {
  if (UpdatingViewsHeld) return;
  auto* edit = static_cast<QLineEdit*>(sender);
  const int caret = edit->cursorPosition();
  const Register reg = RegisterOfField(sender, field);
  if (const auto entry = FieldEntry(field, ToFieldText(edit->text()), Model.Value(reg), Model)) {
    ViewUpdateHold hold;
    Model.Store(reg, *entry);
    RefreshRegisterViews(reg, kHexDecNetBits);
  }
  edit->setCursorPosition(caret);
}

void TForm_Quillon::Edit_AccuHexChange(QObject* sender) { AccuFieldChange(sender, RegisterField::Hex); }
void TForm_Quillon::Edit_AccuDecChange(QObject* sender) { AccuFieldChange(sender, RegisterField::Dec); }
void TForm_Quillon::AccuNetChange(QObject* sender) { AccuFieldChange(sender, RegisterField::Net); }

// A click on any bit box re-reads the whole row of its register.
void TForm_Quillon::AccuChangeBit(Register reg) {
  if (UpdatingViewsHeld) return;
  const RegisterViews& v = views_[static_cast<std::size_t>(reg)];
  // The boxes above the word length are unchecked and disabled, so their
  // sum is already within the word.
  Model.StoreUnmasked(reg, BitBoxesToValue(v.bits));
  const Word value = Model.Value(reg);
  ShowDec(value, v.dec);
  ShowHex(value, v.hex);
  ShowNet(value, v.net);
}

void TForm_Quillon::Accu1ChangeBit(QObject*) { AccuChangeBit(Register::A1); }
void TForm_Quillon::Accu2ChangeBit(QObject*) { AccuChangeBit(Register::A2); }

// --- Bit numbering --------------------------------------------------------

void TForm_Quillon::SwitchBitNumbering(Register reg) {
  RegisterViews& v = views_[static_cast<std::size_t>(reg)];
  // The numbering lives in the button's caption: "LSB: 0" counts from 0.
  const int first = v.lsb->text() == QLatin1String("LSB: 0") ? 1 : 0;
  v.lsb->setText(QStringLiteral("LSB: %1").arg(first));
  for (std::size_t i = 0; i < v.positionLabels.size(); ++i) {
    v.positionLabels[i]->setText(QString::number(4 * static_cast<int>(i) + first));
    FitLabelToText(v.positionLabels[i]);
  }
  for (std::size_t bit = 0; bit < v.bits.size(); ++bit) {
    const QString hint = QStringLiteral("Bit %1").arg(static_cast<int>(bit) + first);
    v.bits[bit]->setStatusTip(hint);
    v.bits[bit]->setToolTip(hint);
  }
}

void TForm_Quillon::btn_Accu1_LSBClick(QObject*) { SwitchBitNumbering(Register::A1); }
void TForm_Quillon::btn_Accu2_LSBClick(QObject*) { SwitchBitNumbering(Register::A2); }
void TForm_Quillon::btn_Result_LSBClick(QObject*) { SwitchBitNumbering(Register::R); }

// --- Operations -----------------------------------------------------------

void TForm_Quillon::OperationClick(Operation op) {
  const WrittenRegisters written = Apply(Model, op, shiftCountSpinner_->position());
  if (written.R) {
    // R's views have no handlers, so no hold is needed.
    RefreshRegisterViews(Register::R, kDecHexNetBits);
    return;
  }
  ViewUpdateHold hold;
  if (written.A1) RefreshRegisterViews(Register::A1, kDecHexNetBits);
  if (written.A2) RefreshRegisterViews(Register::A2, kDecHexNetBits);
}

void TForm_Quillon::BitOp_NumBits1Change(QObject*) {
  const auto entry = ReadShiftCountText(ToFieldText(shiftCountEdit_->text()), shiftCountSpinner_->maximum());
  if (!entry) return;
  // The spinner clamps to its own range and writes its new position back,
  // which runs this handler again; the exchange ends once nothing changes.
  shiftCountSpinner_->setPosition(entry->Position);
  const QString text = QString::fromStdString(entry->Text);
  if (shiftCountEdit_->text() != text) shiftCountEdit_->setText(text);
}

// --- Data format ----------------------------------------------------------

void TForm_Quillon::Combo_DatawordLengthChange(QObject*) {
  const int newLength = wordLengthList_->currentIndex();
  // The boxes change first, under the old word length and outside a hold:
  // a box that gets unchecked is taken as a click on it.
  if (const auto range = BitBoxTransition(Model.DataWordLength(), newLength)) {
    for (int bit = range->FirstBit; bit <= range->LastBit; ++bit) {
      for (std::size_t r = 0; r < 2; ++r) {
        QCheckBox* box = views_[r].bits[static_cast<std::size_t>(bit)];
        box->setChecked(false);
        box->setEnabled(range->Enable);
      }
    }
  }
  const WordLengthChange change = ChangeDataWordLength(Model, newLength, shiftCountSpinner_->position());
  shiftCountSpinner_->setMaximum(change.ShiftCountMax);
  if (change.ClampedShiftCount) shiftCountSpinner_->setPosition(*change.ClampedShiftCount);
  RefreshAllRegisters(kDecHexNetBits);
}

void TForm_Quillon::Combo_SignedChange(QObject*) {
  ChangeSignedMode(Model, signedList_->currentIndex());
  RefreshAllRegisters(kDecHexBitsNet);
}

// --- Byte conversion tool -------------------------------------------------

void TForm_Quillon::Converter_Do_Convert(QObject*) {
  const auto output = ConvertAmount(ToFieldText(convInput_->text()), convSource_->currentIndex(),
                                    convTarget_->currentIndex(), RegionalDecimalSeparator());
  if (output) convOutput_->setText(QString::fromStdString(*output));
}

// --- Application settings -------------------------------------------------

void TForm_Quillon::CheckBox1Click(QObject*) { SetStaysOnTop(this, alwaysOnTop_->isChecked()); }

void TForm_Quillon::CheckBox2Click(QObject*) {
  if (largeFont_->isChecked())
    ScaleWindow(this, 125, 100);
  else
    ScaleWindow(this, 80, 100);
}

void TForm_Quillon::TransparencyChange(QObject*) { setWindowOpacity(transparency_->value() / 255.0); }

// --- Hints ----------------------------------------------------------------

void TForm_Quillon::UpdateHintLine() {
  // The control under the pointer, found the way mouse input is routed: a
  // disabled control other than a label gives way to its container.
  QWidget* control = QApplication::widgetAt(QCursor::pos());
  if (control && control->window() != this) control = nullptr;
  while (control && control != this && !control->isEnabled() && !qobject_cast<QLabel*>(control))
    control = control->parentWidget();
  QString hint;
  for (QWidget* w = control; w && hint.isEmpty(); w = w == this ? nullptr : w->parentWidget())
    hint = w->statusTip();
  const qsizetype bar = hint.indexOf(QLatin1Char('|'));
  if (bar >= 0) hint = hint.mid(bar + 1);
  if (hint == applicationHint_) return;
  applicationHint_ = hint;
  RunHandler(this, [&] { ShowHintInStatusBar(applicationHint_); });
}

void TForm_Quillon::ShowHintInStatusBar(const QString& hint) {
  const qsizetype bar = hint.indexOf(QLatin1Char('|'));
  statusBar_->showMessage(bar >= 0 ? hint.mid(bar + 1) : hint);
}

bool TForm_Quillon::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    // A disabled control shows no bubble: pointing at it counts as pointing
    // at its container, and no container has a bubble.
    auto* w = static_cast<QWidget*>(watched);
    if (!w->isEnabled() && !qobject_cast<QLabel*>(w)) {
      QToolTip::hideText();
      return true;
    }
  } else if (watched == shiftCountEdit_ && event->type() == QEvent::KeyPress) {
    // The arrow keys in the shift-count field step its spinner.
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      RunHandler(this, [&] { shiftCountSpinner_->stepBy(key == Qt::Key_Up ? 1 : -1); });
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TForm_Quillon::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  SnapToWorkArea();
}

void TForm_Quillon::SnapToWorkArea() {
  if (snapping_ || !isVisible() || !screen()) return;
  const QRect frame = frameGeometry();
  const QPoint snapped = SnappedPosition(frame, screen()->availableGeometry());
  if (snapped == frame.topLeft()) return;
  snapping_ = true;
  move(snapped);
  snapping_ = false;
}
