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
#include <algorithm>
#include <limits>
#include <vector>

#include "ErrorReport.h"
#include "GroupTitleStyle.h"
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
  if (!c.hint.isEmpty()) HintLine::SetHint(w, c.hint, c.bubble);
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

// The Tab key's round through a parent's controls, after *previous: each by
// its tab order, a group's own controls where the group stands.
void ChainTabOrder(const QHash<QString, QWidget*>& byName, const QString& parent, QWidget*& previous) {
  std::vector<const layout::Control*> stops;
  for (const layout::Control& c : layout::Controls())
    if (c.parent == parent && c.tabOrder >= 0) stops.push_back(&c);
  std::stable_sort(stops.begin(), stops.end(),
                   [](const auto* a, const auto* b) { return a->tabOrder < b->tabOrder; });
  for (const layout::Control* c : stops) {
    QWidget* w = byName.value(c->name);
    if (c->kind == Kind::GroupBox) {
      ChainTabOrder(byName, c->name, previous);
      continue;
    }
    if (previous) QWidget::setTabOrder(previous, w);
    previous = w;
  }
}

// The widget as the class that its row's kind makes; a row whose kind makes
// another class is a fault of the table.
template <class T>
void KeepAs(T*& member, QWidget* w) {
  member = qobject_cast<T*>(w);
  if (!member) qFatal("%s is kept as a view of another class", qPrintable(w->objectName()));
}

}  // namespace

template <class Widget, class Signal>
void TForm_Quillon::Bind(Widget* sender, Signal signal, HandlerMethod handler) {
  connect(sender, signal, this,
          [this, sender, handler] { RunHandler(this, [&] { (this->*handler)(sender); }); });
}

TForm_Quillon::HandlerMethod TForm_Quillon::MethodOf(layout::Handler handler) {
  using H = layout::Handler;
  using W = TForm_Quillon;
  switch (handler) {
    case H::None: break;
    case H::Edit_AccuHexChange: return &W::Edit_AccuHexChange;
    case H::Edit_AccuDecChange: return &W::Edit_AccuDecChange;
    case H::AccuNetChange: return &W::AccuNetChange;
    case H::Accu1ChangeBit: return &W::Accu1ChangeBit;
    case H::Accu2ChangeBit: return &W::Accu2ChangeBit;
    case H::btn_Accu1_LSBClick: return &W::btn_Accu1_LSBClick;
    case H::btn_Accu2_LSBClick: return &W::btn_Accu2_LSBClick;
    case H::btn_Result_LSBClick: return &W::btn_Result_LSBClick;
    case H::btn_ADDClick: return &W::btn_ADDClick;
    case H::btn_SUBTRClick: return &W::btn_SUBTRClick;
    case H::btn_MULTClick: return &W::btn_MULTClick;
    case H::btn_DIVClick: return &W::btn_DIVClick;
    case H::btn_ANDClick: return &W::btn_ANDClick;
    case H::btn_ORClick: return &W::btn_ORClick;
    case H::btn_XORClick: return &W::btn_XORClick;
    case H::btn_NOTClick: return &W::btn_NOTClick;
    case H::btn_NANDClick: return &W::btn_NANDClick;
    case H::btn_NORClick: return &W::btn_NORClick;
    case H::btn_XNORClick: return &W::btn_XNORClick;
    case H::btn_SHLClick: return &W::btn_SHLClick;
    case H::btn_SHRClick: return &W::btn_SHRClick;
    case H::btn_ROLClick: return &W::btn_ROLClick;
    case H::btn_RORClick: return &W::btn_RORClick;
    case H::btn_SwapClick: return &W::btn_SwapClick;
    case H::btn_RtoA1Click: return &W::btn_RtoA1Click;
    case H::btn_RtoA2Click: return &W::btn_RtoA2Click;
    case H::BitOp_NumBits1Change: return &W::BitOp_NumBits1Change;
    case H::Combo_DatawordLengthChange: return &W::Combo_DatawordLengthChange;
    case H::Combo_SignedChange: return &W::Combo_SignedChange;
    case H::Converter_Do_Convert: return &W::Converter_Do_Convert;
    case H::CheckBox1Click: return &W::CheckBox1Click;
    case H::CheckBox2Click: return &W::CheckBox2Click;
    case H::TransparencyChange: return &W::TransparencyChange;
  }
  return nullptr;
}

