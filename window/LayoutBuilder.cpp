// Builds the window from its layout table: makes each row's widget, links
// the rows (parents, tab order, buddies) and binds each row's handler.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>
#include <QValidator>
#include <limits>

#include "ControlNames.h"
#include "ErrorReport.h"
#include "HintLine.h"
#include "Layout.h"
#include "Unit1.h"
#include "UpDown.h"
#include "WindowPlatform.h"
#include "WindowScaling.h"

using namespace averlin;
using layout::Kind;

namespace {

// Upper-cases every letter typed into a hexadecimal field; refuses nothing.
// Each character is mapped on its own, so the text keeps its length and a
// letter whose capital is several characters (the ligature U+FB00, sharp s)
// stays as it is instead of turning into hexadecimal digits.
class UpperCaseValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    for (QChar& c : input) c = c.toUpper();
    return Acceptable;
  }
};

QLabel* CreateLabel(const layout::Control& c, QWidget* parent) {
  auto* label = new QLabel(c.text, parent);
  label->setWordWrap(c.kind == Kind::WrappedLabel);
  label->setAlignment((c.kind == Kind::PositionLabel ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
  label->setProperty(kFitToTextProperty, c.kind == Kind::Label           ? kKeepLeftEdge
                                         : c.kind == Kind::PositionLabel ? kKeepRightEdge
                                                                         : 0);
  return label;
}

QLineEdit* CreateEdit(const layout::Control& c, QWidget* parent) {
  auto* edit = new QLineEdit(c.text, parent);
  edit->setMaxLength(std::numeric_limits<int>::max());
  if (c.kind == Kind::HexEdit) edit->setValidator(new UpperCaseValidator(edit));
  if (c.kind == Kind::ReadOnlyEdit || c.kind == Kind::OutputEdit) {
    edit->setReadOnly(true);
    QPalette p = edit->palette();
    p.setColor(QPalette::Base, p.color(c.kind == Kind::ReadOnlyEdit ? QPalette::Midlight : QPalette::Button));
    edit->setPalette(p);
  }
  return edit;
}

QSlider* CreateSlider(const layout::Control& c, QWidget* parent) {
  auto* slider = new QSlider(Qt::Horizontal, parent);
  slider->setRange(c.range.minimum, c.range.maximum);
  slider->setValue(c.range.maximum);
  slider->setTickPosition(QSlider::TicksBelow);
  slider->setTickInterval(c.range.tickInterval);
  slider->setSingleStep(1);
  slider->setPageStep(0);  // paging starts once the window offers the slider
  return slider;
}

// Makes the widget of one layout row with all that the row alone says of it.
QWidget* CreateControl(const layout::Control& c, QWidget* parent) {
  QWidget* w = nullptr;
  switch (c.kind) {
    case Kind::GroupBox: w = new QGroupBox(c.text, parent); break;
    case Kind::Label:
    case Kind::PositionLabel:
    case Kind::WrappedLabel: w = CreateLabel(c, parent); break;
    case Kind::Edit:
    case Kind::HexEdit:
    case Kind::ReadOnlyEdit:
    case Kind::OutputEdit: w = CreateEdit(c, parent); break;
    case Kind::PushButton: w = new QPushButton(c.text, parent); break;
    case Kind::BitBox:
    case Kind::CheckBox: {
      auto* box = new QCheckBox(c.text, parent);
      if (c.kind == Kind::CheckBox) box->setLayoutDirection(Qt::RightToLeft);
      w = box;
      break;
    }
    case Kind::ComboBox: {
      auto* list = new QComboBox(parent);
      if (!c.text.isEmpty()) list->addItems(c.text.split(QLatin1Char('|')));
      list->setCurrentIndex(-1);  // no selection until the window is created
      w = list;
      break;
    }
    case Kind::Slider: w = CreateSlider(c, parent); break;
    case Kind::UpDown: w = new UpDown(parent); break;
    case Kind::StatusBar: {
      auto* bar = new QStatusBar(parent);
      bar->setSizeGripEnabled(false);
      bar->setFont(QApplication::font("QStatusBar"));
      w = bar;
      break;
    }
  }
  w->setObjectName(c.name);
  w->setGeometry(c.geometry);
  if (!c.accessibleName.isEmpty()) w->setAccessibleName(c.accessibleName);
  if (!c.hint.isEmpty())
    HintLine::SetHint(w, c.hint, c.bubble);
  else if (c.kind == Kind::ComboBox && ListsNamedByTheirItem())
    // Its own name would go unheard: it says what it is in its description.
    w->setAccessibleDescription(c.accessibleName);
  if (!c.visible) w->setVisible(false);
  if (!c.enabled) w->setEnabled(false);
  return w;
}

// A label names its buddy to a screen reader; a spinner steps its buddy edit.
void LinkBuddy(QWidget* w, QWidget* buddy) {
  if (auto* label = qobject_cast<QLabel*>(w))
    label->setBuddy(buddy);
  else if (auto* spinner = qobject_cast<UpDown*>(w))
    spinner->SetBuddy(qobject_cast<QLineEdit*>(buddy));
}

}  // namespace

template <class Widget, class Signal>
void TForm_Quillon::Bind(Widget* sender, Signal signal, void (TForm_Quillon::*handler)(QObject*)) {
  connect(sender, signal, this,
          [this, sender, handler] { RunHandler(this, [&] { (this->*handler)(sender); }); });
}

void TForm_Quillon::BuildFromLayout() {
  SetClientSize(this, {layout::kClientWidth, layout::kClientHeight});
  QHash<QString, QWidget*> byName;
  QWidget* previousInTabOrder = nullptr;
  for (const layout::Control& c : layout::Controls()) {
    QWidget* w = CreateControl(c, c.parent.isEmpty() ? this : byName.value(c.parent));
    if (c.bubble) w->installEventFilter(hintLine_.get());
    // Containers never take the focus; a bit box takes it from a click
    // only; every other control by Tab when its row has a tab order.
    if (c.kind == Kind::GroupBox || c.kind == Kind::StatusBar) {
      w->setFocusPolicy(Qt::NoFocus);
    } else if (c.tabOrder < 0) {
      w->setFocusPolicy(c.kind == Kind::BitBox ? Qt::ClickFocus : Qt::NoFocus);
    } else {
      if (previousInTabOrder) setTabOrder(previousInTabOrder, w);
      previousInTabOrder = w;
    }
    byName.insert(c.name, w);
  }
  for (const layout::Control& c : layout::Controls()) {
    QWidget* w = byName.value(c.name);
    if (!c.buddy.isEmpty()) LinkBuddy(w, byName.value(c.buddy));
    if (w->property(kFitToTextProperty).toInt() != 0) FitLabelToText(static_cast<QLabel*>(w));
    if (!c.onEvent) continue;
    switch (c.kind) {
      case Kind::Edit:
      case Kind::HexEdit: Bind(static_cast<QLineEdit*>(w), &QLineEdit::textChanged, c.onEvent); break;
      case Kind::PushButton: Bind(static_cast<QPushButton*>(w), &QPushButton::clicked, c.onEvent); break;
      case Kind::BitBox:
      case Kind::CheckBox: Bind(static_cast<QCheckBox*>(w), &QCheckBox::toggled, c.onEvent); break;
      // A list's handler runs for the user's pick only, the same item
      // included, not for a selection that the program makes.
      case Kind::ComboBox: Bind(static_cast<QComboBox*>(w), &QComboBox::activated, c.onEvent); break;
      case Kind::Slider: Bind(static_cast<QSlider*>(w), &QSlider::valueChanged, c.onEvent); break;
      default: qFatal("%s: this kind of control raises no event", qPrintable(c.name));
    }
  }
  FindViews();
}

void TForm_Quillon::FindViews() {
  const auto find = [this]<class T>(T*& member, const QString& name) {
    member = findChild<T*>(name);
    if (!member) qFatal("the layout has no %s", qPrintable(name));
  };
  for (const Register reg : {Register::A1, Register::A2, Register::R}) {
    RegisterViews& v = views_[static_cast<std::size_t>(reg)];
    find(v.hex, ControlName(reg, RegisterControl::HexEdit));
    find(v.dec, ControlName(reg, RegisterControl::DecEdit));
    find(v.net, ControlName(reg, RegisterControl::NetEdit));
    find(v.lsb, ControlName(reg, RegisterControl::LsbButton));
    for (std::size_t bit = 0; bit < v.bits.size(); ++bit)
      find(v.bits[bit], ControlName(reg, RegisterControl::BitBox, static_cast<int>(bit)));
    for (std::size_t i = 0; i < v.positionLabels.size(); ++i)
      find(v.positionLabels[i], ControlName(reg, RegisterControl::PositionLabel, 4 * static_cast<int>(i)));
  }
  find(shiftCountEdit_, QStringLiteral("BitOp_NumBits"));
  find(shiftCountSpinner_, QStringLiteral("BitOp_NumBitsUpDown"));
  find(wordLengthList_, QStringLiteral("Combo_DatawordLength"));
  find(signedList_, QStringLiteral("Combo_Signed"));
  find(convInput_, QStringLiteral("Conv_CE_Input"));
  find(convOutput_, QStringLiteral("Conv_CE_Output"));
  find(convSource_, QStringLiteral("Conv_CE_Source"));
  find(convTarget_, QStringLiteral("Conv_CE_Target"));
  find(alwaysOnTop_, QStringLiteral("CheckBox1"));
  find(largeFont_, QStringLiteral("CheckBox2"));
  find(transparency_, QStringLiteral("Transparency"));
  find(transparencyLabel_, QStringLiteral("Label_Transparency"));
  find(statusBar_, QStringLiteral("StatusBar"));
}
