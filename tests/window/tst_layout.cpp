// The window as it starts: controls, places, texts, tab order, and the
// bit numbering switch.

#include <QGroupBox>
#include <QLabel>
#include <QSlider>
#include <QStatusBar>

#include "WindowDriver.h"

class LayoutTest : public QObject {
  Q_OBJECT
 private slots:
  void startsInTheDefaultState();
  void controlsStandWhereTheLayoutPutsThem();
  void bitBoxesRunFromBit31AtTheLeftToBit0AtTheRight();
  void hintsAndBubbles();
  void tabCycleVisitsTheControlsInOrder();
  void bitNumberingSwitchesPerRegister();
  void bitNumberingLeavesValuesAlone();
};

void LayoutTest::startsInTheDefaultState() {
  WindowDriver d;
  QCOMPARE(d.window().windowTitle(), QStringLiteral("Averlin"));
  QCOMPARE(d.window().size(), QSize(584, 465));
  QCOMPARE(d.find<QComboBox>("Combo_DatawordLength")->currentText(), QStringLiteral("32 Bit"));
  QCOMPARE(d.find<QComboBox>("Combo_Signed")->currentText(), QStringLiteral("Unsigned"));
  for (const QString reg : {"Accu1", "Accu2", "Result"}) {
    QCOMPARE(d.hex(reg), QStringLiteral("0"));
    QCOMPARE(d.dec(reg), QStringLiteral("0"));
    QCOMPARE(d.net(reg), QStringLiteral("0.0.0.0"));
    QCOMPARE(d.bits(reg), 0u);
    QCOMPARE(d.find<QPushButton>("btn_" + reg + "_LSB")->text(), QStringLiteral("LSB: 0"));
    for (int bit = 0; bit < 32; ++bit) QCOMPARE(d.bitBox(reg, bit)->isEnabled(), reg != "Result");
  }
  QCOMPARE(d.edit("BitOp_NumBits")->text(), QStringLiteral("1"));
  QCOMPARE(d.edit("Conv_CE_Input")->text(), QStringLiteral("0"));
  QCOMPARE(d.edit("Conv_CE_Output")->text(), QStringLiteral("0"));
  auto* source = d.find<QComboBox>("Conv_CE_Source");
  auto* target = d.find<QComboBox>("Conv_CE_Target");
  QCOMPARE(source->count(), 5);
  QCOMPARE(target->itemText(4), QStringLiteral("TByte"));
  QCOMPARE(source->currentText(), QStringLiteral("Byte"));
  QCOMPARE(target->currentText(), QStringLiteral("kByte"));
  QCOMPARE(d.find<QComboBox>("Combo_DatawordLength")->itemText(0), QStringLiteral("  8 Bit"));
  QVERIFY(d.edit("Edit_ResultHex")->isReadOnly());
  QVERIFY(d.edit("Conv_CE_Output")->isReadOnly());
  QVERIFY(!averlin::UpdatingViews());
  QCOMPARE(QApplication::focusWidget(), d.edit("Edit_Accu1Dec"));
}

