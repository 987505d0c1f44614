// Typing and clicking in the views of A1 and A2 keeps all four views of the
// register in step, with the caret where the user is typing.

#include "WindowDriver.h"
#include "word.h"

// Per format, a value with its top bit set (negative when signed) and one
// without, each with its texts as the window shows them: hexadecimal,
// decimal, dotted quad.
struct ShownValue {
  averlin::Word value;
  QStringList texts;
};
Q_DECLARE_METATYPE(ShownValue)

class DisplaySyncTest : public RegisterCases {
  Q_OBJECT
 private slots:
  void decimalEntryKeepsATextThatDenotesTheStoredValue();
  void decimalEntryOutsideTheLimitsIsRefused();
  void signedEntriesAtEveryLength();
  void hexEntryIsMaskedAndRewritten();
  void hexTypingInTheMiddleKeepsTheCaret();
  void hexFieldUpperCasesTypedLetters();
  void dottedQuadEntryIsMaskedAndRewritten();
  void refusedAndEmptyTextsChangeNothing();
  void deletingAndPastingAreEdits();
  void bitBoxClickChangesOnlyItsRegister();
  void wordLengthChangeUnchecksBoxesAboveTheNewLength();
  void wordLengthTransitionsKeepTheBoxInvariant();
  void signednessChangesOnlyTheDecimalViews();
  void nonAsciiTextIsRefused();
  void everyFieldInEveryFormat_data();
  void everyFieldInEveryFormat();
};

void DisplaySyncTest::decimalEntryKeepsATextThatDenotesTheStoredValue() {
  d->typeOver("Edit_Accu1Dec", "7");
  QCOMPARE(d->hex("Accu1"), QStringLiteral("7"));
  d->key("Edit_Accu1Dec", Qt::Key_Home);
  d->type("Edit_Accu1Dec", "00");
  QCOMPARE(d->dec("Accu1"), QStringLiteral("007"));
  QCOMPARE(d->edit("Edit_Accu1Dec")->cursorPosition(), 2);
  QCOMPARE(d->hex("Accu1"), QStringLiteral("7"));
  QCOMPARE(d->bits("Accu1"), 7u);
  // A digit that changes the value rewrites the field; the caret goes back
  // to its index, here beyond the shorter text and so to its end.
  d->type("Edit_Accu1Dec", "1");
  QCOMPARE(d->dec("Accu1"), QStringLiteral("17"));
  QCOMPARE(d->edit("Edit_Accu1Dec")->cursorPosition(), 2);
  QCOMPARE(d->hex("Accu1"), QStringLiteral("11"));
  QCOMPARE(d->net("Accu1"), QStringLiteral("0.0.0.17"));
}

void DisplaySyncTest::decimalEntryOutsideTheLimitsIsRefused() {
  d->typeOver("Edit_Accu1Dec", "4294967295");
  QCOMPARE(d->hex("Accu1"), QStringLiteral("FFFFFFFF"));
  QCOMPARE(d->bits("Accu1"), 0xFFFFFFFFu);
  d->type("Edit_Accu1Dec", "0");
  QCOMPARE(d->dec("Accu1"), QStringLiteral("42949672950"));
  QCOMPARE(d->hex("Accu1"), QStringLiteral("FFFFFFFF"));

  d->pickWordLength(8);
  d->typeOver("Edit_Accu2Dec", "25");
  d->type("Edit_Accu2Dec", "6");
  QCOMPARE(d->dec("Accu2"), QStringLiteral("256"));
  QCOMPARE(d->hex("Accu2"), QStringLiteral("19"));
  QCOMPARE(d->bits("Accu2"), 25u);
  d->typeOver("Edit_Accu2Dec", "-5");
  QCOMPARE(d->hex("Accu2"), QStringLiteral("19"));
}

