// The operation buttons, the shift count, the data format lists, the error
// report and the byte conversion tool, driven through their controls.

#include "UpDown.h"
#include "WindowDriver.h"

class OperationsTest : public RegisterCases {
  Q_OBJECT
 private slots:
  void arithmeticWrapsInEveryWordLength();
  void logicShiftsAndRotates();
  void divisionByZeroIsReported();
  void divisionShowsTheQuotientInEveryView();
  void movesRefreshOnlyTheRegistersTheyWrite();
  void shiftCountFieldIsClampedAtTheTop();
  void shiftCountSpinnerWrapsAndFollowsTheWordLength();
  void shiftCountOutOfRangeIsReported();
  void shiftCountBelowOneUsesTheSpinnerMinimum();
  void converterFollowsItsInputAndUnits();

 private:
  void compute(const QString& a1, const QString& a2, const QString& button) {
    d->setRegister("Accu1", a1);
    d->setRegister("Accu2", a2);
    d->click(button);
  }
};

void OperationsTest::arithmeticWrapsInEveryWordLength() {
  d->pickWordLength(8);
  compute("C8", "64", "btn_ADD");  // 200 + 100
  QCOMPARE(d->hex("Result"), QStringLiteral("2C"));
  QCOMPARE(d->dec("Result"), QStringLiteral("44"));
  compute("0", "1", "btn_SUBTR");
  QCOMPARE(d->dec("Result"), QStringLiteral("255"));
  d->pickSigned(true);
  QCOMPARE(d->dec("Result"), QStringLiteral("-1"));
  d->typeOver("Edit_Accu1Dec", "-3");
  d->typeOver("Edit_Accu2Dec", "5");
  d->click("btn_MULT");
  QCOMPARE(d->hex("Result"), QStringLiteral("F1"));
  QCOMPARE(d->dec("Result"), QStringLiteral("-15"));
  d->pickSigned(false);
  d->pickWordLength(16);
  d->typeOver("Edit_Accu1Dec", "300");
  d->typeOver("Edit_Accu2Dec", "300");
  d->click("btn_MULT");
  QCOMPARE(d->hex("Result"), QStringLiteral("5F90"));
  QCOMPARE(d->net("Result"), QStringLiteral("0.0.95.144"));
  QCOMPARE(d->bits("Result"), 0x5F90u);
  d->pickWordLength(32);
  compute("FFFFFFFF", "2", "btn_ADD");
  QCOMPARE(d->hex("Result"), QStringLiteral("1"));
}

void OperationsTest::logicShiftsAndRotates() {
  d->pickWordLength(8);
  const struct {
    const char* button;
    const char* result;
  } logic[] = {{"btn_AND", "3"},   {"btn_OR", "3F"},  {"btn_XOR", "3C"}, {"btn_NOT", "F0"},
               {"btn_NAND", "FC"}, {"btn_NOR", "C0"}, {"btn_XNOR", "C3"}};
  for (const auto& op : logic) {
    compute("F", "33", op.button);
    QCOMPARE(d->hex("Result"), QString::fromLatin1(op.result));
  }
  const struct {
    const char* button;
    const char* result;
  } shifts[] = {{"btn_SHL", "2"}, {"btn_SHR", "40"}, {"btn_ROL", "3"}, {"btn_ROR", "C0"}};
  for (const auto& op : shifts) {
    compute("81", "0", op.button);
    QCOMPARE(d->hex("Result"), QString::fromLatin1(op.result));
  }
  d->pickWordLength(32);
  d->typeOver("BitOp_NumBits", "8");
  compute("12345678", "0", "btn_ROL");
  QCOMPARE(d->hex("Result"), QStringLiteral("34567812"));
  d->click("btn_ROR");
  QCOMPARE(d->hex("Result"), QStringLiteral("78123456"));
  d->typeOver("BitOp_NumBits", "31");
  compute("80000000", "0", "btn_SHR");
  QCOMPARE(d->hex("Result"), QStringLiteral("1"));
}

void OperationsTest::divisionByZeroIsReported() {
  d->setRegister("Accu1", "9");
  d->setRegister("Accu2", "3");
  d->click("btn_DIV");
  QCOMPARE(d->hex("Result"), QStringLiteral("3"));
  d->setRegister("Accu2", "0");
  QString caption;
  QCOMPARE(d->errorReportOf([this] { d->click("btn_DIV"); }, &caption), QStringLiteral("Division by zero."));
  QCOMPARE(caption, QStringLiteral("Averlin"));
  QCOMPARE(d->hex("Result"), QStringLiteral("3"));
  QCOMPARE(d->net("Result"), QStringLiteral("0.0.0.3"));
  // The program goes on.
  d->click("btn_ADD");
  QCOMPARE(d->hex("Result"), QStringLiteral("9"));
}

