#include "UpDown.h"

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
  // The arrows carry no text for a screen reader to say.
  up_->setAccessibleName(QStringLiteral("Step up"));
  down_->setAccessibleName(QStringLiteral("Step down"));
  connect(up_, &QToolButton::clicked, this, [this] { stepBy(1); });
  connect(down_, &QToolButton::clicked, this, [this] { stepBy(-1); });
}

void UpDown::setMinimum(int minimum) {
  minimum_ = minimum;
  maximum_ = std::max(maximum_, minimum_);
  setPosition(position_);
}

void UpDown::setMaximum(int maximum) {
  maximum_ = std::max(maximum, minimum_);
  setPosition(position_);
}

void UpDown::setPosition(int position) {
  position = std::clamp(position, minimum_, maximum_);
  if (position == position_) return;
  position_ = position;
  emit positionChanged(position_);
}

void UpDown::stepBy(int steps) {
  const long long span = static_cast<long long>(maximum_) - minimum_ + 1;
  long long offset = (static_cast<long long>(position_) - minimum_ + steps) % span;
  if (offset < 0) offset += span;
  setPosition(static_cast<int>(minimum_ + offset));
}

void UpDown::resizeEvent(QResizeEvent*) {
  const int half = height() / 2;
  up_->setGeometry(0, 0, width(), half);
  down_->setGeometry(0, half, width(), height() - half);
}

}  // namespace averlin