void TForm_Quillon::BuildFromLayout() {
  SetClientSize(this, {layout::kClientWidth, layout::kClientHeight});
  // Parents, buddies and tab order name their controls within the table.
  QHash<QString, QWidget*> byName;
  QStyle* groupTitleStyle = GroupTitleStyle::Create(this);
  for (const layout::Control& c : layout::Controls()) {
    QWidget* w = CreateControl(c, c.parent.isEmpty() ? this : byName.value(c.parent));
    if (c.kind == Kind::GroupBox) w->setStyle(groupTitleStyle);
    if (c.bubble) w->installEventFilter(hintLine_.get());
    // Containers never take the focus; a bit box takes it from a click
    // only; every other control by Tab when its row has a tab order.
    if (c.kind == Kind::GroupBox || c.kind == Kind::StatusBar) {
      w->setFocusPolicy(Qt::NoFocus);
    } else if (c.tabOrder < 0) {
      w->setFocusPolicy(c.kind == Kind::BitBox ? Qt::ClickFocus : Qt::NoFocus);
    }
    Keep(c.keep, w);
    byName.insert(c.name, w);
  }
  QWidget* previousInTabOrder = nullptr;
  ChainTabOrder(byName, QString(), previousInTabOrder);
  for (const layout::Control& c : layout::Controls()) {
    QWidget* w = byName.value(c.name);
    if (!c.buddy.isEmpty()) LinkBuddy(w, byName.value(c.buddy));
    if (w->property(kFitToTextProperty).toInt() != 0) FitLabelToText(static_cast<QLabel*>(w));
    const HandlerMethod handler = MethodOf(c.onEvent);
    if (!handler) continue;
    switch (c.kind) {
      case Kind::Edit:
      case Kind::HexEdit: Bind(static_cast<QLineEdit*>(w), &QLineEdit::textChanged, handler); break;
      case Kind::PushButton: Bind(static_cast<QPushButton*>(w), &QPushButton::clicked, handler); break;
      case Kind::BitBox:
      case Kind::CheckBox: Bind(static_cast<QCheckBox*>(w), &QCheckBox::toggled, handler); break;
      // A list's handler runs for the user's pick only, the same item
      // included, not for a selection that the program makes.
      case Kind::ComboBox: Bind(static_cast<QComboBox*>(w), &QComboBox::activated, handler); break;
      case Kind::Slider: Bind(static_cast<QSlider*>(w), &QSlider::valueChanged, handler); break;
      default: qFatal("%s: this kind of control raises no event", qPrintable(c.name));
    }
  }
  CheckKeptViews();
}

void TForm_Quillon::Keep(const layout::ViewOf& keep, QWidget* w) {
  using V = layout::WindowView;
  RegisterViews& r = views_[static_cast<std::size_t>(keep.reg)];
  const auto at = [&keep](auto& array) -> auto& { return array.at(static_cast<std::size_t>(keep.index)); };
  switch (keep.view) {
    case V::None: break;
    case V::RegisterHex: KeepAs(r.hex, w); break;
    case V::RegisterDec: KeepAs(r.dec, w); break;
    case V::RegisterNet: KeepAs(r.net, w); break;
    case V::RegisterBitBox: KeepAs(at(r.bits), w); break;
    case V::RegisterPositionLabel: KeepAs(at(r.positionLabels), w); break;
    case V::RegisterLsb: KeepAs(r.lsb, w); break;
    case V::ShiftCountEdit: KeepAs(shiftCountEdit_, w); break;
    case V::ShiftCountSpinner: KeepAs(shiftCountSpinner_, w); break;
    case V::WordLengthList: KeepAs(wordLengthList_, w); break;
    case V::SignedList: KeepAs(signedList_, w); break;
    case V::ConvInput: KeepAs(convInput_, w); break;
    case V::ConvOutput: KeepAs(convOutput_, w); break;
    case V::ConvSource: KeepAs(convSource_, w); break;
    case V::ConvTarget: KeepAs(convTarget_, w); break;
    case V::AlwaysOnTop: KeepAs(alwaysOnTop_, w); break;
    case V::LargeFont: KeepAs(largeFont_, w); break;
    case V::Transparency: KeepAs(transparency_, w); break;
    case V::TransparencyLabel: KeepAs(transparencyLabel_, w); break;
    case V::StatusBar: KeepAs(statusBar_, w); break;
  }
}

void TForm_Quillon::CheckKeptViews() const {
  std::vector<const QObject*> kept{shiftCountEdit_, shiftCountSpinner_, wordLengthList_, signedList_,
                                   convInput_,      convOutput_,        convSource_,     convTarget_,
                                   alwaysOnTop_,    largeFont_,         transparency_,   transparencyLabel_,
                                   statusBar_};
  for (const RegisterViews& r : views_) {
    kept.insert(kept.end(), {r.hex, r.dec, r.net, r.lsb});
    kept.insert(kept.end(), r.bits.begin(), r.bits.end());
    kept.insert(kept.end(), r.positionLabels.begin(), r.positionLabels.end());
  }
  if (std::find(kept.begin(), kept.end(), nullptr) != kept.end()) qFatal("the layout leaves a view unmade");
}