void DisplaySyncTest::signedEntriesAtEveryLength() {
  d->pickSigned(true);
  d->pickWordLength(8);
  d->typeOver("Edit_Accu1Dec", "-128");
  QCOMPARE(d->hex("Accu1"), QStringLiteral("80"));
  QCOMPARE(d->bits("Accu1"), 0x80u);
  d->typeOver("Edit_Accu1Dec", "-129");
  QCOMPARE(d->hex("Accu1"), QStringLiteral("F4"));  // "-1" and "-12" were taken on the way
  d->typeOver("Edit_Accu1Dec", "128");
  QCOMPARE(d->hex("Accu1"), QStringLiteral("C"));
  QCOMPARE(d->dec("Accu1"), QStringLiteral("128"));
  // A negative entry never equals the stored 8-bit pattern, so -05 is
  // rewritten at once, the caret staying at its index.
  d->setRegister("Accu1", "0");
  d->typeOver("Edit_Accu1Dec", "-0");
  QCOMPARE(d->dec("Accu1"), QStringLiteral("-0"));
  d->type("Edit_Accu1Dec", "5");
  QCOMPARE(d->dec("Accu1"), QStringLiteral("-5"));
  QCOMPARE(d->hex("Accu1"), QStringLiteral("FB"));
  QCOMPARE(d->edit("Edit_Accu1Dec")->cursorPosition(), 2);
  // At 32 bits -05 denotes the stored value itself and stays.
  d->pickWordLength(32);
  d->typeOver("Edit_Accu1Dec", "-5");
  d->key("Edit_Accu1Dec", Qt::Key_Left);
  d->type("Edit_Accu1Dec", "0");
  QCOMPARE(d->dec("Accu1"), QStringLiteral("-05"));
  QCOMPARE(d->hex("Accu1"), QStringLiteral("FFFFFFFB"));
  d->typeOver("Edit_Accu1Dec", "-2147483648");
  QCOMPARE(d->hex("Accu1"), QStringLiteral("80000000"));
}

void DisplaySyncTest::hexEntryIsMaskedAndRewritten() {
  d->pickWordLength(8);
  d->setRegister("Accu1", "FF");
  d->key("Edit_Accu1Hex", Qt::Key_Home);
  d->type("Edit_Accu1Hex", "1");
  QCOMPARE(d->hex("Accu1"), QStringLiteral("FF"));
  QCOMPARE(d->edit("Edit_Accu1Hex")->cursorPosition(), 1);
  QCOMPARE(d->dec("Accu1"), QStringLiteral("255"));
  // Each digit typed is cut to the word at once.
  d->typeOver("Edit_Accu1Hex", "123");
  QCOMPARE(d->hex("Accu1"), QStringLiteral("23"));
  d->pickWordLength(32);
  // Nine digits are too many: the field keeps them, nothing changes.
  d->typeOver("Edit_Accu1Hex", "12345678");
  d->type("Edit_Accu1Hex", "9");
  QCOMPARE(d->hex("Accu1"), QStringLiteral("123456789"));
  QCOMPARE(d->dec("Accu1"), QStringLiteral("305419896"));
}

void DisplaySyncTest::hexTypingInTheMiddleKeepsTheCaret() {
  d->setRegister("Accu1", "12");
  d->key("Edit_Accu1Hex", Qt::Key_Left);
  d->type("Edit_Accu1Hex", "3");
  QCOMPARE(d->hex("Accu1"), QStringLiteral("132"));
  QCOMPARE(d->edit("Edit_Accu1Hex")->cursorPosition(), 2);
  QCOMPARE(d->dec("Accu1"), QStringLiteral("306"));
  QCOMPARE(d->net("Accu1"), QStringLiteral("0.0.1.50"));
  QCOMPARE(d->bits("Accu1"), 0x132u);
}

void DisplaySyncTest::hexFieldUpperCasesTypedLetters() {
  d->typeOver("Edit_Accu2Hex", "abcdef");
  QCOMPARE(d->hex("Accu2"), QStringLiteral("ABCDEF"));
  QCOMPARE(d->dec("Accu2"), QStringLiteral("11259375"));
}

