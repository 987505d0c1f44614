#include "AccessibleStandIns.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>

#include "TextRun.h"
#include "WindowPlatform.h"

namespace averlin {
namespace {

// What Qt itself tells assistive technology, by the Qt the program is built
// against, decided here only. From Qt 6.8 a drop-down list offers its
// current item as AT-SPI's Selection, which is where a screen reader looks
// for a list's value, and an announcement reaches AT-SPI as
// object:announcement. Qt 6.4's headers have neither the selection
// interface nor the announcement event: a list's value is nowhere a screen
// reader looks, and nothing carries an announcement. The stand-ins below
// take their place.
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
constexpr bool kQtTellsListValues = true;
QWidget* MakeNotificationLine(QWidget*) { return nullptr; }
void SendAnnouncement(QWidget* window, QWidget*, const QString& message) {
  QAccessibleAnnouncementEvent event(window, message);
  QAccessible::updateAccessibility(&event);
}
QAccessibleInterface* NotificationInterface(QObject*) { return nullptr; }
#else
constexpr bool kQtTellsListValues = false;

// The stand-in for an announcement: an AT-SPI notification, which a screen
// reader speaks as it shows, wherever the focus is, and keeps among the
// notifications it lets the user hear again. It draws nothing, takes
// neither the focus nor the pointer, and stays hidden until the first
// message.
class NotificationLine : public QWidget {
 public:
  explicit NotificationLine(QWidget* window) : QWidget(window) {
    setObjectName(QStringLiteral("AccessibleNotification"));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(0, 0, 1, 1);
    setVisible(false);
  }
};

QWidget* MakeNotificationLine(QWidget* window) { return new NotificationLine(window); }

void SendAnnouncement(QWidget*, QWidget* line, const QString& message) {
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

}  // namespace

QAccessibleInterface* StandInInterface(QObject* object) {
  if (auto* list = qobject_cast<QComboBox*>(object); list && !kQtTellsListValues && !list->isEditable())
    return new ListAccessible(list);
  return NotificationInterface(object);
}

Announcer::Announcer(QWidget* window) : window_(window) {}

// The line is made at the first announcement, so that a window that says
// nothing has no widget more than it shows.
void Announcer::Announce(const QString& message) {
  if (!notificationLine_) notificationLine_ = MakeNotificationLine(window_);
  SendAnnouncement(window_, notificationLine_, message);
}

}  // namespace averlin
