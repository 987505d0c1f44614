#pragma once
// An up-down spinner attached to an edit: two arrow buttons that step a
// position within a range, wrapping from one end to the other.

#include <QWidget>

class QToolButton;

namespace averlin {

class UpDown : public QWidget {
  Q_OBJECT
 public:
  explicit UpDown(QWidget* parent = nullptr);

  int minimum() const { return minimum_; }
  int maximum() const { return maximum_; }
  int position() const { return position_; }

  void setMinimum(int minimum);
  // A position above the new maximum comes down to it.
  void setMaximum(int maximum);
  // Positions outside the range are clamped to it.
  void setPosition(int position);
  // Steps by the given number of steps; past either end it wraps round.
  void stepBy(int steps);

 signals:
  void positionChanged(int position);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QToolButton* up_;
  QToolButton* down_;
  int minimum_ = 1;
  int maximum_ = 31;
  int position_ = 1;
};

}  // namespace averlin
