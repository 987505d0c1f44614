#pragma once
// An up-down spinner attached to an edit, its buddy: two arrow buttons that
// step a position within a range, wrapping from one end to the other, and
// write each new position into the edit.

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace averlin {

class UpDown : public QWidget {
  Q_OBJECT
 public:
  explicit UpDown(QWidget* parent = nullptr);

  int Minimum() const { return minimum_; }
  int Maximum() const { return maximum_; }
  int Position() const { return position_; }

  void SetMinimum(int minimum);
  // A position above the new maximum comes down to it.
  void SetMaximum(int maximum);
  // Positions outside the range are clamped to it.
  void SetPosition(int position);
  // Steps by the given number of steps; past either end it wraps round.
  void StepBy(int steps);

  // The edit that shows the position; its Up and Down keys step the spinner.
  void SetBuddy(QLineEdit* edit);
  QLineEdit* Buddy() const { return buddy_; }

 signals:
  void PositionChanged(int position);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QToolButton* up_;
  QToolButton* down_;
  QLineEdit* buddy_ = nullptr;
  int minimum_ = 1;
  int maximum_ = 31;
  int position_ = 1;
};

}  // namespace averlin