void LayoutTest::controlsStandWhereTheLayoutPutsThem() {
  WindowDriver d;
  // Qt's Windows 11 style has no room in this layout (Windows 11, and
  // Wine's prefix set to it, would otherwise get it).
  QVERIFY2(QApplication::style()->name() != QLatin1String("windows11"),
           qPrintable(QApplication::style()->name()));
  const struct {
    const char* name;
    QRect geometry;
  } expected[] = {
      // Two controls a line, as a table.
      // clang-format off
      {"GroupBox_Accu1", {4, 4, 576, 84}},        {"GroupBox_Accu2", {4, 92, 576, 84}},
      {"GroupBox_Result", {4, 180, 576, 84}},     {"GroupBox_OpLogic", {4, 268, 400, 133}},
      {"GroupBox_DataFormat", {412, 268, 168, 69}}, {"GroupBox1", {4, 404, 401, 41}},
      {"GroupBox2", {412, 340, 168, 105}},        {"StatusBar", {0, 446, 584, 19}},
      {"Edit_Accu2Hex", {40, 16, 100, 21}},       {"Edit_ResultDec", {204, 16, 100, 21}},
      {"Edit_Accu1Net", {352, 16, 121, 21}},      {"btn_Accu1_LSB", {520, 16, 48, 22}},
      {"btn_Result_LSB", {520, 16, 46, 22}},      {"btn_ADD", {8, 20, 70, 25}},
      {"btn_XNOR", {164, 72, 70, 25}},            {"btn_ROL", {242, 73, 70, 25}},
      {"btn_RtoA2", {320, 72, 70, 25}},           {"BitOp_NumBits", {320, 102, 56, 21}},
      {"BitOp_NumBitsUpDown", {376, 102, 15, 21}}, {"Combo_Signed", {88, 41, 72, 21}},
      {"CheckBox1", {4, 15, 97, 18}},             {"Transparency", {279, 11, 118, 27}},
      {"Conv_CE_Target", {104, 76, 57, 21}},      {"Label1", {8, 16, 153, 33}},
      // clang-format on
  };
  for (const auto& e : expected) QCOMPARE(d.find(e.name)->geometry(), e.geometry);
  QCOMPARE(d.find<QGroupBox>("GroupBox_Accu1")->title(), QStringLiteral(" Accumulator 1 "));
  QCOMPARE(d.find<QGroupBox>("GroupBox1")->title(), QStringLiteral(" Application Settings "));
  QCOMPARE(d.find<QPushButton>("btn_Swap")->text(), QStringLiteral("A1 <> A2"));
  QCOMPARE(d.find<QLabel>("Label_Accu1Net")->text(), QStringLiteral("Netw.:"));
  QCOMPARE(d.find<QLabel>("Label_ResultBit12")->text(), QStringLiteral(" 12"));
  // Position labels keep their right edge over their bit.
  QCOMPARE(d.find<QLabel>("Label_Accu1Bit0")->geometry().right() + 1, 561);
  QCOMPARE(d.find<QLabel>("Label_Accu2Bit28")->geometry().right() + 1, 69);
  auto* slider = d.find<QSlider>("Transparency");
  QCOMPARE(slider->minimum(), 91);
  QCOMPARE(slider->maximum(), 255);
  QCOMPARE(slider->value(), 255);
  QCOMPARE(slider->tickInterval(), 21);
}

void LayoutTest::bitBoxesRunFromBit31AtTheLeftToBit0AtTheRight() {
  WindowDriver d;
  const int nibbleLeft[8] = {552, 484, 412, 344, 268, 200, 124, 56};
  for (const QString reg : {"Accu1", "Accu2", "Result"}) {
    for (int bit = 0; bit < 32; ++bit)
      QCOMPARE(d.bitBox(reg, bit)->geometry(), QRect(nibbleLeft[bit / 4] - 16 * (bit % 4), 56, 16, 17));
  }
  QCOMPARE(d.bitBox("Accu1", 31)->x(), 8);
}

void LayoutTest::hintsAndBubbles() {
  WindowDriver d;
  QCOMPARE(d.find("btn_AND")->toolTip(), QStringLiteral("Logical AND of ACCUMULATOR 1 and ACCUMULATOR 2."));
  QCOMPARE(d.bitBox("Accu2", 17)->toolTip(), QStringLiteral("Bit 17"));
  QCOMPARE(d.find("BitOp_NumBitsUpDown")->statusTip(),
           QStringLiteral("Defines the number of bit positions for all shift / rotation operations."));
  // These show their hint in the status bar only.
  QCOMPARE(d.find("CheckBox1")->statusTip(),
           QStringLiteral("Always keep the program window on top of other applications."));
  QVERIFY(d.find("CheckBox1")->toolTip().isEmpty());
  QCOMPARE(d.find("btn_Accu1_LSB")->statusTip(),
           QStringLiteral("Switch the LSB indication between '0' and '1'"));
  QVERIFY(d.find("btn_Accu1_LSB")->toolTip().isEmpty());
  // No hint of its own.
  QVERIFY(d.find("CheckBox2")->statusTip().isEmpty());
  QVERIFY(d.find("Edit_Accu1Hex")->statusTip().isEmpty());
  QVERIFY(d.find("GroupBox_Accu1")->statusTip().isEmpty());
}

