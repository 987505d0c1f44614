#include "Unit1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMoveEvent>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>

#include "Accessibility.h"
#include "AccessibleStandIns.h"
#include "AppIdentity.h"
#include "ErrorReport.h"
#include "FieldText.h"
#include "HintLine.h"
#include "Layout.h"
#include "PlatformFont.h"
#include "UpDown.h"
#include "WindowPlatform.h"
#include "WindowScaling.h"
#include "byte_conversion.h"
#include "number_text.h"
#include "operations.h"

using namespace averlin;

namespace {

// The calculator's numeric state: one set for the process, which each new
// window sets to its defaults.
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

// Writes the text into the edit (an edit raises its change event only for a
// text that differs) and puts the caret at the end.
void WriteField(QLineEdit* edit, const std::string& text) {
  ViewUpdateHold hold;
  const QString t = FieldText(text);
  if (edit->text() != t) edit->setText(t);
  edit->setCursorPosition(static_cast<int>(edit->text().size()));
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
  setFont(WindowFont());
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Button);
  hintLine_ = std::make_unique<HintLine>(
      this, [this](const QString& hint) { RunHandler(this, [&] { ShowHintInStatusBar(hint); }); });
  // Before the controls exist, so that none of them is ever described by
  // Qt's own interface.
  InstallAccessibleInterfaces();
  announcer_ = std::make_unique<Announcer>(this);
  BuildFromLayout();
  FormCreate();
}

TForm_Quillon::~TForm_Quillon() = default;