void OperationsTest::divisionShowsTheQuotientInEveryView() {
  compute("FFFFFFFE", "2", "btn_DIV");
  QCOMPARE(d->hex("Result"), QStringLiteral("7FFFFFFF"));
  QCOMPARE(d->dec("Result"), QStringLiteral("2147483647"));
  QCOMPARE(d->net("Result"), QStringLiteral("127.255.255.255"));
  QCOMPARE(d->bits("Result"), 0x7FFFFFFFu);
  d->pickWordLength(8);
  d->pickSigned(true);
  d->typeOver("Edit_Accu1Dec", "-4");
  d->typeOver("Edit_Accu2Dec", "2");
  d->click("btn_DIV");
  QCOMPARE(d->dec("Result"), QStringLiteral("126"));
}

void OperationsTest::movesRefreshOnlyTheRegistersTheyWrite() {
  compute("AB", "CD", "btn_ADD");
  d->click("btn_Swap");
  QCOMPARE(d->hex("Accu1"), QStringLiteral("CD"));
  QCOMPARE(d->hex("Accu2"), QStringLiteral("AB"));
  QCOMPARE(d->bits("Accu1"), 0xCDu);
  QCOMPARE(d->hex("Result"), QStringLiteral("178"));
  d->click("btn_RtoA1");
  QCOMPARE(d->hex("Accu1"), QStringLiteral("178"));
  QCOMPARE(d->dec("Accu1"), QStringLiteral("376"));
  QCOMPARE(d->hex("Accu2"), QStringLiteral("AB"));
  d->click("btn_RtoA2");
  QCOMPARE(d->bits("Accu2"), 0x178u);
  // R > A1 with R = 0 clears every view of A1 at once.
  compute("FF", "0", "btn_AND");
  QCOMPARE(d->hex("Result"), QStringLiteral("0"));
  d->click("btn_RtoA1");
  QCOMPARE(d->hex("Accu1"), QStringLiteral("0"));
  QCOMPARE(d->net("Accu1"), QStringLiteral("0.0.0.0"));
  QCOMPARE(d->bits("Accu1"), 0u);
}

void OperationsTest::shiftCountFieldIsClampedAtTheTop() {
  d->typeOver("BitOp_NumBits", "007");
  QCOMPARE(d->edit("BitOp_NumBits")->text(), QStringLiteral("7"));
  d->typeOver("BitOp_NumBits", "99");
  QCOMPARE(d->edit("BitOp_NumBits")->text(), QStringLiteral("31"));
  d->pickWordLength(16);
  QCOMPARE(d->edit("BitOp_NumBits")->text(), QStringLiteral("15"));
  d->typeOver("BitOp_NumBits", "40");
  QCOMPARE(d->edit("BitOp_NumBits")->text(), QStringLiteral("15"));
  compute("1", "0", "btn_SHL");
  QCOMPARE(d->hex("Result"), QStringLiteral("8000"));
  // Refused texts stay as typed; the shifts keep the last count.
  for (const QString text : {"abc", "-", ""}) {
    d->typeOver("BitOp_NumBits", text);
    QCOMPARE(d->edit("BitOp_NumBits")->text(), text);
    d->click("btn_SHL");
    QCOMPARE(d->hex("Result"), QStringLiteral("8000"));
  }
  d->pickWordLength(8);
  QCOMPARE(d->find<averlin::UpDown>("BitOp_NumBitsUpDown")->Position(), 7);
  d->pickWordLength(32);
  QCOMPARE(d->find<averlin::UpDown>("BitOp_NumBitsUpDown")->Position(), 7);
  QCOMPARE(d->edit("BitOp_NumBits")->text(), QStringLiteral("7"));
}

void OperationsTest::shiftCountSpinnerWrapsAndFollowsTheWordLength() {
  auto* spinner = d->find<averlin::UpDown>("BitOp_NumBitsUpDown");
  d->typeOver("BitOp_NumBits", "1");
  QTest::mouseClick(spinner->findChild<QWidget*>("Down"), Qt::LeftButton);
  QCOMPARE(d->edit("BitOp_NumBits")->text(), QStringLiteral("31"));
  QTest::mouseClick(spinner->findChild<QWidget*>("Up"), Qt::LeftButton);
  QCOMPARE(d->edit("BitOp_NumBits")->text(), QStringLiteral("1"));
  d->key("BitOp_NumBits", Qt::Key_Up);
  d->key("BitOp_NumBits", Qt::Key_Up);
  QCOMPARE(d->edit("BitOp_NumBits")->text(), QStringLiteral("3"));
  d->pickWordLength(8);
  d->key("BitOp_NumBits", Qt::Key_Down);
  d->key("BitOp_NumBits", Qt::Key_Down);
  d->key("BitOp_NumBits", Qt::Key_Down);
  QCOMPARE(d->edit("BitOp_NumBits")->text(), QStringLiteral("7"));
  QCOMPARE(spinner->Maximum(), 7);
  d->pickWordLength(32);
  QCOMPARE(spinner->Maximum(), 31);
}

