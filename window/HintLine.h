#pragma once
// The hint line: whenever the event loop falls idle, the hint of the control
// under the pointer goes to the status bar; and the bubbles, which a
// disabled control does not show.

#include <QObject>
#include <QString>
#include <functional>

class QWidget;

namespace averlin {

class HintLine : public QObject {
 public:
  // show receives each new hint of the window's controls.
  HintLine(QWidget* window, std::function<void(const QString&)> show);

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
  void Update();

  QWidget* window_;
  std::function<void(const QString&)> show_;
  QString shown_;
};

}  // namespace averlin