void DisplaySyncTest::dottedQuadEntryIsMaskedAndRewritten() {
  d->typeOver("Edit_Accu1Net", "192.168.0.1");
  QCOMPARE(d->hex("Accu1"), QStringLiteral("C0A80001"));
  QCOMPARE(d->dec("Accu1"), QStringLiteral("3232235521"));
  d->pickWordLength(8);
  d->typeOver("Edit_Accu2Net", "0.0.1.5");
  QCOMPARE(d->net("Accu2"), QStringLiteral("0.0.0.5"));
  QCOMPARE(d->hex("Accu2"), QStringLiteral("5"));
}

void DisplaySyncTest::refusedAndEmptyTextsChangeNothing() {
  d->setRegister("Accu1", "2A");
  for (const QString field : {"Edit_Accu1Hex", "Edit_Accu1Dec", "Edit_Accu1Net"}) {
    d->typeOver(field, "");
    QCOMPARE(d->edit(field)->text(), QString());
    QCOMPARE(d->bits("Accu1"), 0x2Au);
  }
  // A refused text stays as typed while the other views keep the value;
  // the digits typed before the text went wrong were taken.
  d->typeOver("Edit_Accu1Hex", "2x1");
  QCOMPARE(d->edit("Edit_Accu1Hex")->text(), QStringLiteral("2X1"));
  QCOMPARE(d->dec("Accu1"), QStringLiteral("2"));
  d->typeOver("Edit_Accu1Dec", "3 000");
  QCOMPARE(d->edit("Edit_Accu1Dec")->text(), QStringLiteral("3 000"));
  QCOMPARE(d->hex("Accu1"), QStringLiteral("3"));
  d->typeOver("Edit_Accu1Net", "1.2.3.x");
  QCOMPARE(d->edit("Edit_Accu1Net")->text(), QStringLiteral("1.2.3.x"));
  QCOMPARE(d->hex("Accu1"), QStringLiteral("3"));
  QCOMPARE(d->bits("Accu1"), 0x3u);
}