void OperationsTest::shiftCountOutOfRangeIsReported() {
  d->typeOver("BitOp_NumBits", "5");
  // Typed digit by digit the count is clamped long before; a paste can
  // take the text past the 32-bit range.
  d->key("BitOp_NumBits", Qt::Key_A, Qt::ControlModifier);
  QString caption;
  QString report = d->errorReportOf([this] { d->paste("BitOp_NumBits", "999999999999"); }, &caption);
  QCOMPARE(report, QStringLiteral("'999999999999' is not a valid integer value."));
  QCOMPARE(caption, QStringLiteral("Averlin"));
  QCOMPARE(d->edit("BitOp_NumBits")->text(), QStringLiteral("999999999999"));
  QCOMPARE(d->find<averlin::UpDown>("BitOp_NumBitsUpDown")->Position(), 5);
  // Every further change that stays out of range reports again.
  report = d->errorReportOf([this] { d->key("BitOp_NumBits", Qt::Key_Backspace); });
  QCOMPARE(report, QStringLiteral("'99999999999' is not a valid integer value."));
  report = d->errorReportOf([this] { d->type("BitOp_NumBits", "8"); });
  QCOMPARE(report, QStringLiteral("'999999999998' is not a valid integer value."));
  QCOMPARE(d->find<averlin::UpDown>("BitOp_NumBitsUpDown")->Position(), 5);
  compute("1", "0", "btn_SHL");
  QCOMPARE(d->hex("Result"), QStringLiteral("20"));
}

void OperationsTest::shiftCountBelowOneUsesTheSpinnerMinimum() {
  d->typeOver("BitOp_NumBits", "4");
  d->typeOver("BitOp_NumBits", "-0");
  QCOMPARE(d->edit("BitOp_NumBits")->text(), QStringLiteral("0"));
  QCOMPARE(d->find<averlin::UpDown>("BitOp_NumBitsUpDown")->Position(), 1);
  compute("1", "0", "btn_SHL");
  QCOMPARE(d->hex("Result"), QStringLiteral("2"));
  // Typing on from 0 reads the whole text again.
  d->type("BitOp_NumBits", "5");
  QCOMPARE(d->edit("BitOp_NumBits")->text(), QStringLiteral("5"));
  QCOMPARE(d->find<averlin::UpDown>("BitOp_NumBitsUpDown")->Position(), 5);
}

void OperationsTest::converterFollowsItsInputAndUnits() {
  const struct {
    const char* input;
    const char* output;
  } kByte[] = {{"1536", "1.50"}, {"512", "0.50"}, {"5", "0.00"}, {"6", "0.01"}};
  for (const auto& c : kByte) {
    d->typeOver("Conv_CE_Input", c.input);
    QCOMPARE(d->edit("Conv_CE_Output")->text(), QString::fromLatin1(c.output));
  }
  // Refused input leaves the output standing, also across a unit change.
  for (const QString refused : {"1.2.3", "12a", "-1", "1,5", ""}) {
    d->key("Conv_CE_Input", Qt::Key_A, Qt::ControlModifier);
    if (refused.isEmpty())
      d->key("Conv_CE_Input", Qt::Key_Delete);
    else
      d->paste("Conv_CE_Input", refused);
    QCOMPARE(d->edit("Conv_CE_Input")->text(), refused);
    QCOMPARE(d->edit("Conv_CE_Output")->text(), QStringLiteral("0.01"));
  }
  d->pick("Conv_CE_Source", 4);
  QCOMPARE(d->edit("Conv_CE_Output")->text(), QStringLiteral("0.01"));
  d->typeOver("Conv_CE_Input", "1");
  QCOMPARE(d->edit("Conv_CE_Output")->text(), QStringLiteral("1073741824.00"));
  d->pick("Conv_CE_Target", 0);
  QCOMPARE(d->edit("Conv_CE_Output")->text(), QStringLiteral("1099511627776.00"));
  d->typeOver("Conv_CE_Input", "1000000");
  QCOMPARE(d->edit("Conv_CE_Output")->text(), QStringLiteral("1.099511627776E18"));
}

QTEST_MAIN(OperationsTest)
#include "tst_operations.moc"
