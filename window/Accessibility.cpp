#include "Accessibility.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QValidator>
#include <algorithm>
#include <cmath>

#include "UpDown.h"
#include "WindowPlatform.h"

namespace averlin {
namespace {

// What Qt itself tells assistive technology, by its version, decided here
// only. From Qt 6.8 a drop-down list offers its current item as AT-SPI's
// Selection, which is where a screen reader looks for a list's value, and
// an announcement reaches AT-SPI as object:announcement. Before, a list's
// value is nowhere a screen reader looks, and nothing carries an
// announcement: the interfaces below stand in.
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
constexpr bool kQtTellsListValues = true;
void SendAnnouncement(QWidget* window, const QString& message) {
  QAccessibleAnnouncementEvent event(window, message);
  QAccessible::updateAccessibility(&event);
}
QAccessibleInterface* NotificationInterface(QObject*) { return nullptr; }
#else
constexpr bool kQtTellsListValues = false;

// The stand-in for an announcement: an AT-SPI notification, which a screen
// reader speaks as it shows, wherever the focus is, and keeps among the
// notifications it lets the user hear again. It draws nothing and takes
// neither the focus nor the pointer.
class NotificationLine : public QWidget {
 public:
  explicit NotificationLine(QWidget* window) : QWidget(window) {
    setObjectName(kNotificationName);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(0, 0, 1, 1);
  }
  static inline const QString kNotificationName = QStringLiteral("AccessibleNotification");
};

void SendAnnouncement(QWidget* window, const QString& message) {
  auto* line = window->findChild<QWidget*>(NotificationLine::kNotificationName, Qt::FindDirectChildrenOnly);
  if (!line) line = new NotificationLine(window);
  line->hide();
  line->setAccessibleName(message);
  line->show();
}

QAccessibleInterface* NotificationInterface(QObject* object) {
  if (auto* line = dynamic_cast<NotificationLine*>(object))
    return new QAccessibleWidget(line, QAccessible::Notification);
  return nullptr;
}
#endif

// A run of text attributes: the edits and lists show their text in one
// font, so the run at any offset is the whole text. Qt reports an empty
// run, from which a screen reader that builds its line from the runs
// leaves the last character out.
QString WholeTextRun(int length, int* startOffset, int* endOffset) {
  *startOffset = 0;
  *endOffset = length;
  return {};
}

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

// A drop-down list, where Qt does not tell its value: as Qt's own list (a
// combo box whose child is the popup list, opened and closed by its
// action), with its current item as its text. A screen reader reads a
// list's value there when no Selection tells it; the text counts as
// selected, as the list's current item is, and a change of item is a change
// of that text, which a screen reader speaks where the focus is.
class ListAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit ListAccessible(QComboBox* list) : QAccessibleWidget(list, QAccessible::ComboBox) {
    // The list, not this interface, keeps what it showed: Qt may drop an
    // interface before its widget. The new item goes in before the old one
    // goes out, so that the text removed is no longer the selected text,
    // which a screen reader would call a deleted selection.
    QObject::connect(list, &QComboBox::currentTextChanged, list,
                     [list, shown = list->currentText()](const QString& text) mutable {
                       QAccessibleTextInsertEvent inserted(list, 0, text);
                       QAccessible::updateAccessibility(&inserted);
                       QAccessibleTextRemoveEvent removed(list, static_cast<int>(text.size()), shown);
                       QAccessible::updateAccessibility(&removed);
                       shown = text;
                     });
  }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value || (t == QAccessible::Name && ListsNamedByTheirItem()))
      return List()->currentText();
    return QAccessibleWidget::text(t);
  }
  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.expandable = true;
    state.expanded = List()->view()->isVisible();
    return state;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  int childCount() const override { return 1; }
  QAccessibleInterface* child(int index) const override {
    return index == 0 ? QAccessible::queryAccessibleInterface(List()->view()) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return child && child->object() == List()->view() ? 0 : -1;
  }

  QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
  void doAction(const QString& action) override {
    if (action != showMenuAction() && action != pressAction()) return;
    if (List()->view()->isVisible())
      List()->hidePopup();
    else
      List()->showPopup();
  }

  QString text(int startOffset, int endOffset) const override {
    if (startOffset > endOffset) return {};
    return List()->currentText().mid(startOffset, endOffset - startOffset);
  }
  int characterCount() const override { return static_cast<int>(List()->currentText().size()); }
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}
  int selectionCount() const override { return characterCount() > 0 ? 1 : 0; }
  void selection(int selectionIndex, int* startOffset, int* endOffset) const override {
    *startOffset = 0;
    *endOffset = selectionIndex == 0 ? characterCount() : 0;
  }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  QRect characterRect(int) const override { return {}; }
  int offsetAtPoint(const QPoint&) const override { return -1; }
  void scrollToSubstring(int, int) override {}
  QString attributes(int, int* startOffset, int* endOffset) const override {
    return WholeTextRun(characterCount(), startOffset, endOffset);
  }

 private:
  QComboBox* List() const { return static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* Factory(const QString&, QObject* object) {
  if (auto* edit = qobject_cast<QLineEdit*>(object)) return new EditAccessible(edit);
  if (auto* spinner = qobject_cast<UpDown*>(object)) return new SpinnerAccessible(spinner);
  if (auto* list = qobject_cast<QComboBox*>(object); list && !kQtTellsListValues && !list->isEditable())
    return new ListAccessible(list);
  if (QAccessibleInterface* notification = NotificationInterface(object)) return notification;
  return nullptr;
}

}  // namespace

// Qt asks the factory installed last first, and installs a factory only
// once.
void InstallAccessibleInterfaces() { QAccessible::installFactory(Factory); }

void Announce(QWidget* window, const QString& message) { SendAnnouncement(window, message); }

}  // namespace averlin
