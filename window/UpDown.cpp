#include "UpDown.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <algorithm>

namespace averlin {

UpDown::UpDown(QWidget* parent) : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
  setFocusPolicy(Qt::NoFocus);
  for (QToolButton* b : {up_, down_}) {
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoRepeat(true);
    b->setAutoRaise(false);
  }
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  up_->setObjectName(QStringLiteral("Up"));
  down_->setObjectName(QStringLiteral("Down"));
  connect(up_, &QToolButton::clicked, this, [this] { StepBy(1); });
  connect(down_, &QToolButton::clicked, this, [this] { StepBy(-1); });
}

void UpDown::SetMinimum(int minimum) {
  minimum_ = minimum;
  maximum_ = std::max(maximum_, minimum_);
  SetPosition(position_);
}

void UpDown::SetMaximum(int maximum) {
  maximum_ = std::max(maximum, minimum_);
  SetPosition(position_);
}

void UpDown::SetPosition(int position) {
  position = std::clamp(position, minimum_, maximum_);
  if (position == position_) return;
  position_ = position;
  QAccessibleValueChangeEvent event(this, position_);
  QAccessible::updateAccessibility(&event);
  emit PositionChanged(position_);
}

void UpDown::StepBy(int steps) {
  const long long span = static_cast<long long>(maximum_) - minimum_ + 1;
  long long offset = (static_cast<long long>(position_) - minimum_ + steps) % span;
  if (offset < 0) offset += span;
  const int before = position_;
  SetPosition(static_cast<int>(minimum_ + offset));
  // A step comes from the buddy's keys or from the arrows, which take no
  // focus: the buddy has it, and a screen reader hears a value change only
  // there. A number typed into the buddy is heard as it is typed.
  if (buddy_ && position_ != before) {
    QAccessibleValueChangeEvent event(buddy_, position_);
    QAccessible::updateAccessibility(&event);
  }
}

void UpDown::SetBuddy(QLineEdit* edit) {
  buddy_ = edit;
  edit->installEventFilter(this);
  connect(this, &UpDown::PositionChanged, edit,
          [edit](int position) { edit->setText(QString::number(position)); });
}

bool UpDown::eventFilter(QObject* watched, QEvent* event) {
  if (watched == buddy_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      StepBy(key == Qt::Key_Up ? 1 : -1);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void UpDown::resizeEvent(QResizeEvent*) {
  const int half = height() / 2;
  up_->setGeometry(0, 0, width(), half);
  down_->setGeometry(0, half, width(), height() - half);
}

}  // namespace averlin
