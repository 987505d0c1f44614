#include "FloorWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>
#include <QToolButton>

#include "Layout.h"

namespace averlin::bench {
namespace {

QWidget* CreatePlain(const layout::Control& c, QWidget* parent) {
  using layout::Kind;
  switch (c.kind) {
    case Kind::GroupBox: return new QGroupBox(c.text, parent);
    case Kind::Label:
    case Kind::PositionLabel:
    case Kind::WrappedLabel: return new QLabel(c.text, parent);
    case Kind::Edit:
    case Kind::HexEdit:
    case Kind::ReadOnlyEdit:
    case Kind::OutputEdit: return new QLineEdit(c.text, parent);
    case Kind::PushButton: return new QPushButton(c.text, parent);
    case Kind::BitBox:
    case Kind::CheckBox: return new QCheckBox(c.text, parent);
    case Kind::ComboBox: {
      auto* list = new QComboBox(parent);
      if (!c.text.isEmpty()) list->addItems(c.text.split(QLatin1Char('|')));
      return list;
    }
    case Kind::Slider: return new QSlider(Qt::Horizontal, parent);
    case Kind::UpDown: {
      // A plain container with the spinner's two arrow buttons.
      auto* spinner = new QWidget(parent);
      const int half = c.geometry.height() / 2;
      (new QToolButton(spinner))->setGeometry(0, 0, c.geometry.width(), half);
      (new QToolButton(spinner))->setGeometry(0, half, c.geometry.width(), c.geometry.height() - half);
      return spinner;
    }
    case Kind::StatusBar: {
      auto* bar = new QStatusBar(parent);
      bar->setSizeGripEnabled(false);  // as the calculator has it: a fixed-size window
      return bar;
    }
  }
  return nullptr;
}

}  // namespace

FloorWindow::FloorWindow(const QFont* font, QWidget* parent) : QWidget(parent) {
  setWindowTitle(QStringLiteral("Averlin floor"));
  if (font) setFont(*font);
  setFixedSize(layout::kClientWidth, layout::kClientHeight);
  QHash<QString, QWidget*> byName;
  for (const layout::Control& c : layout::Controls()) {
    QWidget* w = CreatePlain(c, c.parent.isEmpty() ? this : byName.value(c.parent));
    w->setGeometry(c.geometry);
    byName.insert(c.name, w);
  }
}

}  // namespace averlin::bench