void TForm_Quillon::FormCreate() {
  hintLine_->Start();

  const PlatformCapabilities platform = Capabilities();
  if (!platform.staysOnTop) {
    alwaysOnTop_->setEnabled(false);
    alwaysOnTop_->setStatusTip(kStaysOnTopRefusedHint);
    alwaysOnTop_->setProperty(kRefusedByPlatformProperty, true);
  }
  translucencyOffered_ = platform.translucency;
  if (translucencyOffered_) {
    transparency_->setVisible(true);
    transparencyLabel_->setVisible(true);
    transparency_->setPageStep(transparency_->tickInterval());
    transparency_->setValue(255);
    setWindowOpacity(1.0);
  }

  // The registers too: a window made after another one starts at 0 as the
  // first does.
  Model = RegisterModel{};
  Model.SetDataWordLength(DataWordLength::Bits32);
  wordLengthList_->setCurrentIndex(ItemIndex(Model.DataWordLength()));
  Model.SetSignedMode(SignedMode::Unsigned);
  signedList_->setCurrentIndex(ItemIndex(Model.SignedMode()));
  Model.SetWordLimits();
  shiftCountSpinner_->SetMaximum(Model.Limits().ShiftCountMax);
  RefreshAllRegisters(kDecHexNetBits);

  for (QComboBox* list : {convSource_, convTarget_})
    for (const ConvType& unit : ConvUnits) list->addItem(FieldText(unit.Name));
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
  if (const auto entry = FieldEntry(field, CoreText(edit->text()), Model.Value(reg), Model)) {
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
  const int first = v.lsb->text() == layout::LsbCaption(0) ? 1 : 0;
  v.lsb->setText(layout::LsbCaption(first));
  v.lsb->setAccessibleName(layout::LsbAccessibleName(reg, first));
  for (std::size_t i = 0; i < v.positionLabels.size(); ++i) {
    v.positionLabels[i]->setText(QString::number(4 * static_cast<int>(i) + first));
    FitLabelToText(v.positionLabels[i]);
  }
  for (std::size_t bit = 0; bit < v.bits.size(); ++bit) {
    // The name a screen reader says counts as the numbers on screen do.
    const int number = static_cast<int>(bit) + first;
    HintLine::SetHint(v.bits[bit], layout::BitBoxHint(number), !v.bits[bit]->toolTip().isEmpty());
    v.bits[bit]->setAccessibleName(layout::BitBoxAccessibleName(reg, number));
  }
}

void TForm_Quillon::btn_Accu1_LSBClick(QObject*) { SwitchBitNumbering(Register::A1); }
void TForm_Quillon::btn_Accu2_LSBClick(QObject*) { SwitchBitNumbering(Register::A2); }
void TForm_Quillon::btn_Result_LSBClick(QObject*) { SwitchBitNumbering(Register::R); }

// --- Operations -----------------------------------------------------------

void TForm_Quillon::OperationClick(Operation op) {
  const WrittenRegisters written = Apply(Model, op, shiftCountSpinner_->Position());
  if (written.R) {
    // R's views have no handlers, so no hold is needed.
    RefreshRegisterViews(Register::R, kDecHexNetBits);
  } else {
    ViewUpdateHold hold;
    if (written.A1) RefreshRegisterViews(Register::A1, kDecHexNetBits);
    if (written.A2) RefreshRegisterViews(Register::A2, kDecHexNetBits);
  }
  AnnounceRegisters(written);
}

// The focus stays on the operation's button: a screen reader hears what
// the operation wrote as its views now show it.
void TForm_Quillon::AnnounceRegisters(const WrittenRegisters& written) {
  QList<RegisterShown> shown;
  for (const auto& [reg, write] :
       {std::pair{Register::R, written.R}, {Register::A1, written.A1}, {Register::A2, written.A2}}) {
    if (!write) continue;
    const RegisterViews& v = views_[static_cast<std::size_t>(reg)];
    shown.append({v.hex->parentWidget()->accessibleName(), v.dec->text(), v.hex->text()});
  }
  if (!shown.isEmpty()) announcer_->Announce(WrittenRegistersMessage(shown));
}

void TForm_Quillon::btn_ADDClick(QObject*) { OperationClick(Operation::Add); }
void TForm_Quillon::btn_SUBTRClick(QObject*) { OperationClick(Operation::Subtract); }
void TForm_Quillon::btn_MULTClick(QObject*) { OperationClick(Operation::Multiply); }
void TForm_Quillon::btn_DIVClick(QObject*) { OperationClick(Operation::Divide); }
void TForm_Quillon::btn_ANDClick(QObject*) { OperationClick(Operation::And); }
void TForm_Quillon::btn_ORClick(QObject*) { OperationClick(Operation::Or); }
void TForm_Quillon::btn_XORClick(QObject*) { OperationClick(Operation::Xor); }
void TForm_Quillon::btn_NOTClick(QObject*) { OperationClick(Operation::Not); }
void TForm_Quillon::btn_NANDClick(QObject*) { OperationClick(Operation::Nand); }
void TForm_Quillon::btn_NORClick(QObject*) { OperationClick(Operation::Nor); }
void TForm_Quillon::btn_XNORClick(QObject*) { OperationClick(Operation::Xnor); }
void TForm_Quillon::btn_SHLClick(QObject*) { OperationClick(Operation::ShiftLeft); }
void TForm_Quillon::btn_SHRClick(QObject*) { OperationClick(Operation::ShiftRight); }
void TForm_Quillon::btn_ROLClick(QObject*) { OperationClick(Operation::RotateLeft); }
void TForm_Quillon::btn_RORClick(QObject*) { OperationClick(Operation::RotateRight); }
void TForm_Quillon::btn_SwapClick(QObject*) { OperationClick(Operation::Swap); }
void TForm_Quillon::btn_RtoA1Click(QObject*) { OperationClick(Operation::ResultToA1); }
void TForm_Quillon::btn_RtoA2Click(QObject*) { OperationClick(Operation::ResultToA2); }

void TForm_Quillon::BitOp_NumBits1Change(QObject*) {
  const auto entry = ReadShiftCountText(CoreText(shiftCountEdit_->text()), shiftCountSpinner_->Maximum());
  if (!entry) return;
  // The spinner clamps to its own range and writes its new position back,
  // which runs this handler again; the exchange ends once nothing changes.
  shiftCountSpinner_->SetPosition(entry->Position);
  const QString text = FieldText(entry->Text);
  if (shiftCountEdit_->text() != text) shiftCountEdit_->setText(text);
}

// --- Data format ----------------------------------------------------------

void TForm_Quillon::Combo_DatawordLengthChange(QObject*) {
  const auto newLength = ChoiceAt<DataWordLength>(wordLengthList_->currentIndex());
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
  const WordLengthChange change = ChangeDataWordLength(Model, newLength, shiftCountSpinner_->Position());
  shiftCountSpinner_->SetMaximum(change.ShiftCountMax);
  if (change.ClampedShiftCount) shiftCountSpinner_->SetPosition(*change.ClampedShiftCount);
  RefreshAllRegisters(kDecHexNetBits);
}

void TForm_Quillon::Combo_SignedChange(QObject*) {
  ChangeSignedMode(Model, ChoiceAt<SignedMode>(signedList_->currentIndex()));
  RefreshAllRegisters(kDecHexBitsNet);
}

// --- Byte conversion tool -------------------------------------------------

void TForm_Quillon::Converter_Do_Convert(QObject*) {
  const auto output = ConvertAmount(CoreText(convInput_->text()), convSource_->currentIndex(),
                                    convTarget_->currentIndex(), RegionalDecimalSeparator());
  if (output) convOutput_->setText(FieldText(*output));
}

// --- Application settings -------------------------------------------------

void TForm_Quillon::CheckBox1Click(QObject*) { SetStaysOnTop(this, alwaysOnTop_->isChecked()); }

void TForm_Quillon::CheckBox2Click(QObject*) {
  ScaleWindow(this, largeFont_->isChecked() ? kLargeFontUp : kLargeFontDown, kScaleBase);
}

void TForm_Quillon::TransparencyChange(QObject*) { setWindowOpacity(transparency_->value() / 255.0); }

// --- Hints ----------------------------------------------------------------

void TForm_Quillon::ShowHintInStatusBar(const QString& hint) {
  const qsizetype bar = hint.indexOf(QLatin1Char('|'));
  statusBar_->showMessage(bar >= 0 ? hint.mid(bar + 1) : hint);
}

void TForm_Quillon::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  RunHandler(this, [&] { snap_.Moved(this, event->spontaneous()); });
}
