#include "Accessibility.h"

#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QLineEdit>
#include <QValidator>
#include <algorithm>
#include <cmath>

#include "AccessibleStandIns.h"
#include "TextRun.h"
#include "UpDown.h"

namespace averlin {
namespace {

// A value asked for from outside moves the spinner as its arrows do, and so
// reaches the shift-count field and its handler; it is clamped to the range
// before it becomes a position.
void SetSpinnerValue(UpDown* spinner, const QVariant& value) {
  bool isNumber = false;
  const double v = value.toDouble(&isNumber);
  if (!isNumber || std::isnan(v)) return;
  const auto low = static_cast<double>(spinner->Minimum());
  const auto high = static_cast<double>(spinner->Maximum());
  spinner->SetPosition(static_cast<int>(std::clamp(v, low, high)));
}

class EditAccessible : public QAccessibleWidget,
                       public QAccessibleTextInterface,
                       public QAccessibleEditableTextInterface,
                       public QAccessibleValueInterface {
 public:
  explicit EditAccessible(QLineEdit* edit) : QAccessibleWidget(edit, QAccessible::EditableText) {}

  // The edit that a spinner steps is a spin button, as Qt's spin box is:
  // its value is the spinner's, and its Up and Down keys change it where
  // the focus is, so that a screen reader hears each step.
  QAccessible::Role role() const override {
    return Stepper() ? QAccessible::SpinBox : QAccessible::EditableText;
  }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return Edit()->text();
    return QAccessibleWidget::text(t);
  }
  void setText(QAccessible::Text t, const QString& text) override {
    if (t == QAccessible::Value) Write(text);
  }

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = Edit()->isReadOnly();
    state.editable = !state.readOnly;
    state.selectableText = true;
    return state;
  }

