#include "Layout.h"

#include <array>

namespace averlin::layout {
namespace {

const QString kBitHintPrefix = QStringLiteral("Bit ");
const QString kLsbHint = QStringLiteral("Switch the LSB indication between '0' and '1'");
const QString kShiftCountHint =
    QStringLiteral("Defines the number of bit positions for all shift / rotation operations.");
const QString kTransparencyHint =
    QStringLiteral("Adjust the window transparency setting. Only available with Windows 2000 or higher.");

// Left edge of the lowest bit box of each nibble, nibble 0 at the right:
// boxes abut within a nibble, with wider gaps between nibbles and bytes.
constexpr std::array<int, 8> kNibbleLeft{552, 484, 412, 344, 268, 200, 124, 56};
// Position labels over bits 0, 4 .. 28: left edge and width in the layout.
constexpr std::array<std::pair<int, int>, 8> kPositionLabel{
    {{552, 9}, {484, 9}, {412, 9}, {342, 15}, {266, 15}, {198, 15}, {122, 15}, {54, 15}}};

// The rows are kept as a table, a control on a line or two; clang-format
// would spread each long row over a line per field.
// clang-format off
void AddRegisterGroup(std::vector<Control>& c, int reg, int top) {
  const QString& r = kRegisterNames[reg];
  const QString group = QStringLiteral("GroupBox_") + r;
  const bool result = reg == 2;
  static const QString captions[3] = {QStringLiteral(" Accumulator 1 "), QStringLiteral(" Accumulator 2 "),
                                      QStringLiteral(" Result ")};
  const QString spoken = captions[reg].trimmed();
  c.push_back({group, Kind::GroupBox, {}, {4, top, 576, 84}, captions[reg], {}, false, reg + 1, spoken});

  const Kind edit = result ? Kind::ReadOnlyEdit : Kind::Edit;
  c.push_back({"Label_" + r + "Hex", Kind::Label, group, {8, 19, 27, 13}, "Hex.:"});
  c.push_back({"Label_" + r + "Dec", Kind::Label, group, {172, 19, 26, 13}, "Dec.:"});
  c.push_back({"Label_" + r + "Net", Kind::Label, group, {316, 19, 33, 13}, "Netw.:"});
  c.push_back({"Edit_" + r + "Dec", edit, group, {204, 16, 100, 21}, {}, {}, false, 0, spoken + ", decimal"});
  c.push_back({"Edit_" + r + "Hex", result ? edit : Kind::HexEdit, group, {40, 16, 100, 21}, {}, {}, false, 1,
               spoken + ", hexadecimal"});
  c.push_back({"Edit_" + r + "Net", edit, group, {352, 16, 121, 21}, {}, {}, false, 2,
               spoken + ", dotted quad"});
  // A bit box is named after the bit's weight, whichever numbering the
  // register shows; its hint follows the numbering.
  for (int bit = 0; bit < 32; ++bit) {
    const int left = kNibbleLeft[static_cast<std::size_t>(bit / 4)] - 16 * (bit % 4);
    c.push_back({"CheckBox_" + r + "Bit" + QString::number(bit), Kind::BitBox, group, {left, 56, 16, 17}, {},
                 kBitHintPrefix + QString::number(bit), true, -1, spoken + ", bit " + QString::number(bit)});
  }
  for (int i = 0; i < 8; ++i) {
    const auto [left, width] = kPositionLabel[static_cast<std::size_t>(i)];
    c.push_back({"Label_" + r + "Bit" + QString::number(4 * i), Kind::PositionLabel, group,
                 {left, 45, width, 13}, " " + QString::number(4 * i)});
  }
  c.push_back({"btn_" + r + "_LSB", Kind::PushButton, group, {520, 16, result ? 46 : 48, 22}, "LSB: 0",
               kLsbHint, false, 35, spoken + " bit numbering"});
}

void AddOperations(std::vector<Control>& c) {
  const QString group = QStringLiteral("GroupBox_OpLogic");
  c.push_back({group, Kind::GroupBox, {}, {4, 268, 400, 133}, " Operations ", {}, false, 4, "Operations"});
  struct Button {
    const char* name;
    const char* caption;
    int left, top;
    const char* hint;
    const char* accessibleName;
  };
  static constexpr Button buttons[] = {
      {"btn_ADD", "A1 + A2", 8, 20, "Add ACCUMULATOR 1 and ACCUMULATOR 2.",
       "Add A1 and A2"},
      {"btn_SUBTR", "A1 - A2", 8, 46, "Subtract ACCUMULATOR 2 from ACCUMULATOR 1.",
       "Subtract A2 from A1"},
      {"btn_MULT", "A1 x A2", 8, 73, "Multiply ACCUMULATOR 1 and ACCUMULATOR 2.",
       "Multiply A1 and A2"},
      {"btn_DIV", "A1 / A2", 8, 100, "Divide ACCUMULATOR 1 by ACCUMULATOR 2.",
       "Divide A1 by A2"},
      {"btn_AND", "A1 AND A2", 86, 20, "Logical AND of ACCUMULATOR 1 and ACCUMULATOR 2.",
       "Logical AND of A1 and A2"},
      {"btn_OR", "A1 OR A2", 86, 46, "Logical OR of ACCUMULATOR 1 and ACCUMULATOR 2.",
       "Logical OR of A1 and A2"},
      {"btn_XOR", "A1 XOR A2", 86, 73, "Exclusive OR of ACCUMULATOR 1 and ACCUMULATOR 2.",
       "Exclusive OR of A1 and A2"},
      {"btn_NOT", "NOT A1", 86, 100, "Invert ACCUMULATOR 1.",
       "Invert A1"},
      {"btn_NAND", "A1 NAND A2", 164, 20, "Logical NAND of ACCUMULATOR 1 and ACCUMULATOR 2.",
       "Logical NAND of A1 and A2"},
      {"btn_NOR", "A1 NOR A2", 164, 46, "Logical NOR of ACCUMULATOR 1 and ACCUMULATOR 2.",
       "Logical NOR of A1 and A2"},
      {"btn_XNOR", "A1 XNOR A2", 164, 72, "Exclusive NOR of ACCUMULATOR 1 and ACCUMULATOR 2.",
       "Exclusive NOR of A1 and A2"},
      {"btn_SHL", "SHL A1", 242, 20, "Shift Left ACCUMULATOR 1.",
       "Shift A1 left"},
      {"btn_SHR", "SHR A1", 242, 46, "Shift Right ACCUMULATOR 1.",
       "Shift A1 right"},
      {"btn_ROL", "ROL A1", 242, 73, "Rotate Left ACCUMULATOR 1.",
       "Rotate A1 left"},
      {"btn_ROR", "ROR A1", 242, 100, "Rotate Right ACCUMULATOR 1.",
       "Rotate A1 right"},
      {"btn_Swap", "A1 <> A2", 320, 20, "Swap content of ACCUMULATOR 1 and ACCUMULATOR 2.",
       "Swap A1 and A2"},
      {"btn_RtoA1", "R > A1", 320, 46, "Copy result to ACCUMULATOR 1.",
       "Copy the result to A1"},
      {"btn_RtoA2", "R > A2", 320, 72, "Copy result to ACCUMULATOR 2.",
       "Copy the result to A2"},
  };
  int tab = 0;
  for (const Button& b : buttons)
    c.push_back({b.name, Kind::PushButton, group, {b.left, b.top, 70, 25}, b.caption, b.hint, true, tab++,
                 b.accessibleName});
  c.push_back({"BitOp_NumBitsUpDown", Kind::UpDown, group, {376, 102, 15, 21}, {}, kShiftCountHint, true, -1,
               "Shift count spinner"});
  c.push_back({"BitOp_NumBits", Kind::Edit, group, {320, 102, 56, 21}, "1", kShiftCountHint, true, 19,
               "Shift count"});
}

void AddDataFormat(std::vector<Control>& c) {
  const QString group = QStringLiteral("GroupBox_DataFormat");
  c.push_back({group, Kind::GroupBox, {}, {412, 268, 168, 69}, " Data Format ", {}, false, 5, "Data format"});
  c.push_back({"Label_DatawordLength", Kind::Label, group, {8, 20, 73, 13}, "Dataword Size:"});
  c.push_back({"Label_MSB", Kind::Label, group, {8, 45, 54, 13}, "MSB Repr.:"});
  c.push_back({"Combo_DatawordLength", Kind::ComboBox, group, {88, 16, 72, 21}, "  8 Bit|16 Bit|32 Bit",
               "Define the data word length: byte, word or doubleword.", true, 0, "Word length"});
  c.push_back({"Combo_Signed", Kind::ComboBox, group, {88, 41, 72, 21}, "Unsigned|Signed",
               "Most Significant bit representation: Sign bit or data bit.", true, 1, "Signedness"});
}

void AddSettings(std::vector<Control>& c) {
  const QString group = QStringLiteral("GroupBox1");
  c.push_back({group, Kind::GroupBox, {}, {4, 404, 401, 41}, " Application Settings ", {}, false, 6,
               "Application settings"});
  c.push_back({"CheckBox1", Kind::CheckBox, group, {4, 15, 97, 18}, "Always On Top",
               "Always keep the program window on top of other applications.", false, 0, "Always on top"});
  c.push_back({"Transparency", Kind::Slider, group, {279, 11, 118, 27}, {}, kTransparencyHint, false, 1,
               "Transparency"});
  c.push_back({"CheckBox2", Kind::CheckBox, group, {119, 16, 73, 17}, "Large Font", {}, false, 2,
               "Large font"});
  c.push_back({"Label_Transparency", Kind::Label, group, {211, 18, 66, 13}, "Transparency",
               kTransparencyHint});
}

void AddConversionTool(std::vector<Control>& c) {
  const QString group = QStringLiteral("GroupBox2");
  c.push_back({group, Kind::GroupBox, {}, {412, 340, 168, 105}, " Byte Conversion Tool ", {}, false, 7,
               "Byte conversion tool"});
  c.push_back({"Label1", Kind::WrappedLabel, group, {8, 16, 153, 33},
               "This function uses 1024 (2^10) as conversion base."});
  c.push_back({"Conv_CE_Input", Kind::Edit, group, {8, 52, 89, 21}, "0", {}, false, 0, "Amount to convert"});
  c.push_back({"Conv_CE_Source", Kind::ComboBox, group, {104, 52, 57, 21}, {}, {}, false, 1, "Source unit"});
  c.push_back({"Conv_CE_Output", Kind::OutputEdit, group, {8, 76, 89, 21}, "0", {}, false, 2,
               "Converted amount"});
  c.push_back({"Conv_CE_Target", Kind::ComboBox, group, {104, 76, 57, 21}, {}, {}, false, 3, "Target unit"});
}
// clang-format on

std::vector<Control> BuildControls() {
  std::vector<Control> c;
  c.reserve(200);
  c.push_back({"StatusBar", Kind::StatusBar, {}, {0, 446, 584, 19}});
  AddRegisterGroup(c, 0, 4);
  AddRegisterGroup(c, 1, 92);
  AddRegisterGroup(c, 2, 180);
  AddOperations(c);
  AddDataFormat(c);
  AddSettings(c);
  AddConversionTool(c);
  return c;
}

}  // namespace

const std::vector<Control>& Controls() {
  static const std::vector<Control> controls = BuildControls();
  return controls;
}

}  // namespace averlin::layout
