#include "Layout.h"

#include <array>

#include "ControlNames.h"

namespace averlin::layout {
namespace {

const QString kBitHintPrefix = QStringLiteral("Bit ");
const QString kLsbHint = QStringLiteral("Switch the LSB indication between '0' and '1'");
const QString kShiftCountHint =
    QStringLiteral("Defines the number of bit positions for all shift / rotation operations.");
const QString kTransparencyHint =
    QStringLiteral("Adjust the window transparency setting. Only available with Windows 2000 or higher.");

const QString kGroupCaptions[3] = {QStringLiteral(" Accumulator 1 "), QStringLiteral(" Accumulator 2 "),
                                   QStringLiteral(" Result ")};

// Left edge of the lowest bit box of each nibble, nibble 0 at the right:
// boxes abut within a nibble, with wider gaps between nibbles and bytes.
constexpr std::array<int, 8> kNibbleLeft{552, 484, 412, 344, 268, 200, 124, 56};
// Position labels over bits 0, 4 .. 28: left edge and width in the layout.
constexpr std::array<std::pair<int, int>, 8> kPositionLabel{
    {{552, 9}, {484, 9}, {412, 9}, {342, 15}, {266, 15}, {198, 15}, {122, 15}, {54, 15}}};

// What a screen reader calls a control whose caption (or label) is
// symbolic or terse: the caption first, as it stands on screen, so that a
// user who says what he sees (a voice control's "click NOT A1") reaches
// it, then in words. A label's closing colon is no part of the name.
QString CaptionFirst(QString caption, const QString& spoken) {
  if (caption.endsWith(QLatin1Char(':'))) caption.chop(1);
  return caption + ", " + spoken;
}

// The rows are kept as a table, a control on a line or two; clang-format
// would spread each long row over a line per field.
// clang-format off
void AddRegisterGroup(std::vector<Control>& c, Register reg, int top) {
  const auto name = [reg](RegisterControl control, int bit = 0) { return ControlName(reg, control, bit); };
  const bool result = reg == Register::R;
  const bool a1 = reg == Register::A1;
  const QString& caption = kGroupCaptions[static_cast<std::size_t>(reg)];
  const QString spoken = caption.trimmed();
  const QString group = name(RegisterControl::Group);
  c.push_back({.name = group, .kind = Kind::GroupBox, .geometry = {4, top, 576, 84}, .text = caption,
               .tabOrder = static_cast<int>(reg) + 1, .accessibleName = spoken});

  const Kind edit = result ? Kind::ReadOnlyEdit : Kind::Edit;
  c.push_back({.name = name(RegisterControl::HexLabel), .kind = Kind::Label, .parent = group,
               .geometry = {8, 19, 27, 13}, .text = "Hex.:"});
  c.push_back({.name = name(RegisterControl::DecLabel), .kind = Kind::Label, .parent = group,
               .geometry = {172, 19, 26, 13}, .text = "Dec.:"});
  c.push_back({.name = name(RegisterControl::NetLabel), .kind = Kind::Label, .parent = group,
               .geometry = {316, 19, 33, 13}, .text = "Netw.:"});
  c.push_back({.name = name(RegisterControl::DecEdit), .kind = edit, .parent = group,
               .geometry = {204, 16, 100, 21}, .tabOrder = 0, .accessibleName = spoken + ", decimal",
               .onEvent = result ? Handler::None : Handler::Edit_AccuDecChange, .keep = {WindowView::RegisterDec, reg}});
  c.push_back({.name = name(RegisterControl::HexEdit), .kind = result ? edit : Kind::HexEdit, .parent = group,
               .geometry = {40, 16, 100, 21}, .tabOrder = 1, .accessibleName = spoken + ", hexadecimal",
               .onEvent = result ? Handler::None : Handler::Edit_AccuHexChange, .keep = {WindowView::RegisterHex, reg}});
  c.push_back({.name = name(RegisterControl::NetEdit), .kind = edit, .parent = group,
               .geometry = {352, 16, 121, 21}, .tabOrder = 2, .accessibleName = spoken + ", dotted quad",
               .onEvent = result ? Handler::None : Handler::AccuNetChange, .keep = {WindowView::RegisterNet, reg}});
  // A bit box's name and hint count its bit as the register numbers its
  // bits, from 0 at the start. R's boxes only show.
  for (int bit = 0; bit < 32; ++bit) {
    const int left = kNibbleLeft[static_cast<std::size_t>(bit / 4)] - 16 * (bit % 4);
    c.push_back({.name = name(RegisterControl::BitBox, bit), .kind = Kind::BitBox, .parent = group,
                 .geometry = {left, 56, 16, 17}, .hint = BitBoxHint(bit), .bubble = true,
                 .accessibleName = BitBoxAccessibleName(reg, bit),
                 .onEvent = result ? Handler::None : a1 ? Handler::Accu1ChangeBit : Handler::Accu2ChangeBit,
                 .enabled = !result, .keep = {WindowView::RegisterBitBox, reg, bit}});
  }
  for (int i = 0; i < 8; ++i) {
    const auto [left, width] = kPositionLabel[static_cast<std::size_t>(i)];
    c.push_back({.name = name(RegisterControl::PositionLabel, 4 * i), .kind = Kind::PositionLabel,
                 .parent = group, .geometry = {left, 45, width, 13}, .text = " " + QString::number(4 * i),
                 .keep = {WindowView::RegisterPositionLabel, reg, i}});
  }
  c.push_back({.name = name(RegisterControl::LsbButton), .kind = Kind::PushButton, .parent = group,
               .geometry = {520, 16, result ? 46 : 48, 22}, .text = LsbCaption(0), .hint = kLsbHint, .tabOrder = 35,
               .accessibleName = LsbAccessibleName(reg, 0),
               .onEvent = result ? Handler::btn_Result_LSBClick : a1 ? Handler::btn_Accu1_LSBClick : Handler::btn_Accu2_LSBClick,
               .keep = {WindowView::RegisterLsb, reg}});
}

void AddOperations(std::vector<Control>& c) {
  const QString group = QStringLiteral("GroupBox_OpLogic");
  c.push_back({.name = group, .kind = Kind::GroupBox, .geometry = {4, 268, 400, 133}, .text = " Operations ",
               .tabOrder = 4, .accessibleName = "Operations"});
  struct Button {
    const char* name;
    const char* caption;
    int left, top;
    const char* hint;
    const char* spoken;  // what the caption says, in words
    Handler onClick;
  };
  static constexpr Button buttons[] = {
      {"btn_ADD", "A1 + A2", 8, 20, "Add ACCUMULATOR 1 and ACCUMULATOR 2.",
       "add A1 and A2", Handler::btn_ADDClick},
      {"btn_SUBTR", "A1 - A2", 8, 46, "Subtract ACCUMULATOR 2 from ACCUMULATOR 1.",
       "subtract A2 from A1", Handler::btn_SUBTRClick},
      {"btn_MULT", "A1 x A2", 8, 73, "Multiply ACCUMULATOR 1 and ACCUMULATOR 2.",
       "multiply A1 and A2", Handler::btn_MULTClick},
      {"btn_DIV", "A1 / A2", 8, 100, "Divide ACCUMULATOR 1 by ACCUMULATOR 2.",
       "divide A1 by A2", Handler::btn_DIVClick},
      {"btn_AND", "A1 AND A2", 86, 20, "Logical AND of ACCUMULATOR 1 and ACCUMULATOR 2.",
       "logical AND of A1 and A2", Handler::btn_ANDClick},
      {"btn_OR", "A1 OR A2", 86, 46, "Logical OR of ACCUMULATOR 1 and ACCUMULATOR 2.",
       "logical OR of A1 and A2", Handler::btn_ORClick},
      {"btn_XOR", "A1 XOR A2", 86, 73, "Exclusive OR of ACCUMULATOR 1 and ACCUMULATOR 2.",
       "exclusive OR of A1 and A2", Handler::btn_XORClick},
      {"btn_NOT", "NOT A1", 86, 100, "Invert ACCUMULATOR 1.",
       "invert A1", Handler::btn_NOTClick},
      {"btn_NAND", "A1 NAND A2", 164, 20, "Logical NAND of ACCUMULATOR 1 and ACCUMULATOR 2.",
       "logical NAND of A1 and A2", Handler::btn_NANDClick},
      {"btn_NOR", "A1 NOR A2", 164, 46, "Logical NOR of ACCUMULATOR 1 and ACCUMULATOR 2.",
       "logical NOR of A1 and A2", Handler::btn_NORClick},
      {"btn_XNOR", "A1 XNOR A2", 164, 72, "Exclusive NOR of ACCUMULATOR 1 and ACCUMULATOR 2.",
       "exclusive NOR of A1 and A2", Handler::btn_XNORClick},
      {"btn_SHL", "SHL A1", 242, 20, "Shift Left ACCUMULATOR 1.",
       "shift A1 left", Handler::btn_SHLClick},
      {"btn_SHR", "SHR A1", 242, 46, "Shift Right ACCUMULATOR 1.",
       "shift A1 right", Handler::btn_SHRClick},
      {"btn_ROL", "ROL A1", 242, 73, "Rotate Left ACCUMULATOR 1.",
       "rotate A1 left", Handler::btn_ROLClick},
      {"btn_ROR", "ROR A1", 242, 100, "Rotate Right ACCUMULATOR 1.",
       "rotate A1 right", Handler::btn_RORClick},
      {"btn_Swap", "A1 <> A2", 320, 20, "Swap content of ACCUMULATOR 1 and ACCUMULATOR 2.",
       "swap A1 and A2", Handler::btn_SwapClick},
      {"btn_RtoA1", "R > A1", 320, 46, "Copy result to ACCUMULATOR 1.",
       "copy the result to A1", Handler::btn_RtoA1Click},
      {"btn_RtoA2", "R > A2", 320, 72, "Copy result to ACCUMULATOR 2.",
       "copy the result to A2", Handler::btn_RtoA2Click},
  };
  int tab = 0;
  for (const Button& b : buttons)
    c.push_back({.name = b.name, .kind = Kind::PushButton, .parent = group, .geometry = {b.left, b.top, 70, 25},
                 .text = b.caption, .hint = b.hint, .bubble = true, .tabOrder = tab++,
                 .accessibleName = CaptionFirst(b.caption, b.spoken), .onEvent = b.onClick});
  c.push_back({.name = "BitOp_NumBitsUpDown", .kind = Kind::UpDown, .parent = group, .geometry = {376, 102, 15, 21},
               .hint = kShiftCountHint, .bubble = true, .accessibleName = "Shift count spinner",
               .buddy = "BitOp_NumBits", .keep = {WindowView::ShiftCountSpinner}});
  c.push_back({.name = "BitOp_NumBits", .kind = Kind::Edit, .parent = group, .geometry = {320, 102, 56, 21},
               .text = "1", .hint = kShiftCountHint, .bubble = true, .tabOrder = 19, .accessibleName = "Shift count",
               .onEvent = Handler::BitOp_NumBits1Change, .keep = {WindowView::ShiftCountEdit}});
}

void AddDataFormat(std::vector<Control>& c) {
  const QString group = QStringLiteral("GroupBox_DataFormat");
  c.push_back({.name = group, .kind = Kind::GroupBox, .geometry = {412, 268, 168, 69}, .text = " Data Format ",
               .tabOrder = 5, .accessibleName = "Data format"});
  const QString wordLength = QStringLiteral("Dataword Size:");
  const QString signedness = QStringLiteral("MSB Repr.:");
  c.push_back({.name = "Label_DatawordLength", .kind = Kind::Label, .parent = group, .geometry = {8, 20, 73, 13},
               .text = wordLength, .buddy = "Combo_DatawordLength"});
  c.push_back({.name = "Label_MSB", .kind = Kind::Label, .parent = group, .geometry = {8, 45, 54, 13},
               .text = signedness, .buddy = "Combo_Signed"});
  c.push_back({.name = "Combo_DatawordLength", .kind = Kind::ComboBox, .parent = group,
               .geometry = {88, 16, 72, 21}, .text = "  8 Bit|16 Bit|32 Bit",
               .hint = "Define the data word length: byte, word or doubleword.", .bubble = true, .tabOrder = 0,
               .accessibleName = CaptionFirst(wordLength, "word length"), .onEvent = Handler::Combo_DatawordLengthChange,
               .keep = {WindowView::WordLengthList}});
  c.push_back({.name = "Combo_Signed", .kind = Kind::ComboBox, .parent = group, .geometry = {88, 41, 72, 21},
               .text = "Unsigned|Signed", .hint = "Most Significant bit representation: Sign bit or data bit.",
               .bubble = true, .tabOrder = 1, .accessibleName = CaptionFirst(signedness, "signedness"), .onEvent = Handler::Combo_SignedChange,
               .keep = {WindowView::SignedList}});
}

void AddSettings(std::vector<Control>& c) {
  const QString group = QStringLiteral("GroupBox1");
  c.push_back({.name = group, .kind = Kind::GroupBox, .geometry = {4, 404, 401, 41},
               .text = " Application Settings ", .tabOrder = 6, .accessibleName = "Application settings"});
  c.push_back({.name = "CheckBox1", .kind = Kind::CheckBox, .parent = group, .geometry = {4, 15, 97, 18},
               .text = "Always On Top", .hint = "Always keep the program window on top of other applications.",
               .tabOrder = 0, .onEvent = Handler::CheckBox1Click,
               .keep = {WindowView::AlwaysOnTop}});
  // Shown only where the windowing system can make the window translucent.
  c.push_back({.name = "Transparency", .kind = Kind::Slider, .parent = group, .geometry = {279, 11, 118, 27},
               .hint = kTransparencyHint, .tabOrder = 1, .accessibleName = "Transparency",
               .onEvent = Handler::TransparencyChange, .visible = false, .range = {91, 255, 21},
               .keep = {WindowView::Transparency}});
  c.push_back({.name = "CheckBox2", .kind = Kind::CheckBox, .parent = group, .geometry = {119, 16, 73, 17},
               .text = "Large Font", .tabOrder = 2, .onEvent = Handler::CheckBox2Click,
               .keep = {WindowView::LargeFont}});
  c.push_back({.name = "Label_Transparency", .kind = Kind::Label, .parent = group, .geometry = {211, 18, 66, 13},
               .text = "Transparency", .hint = kTransparencyHint, .visible = false,
               .keep = {WindowView::TransparencyLabel}});
}

void AddConversionTool(std::vector<Control>& c) {
  const QString group = QStringLiteral("GroupBox2");
  c.push_back({.name = group, .kind = Kind::GroupBox, .geometry = {412, 340, 168, 105},
               .text = " Byte Conversion Tool ", .tabOrder = 7, .accessibleName = "Byte conversion tool"});
  c.push_back({.name = "Label1", .kind = Kind::WrappedLabel, .parent = group, .geometry = {8, 16, 153, 33},
               .text = "This function uses 1024 (2^10) as conversion base."});
  // The unit lists have no caption on screen. Qt on Linux calls a list by
  // its current item, and a screen reader says what the list is from its
  // label, as for the data format lists: these labels are never shown.
  const QString source = QStringLiteral("Source unit");
  const QString target = QStringLiteral("Target unit");
  c.push_back({.name = "Label_ConvSource", .kind = Kind::Label, .parent = group, .text = source,
               .buddy = "Conv_CE_Source", .visible = false});
  c.push_back({.name = "Label_ConvTarget", .kind = Kind::Label, .parent = group, .text = target,
               .buddy = "Conv_CE_Target", .visible = false});
  c.push_back({.name = "Conv_CE_Input", .kind = Kind::Edit, .parent = group, .geometry = {8, 52, 89, 21},
               .text = "0", .tabOrder = 0, .accessibleName = "Amount to convert",
               .onEvent = Handler::Converter_Do_Convert, .keep = {WindowView::ConvInput}});
  c.push_back({.name = "Conv_CE_Source", .kind = Kind::ComboBox, .parent = group, .geometry = {104, 52, 57, 21},
               .tabOrder = 1, .accessibleName = source, .onEvent = Handler::Converter_Do_Convert,
               .keep = {WindowView::ConvSource}});
  c.push_back({.name = "Conv_CE_Output", .kind = Kind::OutputEdit, .parent = group, .geometry = {8, 76, 89, 21},
               .text = "0", .tabOrder = 2, .accessibleName = "Converted amount", .keep = {WindowView::ConvOutput}});
  c.push_back({.name = "Conv_CE_Target", .kind = Kind::ComboBox, .parent = group, .geometry = {104, 76, 57, 21},
               .tabOrder = 3, .accessibleName = target, .onEvent = Handler::Converter_Do_Convert,
               .keep = {WindowView::ConvTarget}});
}
// clang-format on

std::vector<Control> Rows() {
  std::vector<Control> c;
  c.reserve(200);
  c.push_back({.name = "StatusBar",
               .kind = Kind::StatusBar,
               .geometry = {0, 446, 584, 19},
               .keep = {WindowView::StatusBar}});
  AddRegisterGroup(c, Register::A1, 4);
  AddRegisterGroup(c, Register::A2, 92);
  AddRegisterGroup(c, Register::R, 180);
  AddOperations(c);
  AddDataFormat(c);
  AddSettings(c);
  AddConversionTool(c);
  return c;
}

}  // namespace

QString BitBoxAccessibleName(Register reg, int number) {
  return kGroupCaptions[static_cast<std::size_t>(reg)].trimmed() + ", bit " + QString::number(number);
}

QString BitBoxHint(int number) { return kBitHintPrefix + QString::number(number); }

QString LsbCaption(int first) { return QStringLiteral("LSB: %1").arg(first); }

QString LsbAccessibleName(Register reg, int first) {
  return CaptionFirst(LsbCaption(first),
                      kGroupCaptions[static_cast<std::size_t>(reg)].trimmed() + " bit numbering");
}

const std::vector<Control>& Controls() {
  static const std::vector<Control> controls = Rows();
  return controls;
}

}  // namespace averlin::layout