void LayoutTest::tabCycleVisitsTheControlsInOrder() {
  WindowDriver d;
  QStringList expected;
  for (const QString reg : {"Accu1", "Accu2", "Result"})
    expected += {"Edit_" + reg + "Dec", "Edit_" + reg + "Hex", "Edit_" + reg + "Net", "btn_" + reg + "_LSB"};
  expected += {"btn_ADD",      "btn_SUBTR", "btn_MULT",  "btn_DIV",       "btn_AND",
               "btn_OR",       "btn_XOR",   "btn_NOT",   "btn_NAND",      "btn_NOR",
               "btn_XNOR",     "btn_SHL",   "btn_SHR",   "btn_ROL",       "btn_ROR",
               "btn_Swap",     "btn_RtoA1", "btn_RtoA2", "BitOp_NumBits", "Combo_DatawordLength",
               "Combo_Signed", "CheckBox1"};
  if (d.window().TranslucencyOffered()) expected += "Transparency";
  expected +=
      {"CheckBox2", "Conv_CE_Input", "Conv_CE_Source", "Conv_CE_Output", "Conv_CE_Target", "Edit_Accu1Dec"};
  d.edit("Edit_Accu1Dec")->setFocus();
  QStringList visited{QApplication::focusWidget()->objectName()};
  for (qsizetype i = 1; i < expected.size(); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    visited << QApplication::focusWidget()->objectName();
  }
  QCOMPARE(visited, expected);
}

void LayoutTest::bitNumberingSwitchesPerRegister() {
  WindowDriver d;
  const auto labels = [&d](const QString& reg) {
    QStringList texts;
    for (int bit = 0; bit < 32; bit += 4)
      texts << d.find<QLabel>(QStringLiteral("Label_%1Bit%2").arg(reg).arg(bit))->text();
    return texts;
  };
  d.click("btn_Accu1_LSB");
  QCOMPARE(d.find<QPushButton>("btn_Accu1_LSB")->text(), QStringLiteral("LSB: 1"));
  QCOMPARE(labels("Accu1"), QStringList({"1", "5", "9", "13", "17", "21", "25", "29"}));
  QCOMPARE(d.bitBox("Accu1", 0)->toolTip(), QStringLiteral("Bit 1"));
  QCOMPARE(d.bitBox("Accu1", 31)->statusTip(), QStringLiteral("Bit 32"));
  QCOMPARE(labels("Accu2").first(), QStringLiteral(" 0"));
  QCOMPARE(d.bitBox("Accu2", 0)->toolTip(), QStringLiteral("Bit 0"));
  QCOMPARE(d.find<QLabel>("Label_Accu1Bit0")->geometry().right() + 1, 561);

  d.click("btn_Accu1_LSB");
  QCOMPARE(d.find<QPushButton>("btn_Accu1_LSB")->text(), QStringLiteral("LSB: 0"));
  QCOMPARE(labels("Accu1"), QStringList({"0", "4", "8", "12", "16", "20", "24", "28"}));
  QCOMPARE(d.bitBox("Accu1", 31)->toolTip(), QStringLiteral("Bit 31"));
  QCOMPARE(d.find<QLabel>("Label_Accu1Bit28")->geometry().right() + 1, 69);
  d.click("btn_Accu1_LSB");
  QCOMPARE(labels("Accu1").last(), QStringLiteral("29"));

  // R switches although its boxes are disabled, and keeps its numbering
  // across a change of word length.
  d.click("btn_Result_LSB");
  QCOMPARE(d.bitBox("Result", 5)->statusTip(), QStringLiteral("Bit 6"));
  d.pickWordLength(16);
  QCOMPARE(d.find<QPushButton>("btn_Result_LSB")->text(), QStringLiteral("LSB: 1"));
  QCOMPARE(labels("Result").first(), QStringLiteral("1"));
}

void LayoutTest::bitNumberingLeavesValuesAlone() {
  WindowDriver d;
  d.setRegister("Accu1", "A5");
  d.edit("Edit_Accu1Hex")->setCursorPosition(1);
  d.click("btn_Accu1_LSB");
  QCOMPARE(d.hex("Accu1"), QStringLiteral("A5"));
  QCOMPARE(d.dec("Accu1"), QStringLiteral("165"));
  QCOMPARE(d.bits("Accu1"), 0xA5u);
  QCOMPARE(d.edit("Edit_Accu1Hex")->cursorPosition(), 1);
}

QTEST_MAIN(LayoutTest)
#include "tst_layout.moc"
