// What a screen reader finds in the window: a name for every control, and
// the register views of R reported as read-only or unavailable.

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QHash>
#include <algorithm>

#include "Layout.h"
#include "WindowDriver.h"
#include "WindowPlatform.h"

namespace {

// The roles of the controls a user can work: each needs a name of its own.
bool IsControlRole(QAccessible::Role role) {
  switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::EditableText:
    case QAccessible::ComboBox:
    case QAccessible::SpinBox:
    case QAccessible::Slider: return true;
    default: return false;
  }
}

// Every interface below the root, depth first. A drop-down list's children
// are its popup and items, named by the items' texts, and are left out.
void Collect(QAccessibleInterface* node, QList<QAccessibleInterface*>& out) {
  for (int i = 0; i < node->childCount(); ++i) {
    QAccessibleInterface* child = node->child(i);
    if (!child) continue;
    out.append(child);
    if (child->role() != QAccessible::ComboBox) Collect(child, out);
  }
}

// The accessibility tree of the window, each interface under the name of
// the control it stands for.
QHash<QString, QAccessibleInterface*> Tree(QWidget& window) {
  QList<QAccessibleInterface*> all;
  Collect(QAccessible::queryAccessibleInterface(&window), all);
  QHash<QString, QAccessibleInterface*> byName;
  for (QAccessibleInterface* iface : std::as_const(all))
    if (iface->object() && !iface->object()->objectName().isEmpty())
      byName.insert(iface->object()->objectName(), iface);
  return byName;
}

}  // namespace

class AccessibilityTest : public QObject {
  Q_OBJECT
 private slots:
  void everyControlHasAName();
  void namesSayWhatEachControlIs();
  void everyHintIsItsControlsDescription();
  void bitBoxesAreNamedAsTheirRegisterNumbersThem();
  void resultViewsAreReadOnlyAndReachable();
  void onlyEditableViewsTakeWritesFromAssistiveTechnology();
  void shiftCountSpinnerIsASpinButtonOverTheWordsShifts();
  void bitBoxesOutsideTheWordAreUnavailable();
  void wholeValuesListItemsAndShiftCountAreReadable();
};

void AccessibilityTest::everyControlHasAName() {
  WindowDriver d;
  QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&d.window());
  QVERIFY(window);
  QCOMPARE(window->text(QAccessible::Name), QStringLiteral("Averlin"));
  QList<QAccessibleInterface*> all;
  Collect(window, all);
  // Without a name of its own a control is called after its group, so
  // every name must also tell its control from the others. On X11 Qt calls
  // a drop-down list after its current item, which need not be unique.
  QHash<QString, QString> controlNamed;
  int controls = 0;
  for (QAccessibleInterface* iface : std::as_const(all)) {
    if (!iface->state().focusable && !IsControlRole(iface->role())) continue;
    ++controls;
    const QString what = iface->object() ? iface->object()->objectName() : QStringLiteral("(no object)");
    const QString name = iface->text(QAccessible::Name).trimmed();
    QVERIFY2(!name.isEmpty(), qPrintable(what + " has no accessible name"));
    if (iface->role() == QAccessible::ComboBox) continue;
    QVERIFY2(!controlNamed.contains(name), qPrintable(what + " has the name of " + controlNamed.value(name)));
    controlNamed.insert(name, what);
  }
  // 12 fields, 96 bit boxes, 2 check boxes, 3 + 18 buttons, the spinner, 4
  // drop-down lists and the slider.
  QCOMPARE(controls, 137);
}