void DisplaySyncTest::deletingAndPastingAreEdits() {
  d->setRegister("Accu1", "1234");
  d->key("Edit_Accu1Hex", Qt::Key_Backspace);
  QCOMPARE(d->hex("Accu1"), QStringLiteral("123"));
  QCOMPARE(d->dec("Accu1"), QStringLiteral("291"));
  d->key("Edit_Accu1Hex", Qt::Key_Home);
  d->key("Edit_Accu1Hex", Qt::Key_Delete);
  QCOMPARE(d->hex("Accu1"), QStringLiteral("23"));
  QCOMPARE(d->edit("Edit_Accu1Hex")->cursorPosition(), 0);
  d->key("Edit_Accu2Dec", Qt::Key_A, Qt::ControlModifier);
  d->paste("Edit_Accu2Dec", "65535");
  QCOMPARE(d->hex("Accu2"), QStringLiteral("FFFF"));
  QCOMPARE(d->bits("Accu2"), 0xFFFFu);
  d->key("Edit_Accu2Net", Qt::Key_A, Qt::ControlModifier);
  d->paste("Edit_Accu2Net", "10.0.0.1");
  QCOMPARE(d->hex("Accu2"), QStringLiteral("A000001"));
  // Undo is an edit too.
  d->key("Edit_Accu2Net", Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(d->edit("Edit_Accu2Net")->text(), QStringLiteral("0.0.255.255"));
  QCOMPARE(d->hex("Accu2"), QStringLiteral("FFFF"));
}

void DisplaySyncTest::bitBoxClickChangesOnlyItsRegister() {
  d->setRegister("Accu1", "5");
  const QString resultBefore = d->hex("Result");
  d->clickBit("Accu2", 0);
  d->clickBit("Accu2", 31);
  QCOMPARE(d->hex("Accu2"), QStringLiteral("80000001"));
  QCOMPARE(d->dec("Accu2"), QStringLiteral("2147483649"));
  QCOMPARE(d->net("Accu2"), QStringLiteral("128.0.0.1"));
  QCOMPARE(d->edit("Edit_Accu2Net")->cursorPosition(), 9);
  QCOMPARE(d->edit("Edit_Accu2Hex")->cursorPosition(), 8);
  QCOMPARE(d->hex("Accu1"), QStringLiteral("5"));
  QCOMPARE(d->hex("Result"), resultBefore);
  d->clickBit("Accu2", 31);
  QCOMPARE(d->hex("Accu2"), QStringLiteral("1"));
  // R's boxes are disabled: a click changes nothing.
  d->clickBit("Result", 3);
  QVERIFY(!d->bitBox("Result", 3)->isChecked());
}

void DisplaySyncTest::wordLengthChangeUnchecksBoxesAboveTheNewLength() {
  d->setRegister("Accu1", "12345678");
  d->setRegister("Accu2", "FFFFFFFF");
  d->pickWordLength(8);
  QCOMPARE(d->hex("Accu1"), QStringLiteral("78"));
  QCOMPARE(d->hex("Accu2"), QStringLiteral("FF"));
  QCOMPARE(d->dec("Accu2"), QStringLiteral("255"));
  for (int bit = 8; bit < 32; ++bit) {
    QVERIFY(!d->bitBox("Accu1", bit)->isChecked());
    QVERIFY(!d->bitBox("Accu2", bit)->isEnabled());
  }
  d->pickWordLength(32);
  QCOMPARE(d->hex("Accu1"), QStringLiteral("78"));
  for (int bit = 8; bit < 32; ++bit) {
    QVERIFY(d->bitBox("Accu1", bit)->isEnabled());
    QVERIFY(!d->bitBox("Accu1", bit)->isChecked());
  }
}

void DisplaySyncTest::wordLengthTransitionsKeepTheBoxInvariant() {
  for (int bits : {8, 16, 32, 16, 8, 16, 16, 32}) {
    d->pickWordLength(bits);
    for (const QString reg : {"Accu1", "Accu2"})
      for (int bit = 0; bit < 32; ++bit) QCOMPARE(d->bitBox(reg, bit)->isEnabled(), bit < bits);
  }
}

void DisplaySyncTest::signednessChangesOnlyTheDecimalViews() {
  d->pickWordLength(8);
  d->setRegister("Accu1", "FC");
  d->pickSigned(true);
  QCOMPARE(d->dec("Accu1"), QStringLiteral("-4"));
  QCOMPARE(d->hex("Accu1"), QStringLiteral("FC"));
  QCOMPARE(d->net("Accu1"), QStringLiteral("0.0.0.252"));
  QCOMPARE(d->bits("Accu1"), 0xFCu);
  d->pickSigned(false);
  QCOMPARE(d->dec("Accu1"), QStringLiteral("252"));
  // Widening never sign-extends.
  d->pickSigned(true);
  d->pickWordLength(16);
  d->setRegister("Accu2", "8000");
  QCOMPARE(d->dec("Accu2"), QStringLiteral("-32768"));
  d->pickWordLength(32);
  QCOMPARE(d->dec("Accu2"), QStringLiteral("32768"));
}

void DisplaySyncTest::nonAsciiTextIsRefused() {
  d->setRegister("Accu1", "1");
  d->key("Edit_Accu1Dec", Qt::Key_A, Qt::ControlModifier);
  d->paste("Edit_Accu1Dec", QString::fromUtf8("\u0661\u0662"));  // Arabic-Indic digits
  QCOMPARE(d->hex("Accu1"), QStringLiteral("1"));
  d->key("Edit_Accu1Hex", Qt::Key_A, Qt::ControlModifier);
  d->paste("Edit_Accu1Hex", QString::fromUtf8("\u00c9\u00c9"));
  QCOMPARE(d->net("Accu1"), QStringLiteral("0.0.0.1"));
  d->key("Edit_Accu1Net", Qt::Key_A, Qt::ControlModifier);
  d->paste("Edit_Accu1Net", QString::fromUtf8("1.2.3.\u0664"));
  QCOMPARE(d->bits("Accu1"), 1u);
}

void DisplaySyncTest::everyFieldInEveryFormat_data() {
  QTest::addColumn<int>("field");  // an index into the texts
  QTest::addColumn<int>("bits");
  QTest::addColumn<bool>("isSigned");
  QTest::addColumn<ShownValue>("typed");
  QTest::addColumn<ShownValue>("pasted");
  struct Row {
    int bits;
    bool isSigned;
    ShownValue typed, pasted;
  };
  const Row rows[] = {
      {8, false, {0xF0, {"F0", "240", "0.0.0.240"}}, {0x7F, {"7F", "127", "0.0.0.127"}}},
      {8, true, {0xF0, {"F0", "-16", "0.0.0.240"}}, {0x7F, {"7F", "127", "0.0.0.127"}}},
      {16, false, {0x81F0, {"81F0", "33264", "0.0.129.240"}}, {0x567F, {"567F", "22143", "0.0.86.127"}}},
      {16, true, {0x81F0, {"81F0", "-32272", "0.0.129.240"}}, {0x567F, {"567F", "22143", "0.0.86.127"}}},
      {32,
       false,
       {0xA5C381F0, {"A5C381F0", "2781053424", "165.195.129.240"}},
       {0x1234567F, {"1234567F", "305419903", "18.52.86.127"}}},
      {32,
       true,
       {0xA5C381F0, {"A5C381F0", "-1513913872", "165.195.129.240"}},
       {0x1234567F, {"1234567F", "305419903", "18.52.86.127"}}},
  };
  const char* fields[] = {"Hex", "Dec", "Net"};
  for (int field = 0; field < 3; ++field)
    for (const Row& r : rows)
      QTest::addRow("%s %d %s", fields[field], r.bits, r.isSigned ? "signed" : "unsigned")
          << field << r.bits << r.isSigned << r.typed << r.pasted;
}

// Typing a value into one field of A1 and pasting another into the same
// field of A2 shows each in all four views of its register; deleting the
// whole text changes nothing.
void DisplaySyncTest::everyFieldInEveryFormat() {
  QFETCH(int, field);
  QFETCH(int, bits);
  QFETCH(bool, isSigned);
  QFETCH(ShownValue, typed);
  QFETCH(ShownValue, pasted);
  d->pickWordLength(bits);
  d->pickSigned(isSigned);
  const QString edit = QStringList{"Hex", "Dec", "Net"}.at(field);
  const auto expectViews = [&](const QString& reg, const ShownValue& shown) {
    QCOMPARE((QStringList{d->hex(reg), d->dec(reg), d->net(reg)}), shown.texts);
    QCOMPARE(d->bits(reg), shown.value);
  };
  d->typeOver("Edit_Accu1" + edit, typed.texts.at(field));
  expectViews("Accu1", typed);
  QCOMPARE(d->edit("Edit_Accu1" + edit)->cursorPosition(), typed.texts.at(field).size());
  d->key("Edit_Accu2" + edit, Qt::Key_A, Qt::ControlModifier);
  d->paste("Edit_Accu2" + edit, pasted.texts.at(field));
  expectViews("Accu2", pasted);
  expectViews("Accu1", typed);
  d->typeOver("Edit_Accu2" + edit, "");
  QCOMPARE(d->edit("Edit_Accu2" + edit)->text(), QString());
  QCOMPARE(d->bits("Accu2"), pasted.value);
}

QTEST_MAIN(DisplaySyncTest)
#include "tst_display_sync.moc"
