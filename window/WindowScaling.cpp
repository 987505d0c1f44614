#include "WindowScaling.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QWidget>
#include <cstdlib>

#include "PlatformFont.h"
#include "WindowPlatform.h"

namespace averlin {

void FitLabelToText(QLabel* label) {
  const int edge = label->property(kFitToTextProperty).toInt();
  if (edge == 0) return;
  const QRect g = label->geometry();
  const int width = label->sizeHint().width();
  if (edge == kKeepRightEdge)
    label->setGeometry(g.x() + g.width() - width, g.y(), width, g.height());
  else
    label->setGeometry(g.x(), g.y(), width, g.height());
}

int ScaleRounded(int x, int m, int d) {
  const long long n = static_cast<long long>(x) * m;
  const long long q = (std::llabs(n) * 2 + d) / (2LL * d);
  return static_cast<int>(n < 0 ? -q : q);
}

QRect ScaledGeometry(const QRect& g, int m, int d) {
  const int left = ScaleRounded(g.x(), m, d);
  const int top = ScaleRounded(g.y(), m, d);
  return {left, top, ScaleRounded(g.x() + g.width(), m, d) - left,
          ScaleRounded(g.y() + g.height(), m, d) - top};
}

namespace {

void ScaleFont(QWidget* w, int m, int d) {
  QFont font = w->font();
  font.setPointSize(ScaleRounded(font.pointSize(), m, d));
  w->setFont(font);
}

// A container scales the controls inside it first, then itself.
void ScaleChildren(QWidget* parent, int m, int d) {
  for (QObject* child : parent->children()) {
    auto* w = qobject_cast<QWidget*>(child);
    if (!w || w->isWindow()) continue;
    ScaleChildren(w, m, d);
    w->setGeometry(ScaledGeometry(w->geometry(), m, d));
    // Fonts inherited from the window follow the window's font; a control
    // with a font of its own scales it.
    if (w->testAttribute(Qt::WA_SetFont)) ScaleFont(w, m, d);
  }
}

void RefitLabels(QWidget* window) {
  for (QLabel* label : window->findChildren<QLabel*>()) FitLabelToText(label);
}

}  // namespace

void ScaleWindow(QWidget* window, int m, int d) {
  const bool visible = window->isVisible();
  if (visible) window->hide();
  const QPoint place = window->pos();
  ScaleChildren(window, m, d);
  // The designed size is the minimum, whatever size a maximise has given.
  const QSize designed = window->minimumSize();
  const QSize client(ScaleRounded(designed.width(), m, d), ScaleRounded(designed.height(), m, d));
  SetClientSize(window, client);
  // The status bar stays docked to the bottom edge.
  for (QStatusBar* bar : window->findChildren<QStatusBar*>(Qt::FindDirectChildrenOnly))
    bar->move(0, client.height() - bar->height());
  // The window's font keeps its design size as Large Font asks, drawn as
  // the system's fonts allow.
  window->setFont(WindowFont(ScaleRounded(DesignPointSize(window->font()), m, d)));
  RefitLabels(window);
  window->move(place);
  if (visible) window->show();
}

}  // namespace averlin