void AccessibilityTest::namesSayWhatEachControlIs() {
  WindowDriver d;
  const QHash<QString, QAccessibleInterface*> tree = Tree(d.window());
  const struct {
    const char* control;
    const char* name;
  } expected[] = {
      {"Edit_Accu1Hex", "Accumulator 1, hexadecimal"},
      {"Edit_Accu2Net", "Accumulator 2, dotted quad"},
      {"Edit_ResultDec", "Result, decimal"},
      {"CheckBox_Accu2Bit17", "Accumulator 2, bit 17"},
      {"CheckBox_ResultBit0", "Result, bit 0"},
      {"btn_Accu1_LSB", "LSB: 0, Accumulator 1 bit numbering"},
      {"btn_Result_LSB", "LSB: 0, Result bit numbering"},
      {"btn_ADD", "A1 + A2, add A1 and A2"},
      {"btn_SUBTR", "A1 - A2, subtract A2 from A1"},
      {"btn_NOT", "NOT A1, invert A1"},
      {"btn_RtoA2", "R > A2, copy the result to A2"},
      {"BitOp_NumBits", "Shift count"},
      {"BitOp_NumBitsUpDown", "Shift count spinner"},
      {"CheckBox1", "Always On Top"},
      {"CheckBox2", "Large Font"},
      {"Transparency", "Transparency"},
      {"Conv_CE_Input", "Amount to convert"},
      {"Conv_CE_Output", "Converted amount"},
      {"GroupBox_Accu1", "Accumulator 1"},
      {"GroupBox2", "Byte conversion tool"},
  };
  for (const auto& e : expected) {
    QAccessibleInterface* iface = tree.value(QLatin1String(e.control));
    QVERIFY2(iface, e.control);
    QCOMPARE(iface->text(QAccessible::Name), QLatin1String(e.name));
  }
  // A button's or check box's name starts with its caption, and a labelled
  // list's with its label's words (below), so that saying what is on screen
  // finds it.
  for (QAbstractButton* button : d.window().findChildren<QAbstractButton*>()) {
    if (button->text().isEmpty()) continue;
    const QString name = tree.value(button->objectName())->text(QAccessible::Name);
    QVERIFY2(name == button->text() || name.startsWith(button->text() + ", "),
             qPrintable(button->objectName() + ": " + name));
  }
  // On X11 Qt names a drop-down list by its current item, as a screen
  // reader expects there; the name of its own is what other systems say.
  for (const auto& [list, name] : {std::pair{"Combo_DatawordLength", "Dataword Size, word length"},
                                   {"Combo_Signed", "MSB Repr., signedness"},
                                   {"Conv_CE_Source", "Source unit"},
                                   {"Conv_CE_Target", "Target unit"}})
    QCOMPARE(d.find(QLatin1String(list))->accessibleName(), QLatin1String(name));
  // There its label says which list it is, before its item: a label of its
  // own, not the group around it, which a screen reader leaves out as the
  // list's ancestor. Nothing says it once more as a description.
  for (const auto& [list, label] : {std::pair{"Combo_DatawordLength", "Dataword Size:"},
                                    {"Combo_Signed", "MSB Repr.:"},
                                    {"Conv_CE_Source", "Source unit"},
                                    {"Conv_CE_Target", "Target unit"}}) {
    QAccessibleInterface* iface = tree.value(QLatin1String(list));
    QStringList called;
    for (const auto& [labelling, relation] : iface->relations(QAccessible::Label))
      if (labelling->object() != d.find(QLatin1String(list))->parent())
        called << labelling->text(QAccessible::Name);
    QCOMPARE(called, QStringList{QLatin1String(label)});
    QVERIFY2(called.first() != d.find<QComboBox>(QLatin1String(list))->currentText(), list);
  }
  for (const char* unitList : {"Conv_CE_Source", "Conv_CE_Target"})
    QCOMPARE(tree.value(QLatin1String(unitList))->text(QAccessible::Description), QString());
  // The names add to the window: captions and hints stay as they were.
  QCOMPARE(d.find<QPushButton>("btn_ADD")->text(), QStringLiteral("A1 + A2"));
  QCOMPARE(tree.value("btn_ADD")->text(QAccessible::Description),
           QStringLiteral("Add ACCUMULATOR 1 and ACCUMULATOR 2."));
  QCOMPARE(d.find<QCheckBox>("CheckBox1")->text(), QStringLiteral("Always On Top"));
}