  // A read-only edit offers no editable text. A client that writes all the
  // same reaches Write through Qt's AT-SPI bridge, which then sets the
  // value instead.
  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    if (type == QAccessible::EditableTextInterface)
      return Edit()->isReadOnly() ? nullptr : static_cast<QAccessibleEditableTextInterface*>(this);
    if (type == QAccessible::ValueInterface)
      return Stepper() ? static_cast<QAccessibleValueInterface*>(this) : nullptr;
    return QAccessibleWidget::interface_cast(type);
  }

  // --- Reading ----------------------------------------------------------
  QString text(int startOffset, int endOffset) const override {
    if (startOffset > endOffset) return {};
    return Edit()->text().mid(startOffset, endOffset - startOffset);
  }
  int characterCount() const override { return static_cast<int>(Edit()->text().size()); }
  int cursorPosition() const override { return Edit()->cursorPosition(); }
  void setCursorPosition(int position) override { Edit()->setCursorPosition(position); }

  int selectionCount() const override { return Edit()->hasSelectedText() ? 1 : 0; }
  void selection(int selectionIndex, int* startOffset, int* endOffset) const override {
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !Edit()->hasSelectedText()) return;
    *startOffset = Edit()->selectionStart();
    *endOffset = Edit()->selectionEnd();
  }
  void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
  void removeSelection(int selectionIndex) override {
    if (selectionIndex == 0) Edit()->deselect();
  }
  void setSelection(int selectionIndex, int startOffset, int endOffset) override {
    if (selectionIndex == 0) Edit()->setSelection(startOffset, endOffset - startOffset);
  }

  QRect characterRect(int offset) const override {
    const QString text = Edit()->text();
    if (offset < 0 || offset >= text.size()) return {};
    // The caret's rectangle is the one place where the edit tells how far
    // it has scrolled its text; a character stands the width of the text
    // between them away from the caret.
    const QFontMetrics metrics(Edit()->font());
    const QRect caret = Edit()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const int x = caret.center().x() + metrics.horizontalAdvance(text.left(offset)) -
                  metrics.horizontalAdvance(text.left(Edit()->cursorPosition()));
    const QRect r(x, caret.top(), metrics.horizontalAdvance(text.at(offset)), caret.height());
    return r.translated(Edit()->mapToGlobal(QPoint(0, 0)));
  }
  int offsetAtPoint(const QPoint& point) const override {
    return Edit()->cursorPositionAt(Edit()->mapFromGlobal(point));
  }
  void scrollToSubstring(int startIndex, int endIndex) override {
    Edit()->setCursorPosition(endIndex);
    Edit()->setCursorPosition(startIndex);
  }
  QString attributes(int, int* startOffset, int* endOffset) const override {
    return WholeTextRun(characterCount(), startOffset, endOffset);
  }

  // --- The spinner's value, in the edit it steps ------------------------
  QVariant currentValue() const override { return Stepper() ? Stepper()->Position() : QVariant(); }
  QVariant minimumValue() const override { return Stepper() ? Stepper()->Minimum() : QVariant(); }
  QVariant maximumValue() const override { return Stepper() ? Stepper()->Maximum() : QVariant(); }
  QVariant minimumStepSize() const override { return 1; }
  void setCurrentValue(const QVariant& value) override {
    if (UpDown* spinner = Stepper()) SetSpinnerValue(spinner, value);
  }

  // --- Writing ----------------------------------------------------------
  void deleteText(int startOffset, int endOffset) override {
    if (InText(startOffset, endOffset)) Write(Edit()->text().remove(startOffset, endOffset - startOffset));
  }
  void insertText(int offset, const QString& text) override {
    if (InText(offset, offset)) Write(Edit()->text().insert(offset, text));
  }
  void replaceText(int startOffset, int endOffset, const QString& text) override {
    if (InText(startOffset, endOffset))
      Write(Edit()->text().replace(startOffset, endOffset - startOffset, text));
  }

 private:
  QLineEdit* Edit() const { return static_cast<QLineEdit*>(widget()); }

  // The spinner that steps this edit, if any; asked each time, since the
  // spinner takes its buddy after the edit is made.
  UpDown* Stepper() const {
    const QWidget* parent = Edit()->parentWidget();
    if (!parent) return nullptr;
    for (UpDown* spinner : parent->findChildren<UpDown*>(Qt::FindDirectChildrenOnly))
      if (spinner->Buddy() == Edit()) return spinner;
    return nullptr;
  }

  // A client's offsets must lie within the text: QString pads a text out
  // with blanks to an offset beyond its end, however far that is.
  bool InText(int startOffset, int endOffset) const {
    return 0 <= startOffset && startOffset <= endOffset && endOffset <= characterCount();
  }

  // Every change an assistive client asks for ends here. A read-only edit
  // shows only what the program writes into it; an editable one takes the
  // text as if typed, through its validator (the hexadecimal views turn
  // letters into capitals there) and its change handler.
  void Write(QString text) {
    if (Edit()->isReadOnly()) return;
    int position = 0;
    if (const QValidator* v = Edit()->validator(); v && v->validate(text, position) != QValidator::Acceptable)
      return;
    Edit()->setText(text);
  }
};

class SpinnerAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit SpinnerAccessible(UpDown* spinner) : QAccessibleWidget(spinner, QAccessible::SpinBox) {}

  int childCount() const override { return 0; }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return QString::number(Spinner()->Position());
    return QAccessibleWidget::text(t);
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  QVariant currentValue() const override { return Spinner()->Position(); }
  QVariant minimumValue() const override { return Spinner()->Minimum(); }
  QVariant maximumValue() const override { return Spinner()->Maximum(); }
  QVariant minimumStepSize() const override { return 1; }
  void setCurrentValue(const QVariant& value) override { SetSpinnerValue(Spinner(), value); }

 private:
  UpDown* Spinner() const { return static_cast<UpDown*>(widget()); }
};

QAccessibleInterface* Factory(const QString&, QObject* object) {
  if (auto* edit = qobject_cast<QLineEdit*>(object)) return new EditAccessible(edit);
  if (auto* spinner = qobject_cast<UpDown*>(object)) return new SpinnerAccessible(spinner);
  return StandInInterface(object);
}

}  // namespace

QString WrittenRegistersMessage(const QList<RegisterShown>& written) {
  QStringList said;
  for (const RegisterShown& r : written)
    said << QStringLiteral("%1: %2, hexadecimal %3").arg(r.name, r.dec, r.hex);
  return said.join(QStringLiteral("; "));
}

// Qt asks the factory installed last first, and installs a factory only
// once.
void InstallAccessibleInterfaces() { QAccessible::installFactory(Factory); }

}  // namespace averlin
