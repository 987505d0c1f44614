#pragma once
// The hint line: whenever the event loop falls idle after the pointer has
// moved or the user has acted, the hint of the control under the pointer
// goes to the status bar; and the bubbles, which a disabled control does
// not show.

#include <QObject>
#include <QPoint>
#include <QString>
#include <functional>

class QWidget;

namespace averlin {

class HintLine : public QObject {
 public:
  // show receives each new hint of the window's controls.
  HintLine(QWidget* window, std::function<void(const QString&)> show);
  ~HintLine() override;
  Q_DISABLE_COPY_MOVE(HintLine)

  // Starts following the pointer.
  void Start();

  // The hint for the control under the pointer: its own or the nearest
  // enclosing one's, the part after the first "|".
  static QString HintOf(QWidget* control, QWidget* window);

  // Gives a control its hint. The status bar shows it while the pointer
  // rests on the control, and a bubble too where the control has one; a
  // screen reader says it as the control's description when the control
  // takes the focus, since the status bar follows the pointer, not the
  // focus.
  static void SetHint(QWidget* control, const QString& hint, bool bubble);

 protected:
  // Installed on every control that shows its hint in a bubble.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Follows the pointer from the events the window receives.
  class PointerWatch;

  void Update();
  void Watch(QObject* watched, QEvent* event);

  QWidget* window_;
  std::function<void(const QString&)> show_;
  QString shown_;
  PointerWatch* watch_ = nullptr;
  QPoint pointer_;       // in the window's coordinates
  bool inside_ = false;  // the pointer is over the window itself, not elsewhere
  bool changed_ = true;  // the pointer has moved or the user has acted since the last update
};

}  // namespace averlin