void AccessibilityTest::everyHintIsItsControlsDescription() {
  WindowDriver d;
  const QHash<QString, QAccessibleInterface*> tree = Tree(d.window());
  for (const averlin::layout::Control& c : averlin::layout::Controls()) {
    if (c.hint.isEmpty()) continue;
    QVERIFY2(tree.contains(c.name), qPrintable(c.name));
    QCOMPARE(tree.value(c.name)->text(QAccessible::Description), c.hint);
    // UI Automation's screen readers read it as the help text.
    QCOMPARE(tree.value(c.name)->text(QAccessible::Help),
             averlin::Capabilities().hintsAsHelpText ? c.hint : QString());
    // A screen reader hears it without the control getting a bubble.
    QCOMPARE(d.find(c.name)->toolTip().isEmpty(), !c.bubble);
  }
}

void AccessibilityTest::bitBoxesAreNamedAsTheirRegisterNumbersThem() {
  WindowDriver d;
  const QHash<QString, QAccessibleInterface*> tree = Tree(d.window());
  const auto said = [&tree](const char* box) {
    QAccessibleInterface* iface = tree.value(QLatin1String(box));
    return iface->text(QAccessible::Name) + " / " + iface->text(QAccessible::Description);
  };
  d.click("btn_Accu1_LSB");
  // The button's name starts with its new caption.
  QCOMPARE(tree.value("btn_Accu1_LSB")->text(QAccessible::Name),
           QStringLiteral("LSB: 1, Accumulator 1 bit numbering"));
  QCOMPARE(said("CheckBox_Accu1Bit0"), QStringLiteral("Accumulator 1, bit 1 / Bit 1"));
  QCOMPARE(said("CheckBox_Accu1Bit31"), QStringLiteral("Accumulator 1, bit 32 / Bit 32"));
  QCOMPARE(said("CheckBox_Accu2Bit0"), QStringLiteral("Accumulator 2, bit 0 / Bit 0"));
  d.click("btn_Accu1_LSB");
  QCOMPARE(said("CheckBox_Accu1Bit31"), QStringLiteral("Accumulator 1, bit 31 / Bit 31"));
}

void AccessibilityTest::resultViewsAreReadOnlyAndReachable() {
  WindowDriver d;
  const QHash<QString, QAccessibleInterface*> tree = Tree(d.window());
  for (const char* field : {"Edit_ResultHex", "Edit_ResultDec", "Edit_ResultNet"}) {
    const QAccessible::State state = tree.value(QLatin1String(field))->state();
    QVERIFY2(state.readOnly && state.focusable && !state.disabled, field);
  }
  QVERIFY(!tree.value("Edit_Accu1Hex")->state().readOnly);
  for (int bit = 0; bit < 32; ++bit) {
    QVERIFY(tree.value(QStringLiteral("CheckBox_ResultBit%1").arg(bit))->state().disabled);
    QVERIFY(!tree.value(QStringLiteral("CheckBox_Accu1Bit%1").arg(bit))->state().disabled);
  }
}

void AccessibilityTest::onlyEditableViewsTakeWritesFromAssistiveTechnology() {
  WindowDriver d;
  d.setRegister("Accu1", "7");
  d.click("btn_ADD");
  const QHash<QString, QAccessibleInterface*> tree = Tree(d.window());
  for (const char* view : {"Edit_ResultHex", "Edit_ResultDec", "Edit_ResultNet", "Conv_CE_Output"}) {
    QAccessibleInterface* iface = tree.value(QLatin1String(view));
    const QString shown = iface->text(QAccessible::Value);
    QVERIFY2(!iface->editableTextInterface(), view);
    iface->setText(QAccessible::Value, QStringLiteral("99"));
    QCOMPARE(iface->text(QAccessible::Value), shown);
  }
  QCOMPARE(d.bits("Result"), 7u);
  // An editable view takes the text as if typed: capitals, then the handler.
  QAccessibleInterface* a2 = tree.value("Edit_Accu2Hex");
  a2->editableTextInterface()->replaceText(0, a2->textInterface()->characterCount(), QStringLiteral("ff"));
  QCOMPARE(d.hex("Accu2"), QStringLiteral("FF"));
  QCOMPARE(d.dec("Accu2"), QStringLiteral("255"));
  // An offset beyond the text is refused, not padded out to.
  a2->editableTextInterface()->insertText(1 << 30, QStringLiteral("1"));
  QCOMPARE(d.hex("Accu2"), QStringLiteral("FF"));
  // A screen magnifier finds each character where the edit draws it.
  QAccessibleTextInterface* text = tree.value("Edit_Accu2Dec")->textInterface();
  for (int i = 0; i < text->characterCount(); ++i) {
    const QRect r = text->characterRect(i);
    QCOMPARE(text->offsetAtPoint(QPoint(r.left() + r.width() / 4, r.center().y())), i);
  }
}

