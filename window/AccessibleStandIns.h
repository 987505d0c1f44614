#pragma once
// What Qt before 6.8 does not tell assistive technology, and what the
// window sets in its place: a drop-down list's current item, and messages
// that a screen reader speaks wherever the focus is. Which a build uses is
// decided by the Qt it is built against, in one place here; from Qt 6.8 on
// Qt's own serves.

class QAccessibleInterface;
class QObject;
class QString;
class QWidget;

namespace averlin {

// The stand-in interface for the object, or nullptr where Qt's own serves.
QAccessibleInterface* StandInInterface(QObject* object);

// Tells assistive technology what the user's last action changed, without
// moving the focus: a screen reader speaks the message as it comes. For
// what the user did, never for the program's own writes.
class Announcer {
 public:
  explicit Announcer(QWidget* window);
  void Announce(const QString& message);

 private:
  QWidget* window_;
  // Before Qt 6.8, where a message shows; a child of the window.
  QWidget* notificationLine_ = nullptr;
};

}  // namespace averlin