void AccessibilityTest::shiftCountSpinnerIsASpinButtonOverTheWordsShifts() {
  WindowDriver d;
  QAccessibleInterface* spinner = Tree(d.window()).value("BitOp_NumBitsUpDown");
  QCOMPARE(spinner->role(), QAccessible::SpinBox);
  QCOMPARE(spinner->childCount(), 0);
  QAccessibleValueInterface* value = spinner->valueInterface();
  QCOMPARE(value->minimumValue().toInt(), 1);
  QCOMPARE(value->maximumValue().toInt(), 31);
  value->setCurrentValue(5);
  QCOMPARE(d.edit("BitOp_NumBits")->text(), QStringLiteral("5"));
  QCOMPARE(spinner->text(QAccessible::Value), QStringLiteral("5"));
  d.pickWordLength(8);
  QCOMPARE(value->maximumValue().toInt(), 7);
  value->setCurrentValue(1e12);
  QCOMPARE(d.edit("BitOp_NumBits")->text(), QStringLiteral("7"));
}

void AccessibilityTest::bitBoxesOutsideTheWordAreUnavailable() {
  WindowDriver d;
  d.pickWordLength(8);
  const QHash<QString, QAccessibleInterface*> tree = Tree(d.window());
  for (int bit = 0; bit < 32; ++bit) {
    for (const QString reg : {"Accu1", "Accu2"}) {
      const bool disabled =
          tree.value(QStringLiteral("CheckBox_%1Bit%2").arg(reg).arg(bit))->state().disabled;
      QCOMPARE(disabled, bit >= 8);
    }
  }
}

void AccessibilityTest::wholeValuesListItemsAndShiftCountAreReadable() {
  WindowDriver d;
  const QHash<QString, QAccessibleInterface*> tree = Tree(d.window());
  // One run of attributes spans the text: a line built from runs keeps its
  // last character.
  d.setRegister("Accu1", "FF");
  QAccessibleTextInterface* net = tree.value("Edit_Accu1Net")->textInterface();
  int start = -1;
  int end = -1;
  net->attributes(4, &start, &end);
  QCOMPARE(net->text(start, end), QStringLiteral("0.0.0.255"));
  // The field the spinner steps is a spin button with the spinner's value.
  QAccessibleInterface* field = tree.value("BitOp_NumBits");
  QCOMPARE(field->role(), QAccessible::SpinBox);
  d.key("BitOp_NumBits", Qt::Key_Up);
  QCOMPARE(field->valueInterface()->currentValue().toInt(), 2);
  QCOMPARE(field->valueInterface()->maximumValue().toInt(), 31);
  // A list tells its current item where a screen reader looks for it: from
  // Qt 6.8 on, as the selected item of its popup list, which Qt offers; before,
  // as its selected text, which the program's stand-in offers. Qt 6.4's
  // headers have no selection interface.
  d.pickSigned(true);
  QAccessibleInterface* signedList = tree.value("Combo_Signed");
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
  QAccessibleSelectionInterface* items = signedList->child(0)->selectionInterface();
  QVERIFY(items && items->selectedItemCount() == 1);
  QCOMPARE(items->selectedItem(0)->text(QAccessible::Name), QStringLiteral("Signed"));
#else
  QAccessibleTextInterface* list = signedList->textInterface();
  list->selection(0, &start, &end);
  QCOMPARE(list->text(start, end), QStringLiteral("Signed"));
#endif
}

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
