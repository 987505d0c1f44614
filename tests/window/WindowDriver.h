#pragma once
// Drives the calculator's window the way a user does: by the names of its
// controls, with key clicks and mouse clicks.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QList>
#include <QPushButton>
#include <QString>
#include <QTest>
#include <functional>
#include <memory>
#include <utility>

#include "ControlNames.h"
#include "Unit1.h"

class WindowDriver {
 public:
  WindowDriver();
  ~WindowDriver();

  TForm_Quillon& window() { return *window_; }

  template <class T = QWidget>
  T* find(const QString& name) const {
    T* w = window_->findChild<T*>(name);
    if (!w) qFatal("no control named %s", qPrintable(name));
    return w;
  }
  QLineEdit* edit(const QString& name) const { return find<QLineEdit>(name); }
  QCheckBox* bitBox(const QString& reg, int bit) const {
    return find<QCheckBox>(averlin::ControlName(reg, averlin::RegisterControl::BitBox, bit));
  }

  // Replaces the whole text of a field by typing over it.
  void typeOver(const QString& field, const QString& text);
  // Types at the caret.
  void type(const QString& field, const QString& text);
  void key(const QString& field, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  void paste(const QString& field, const QString& text);
  void click(const QString& name);
  void clickBit(const QString& reg, int bit);
  // Moves the pointer to a point of the screen and waits until the window
  // is sent the pointer event there, which is what the hint line follows;
  // false when no event came.
  static bool movePointerTo(QPoint global);
  // What the status bar shows once the event loop has fallen idle and
  // waited, which is when the hint line follows the pointer.
  QString statusWhenIdle() const;
  // Picks an item from a drop-down list with the mouse.
  void pick(const QString& list, int index);
  void pickWordLength(int bits);
  void pickSigned(bool isSigned);
  // Sets a register from its hexadecimal field.
  void setRegister(const QString& reg, const QString& hex);

  // The text of the error report that the action raised, after closing it
  // with its OK button; empty when none was raised. The caption goes to
  // *caption when given.
  QString errorReportOf(const std::function<void()>& action, QString* caption = nullptr);

  // Hex, Dec and Net text of a register.
  QString hex(const QString& reg) const { return view(reg, averlin::RegisterControl::HexEdit); }
  QString dec(const QString& reg) const { return view(reg, averlin::RegisterControl::DecEdit); }
  QString net(const QString& reg) const { return view(reg, averlin::RegisterControl::NetEdit); }
  // The value the bit boxes of a register show.
  quint32 bits(const QString& reg) const;

 private:
  QString view(const QString& reg, averlin::RegisterControl field) const {
    return edit(averlin::ControlName(reg, field))->text();
  }

  std::unique_ptr<TForm_Quillon> window_;
};

// Notes the first object that is sent an event the test matches, while it
// lives: an application-wide filter that lets every event through.
class EventSeen : public QObject {
 public:
  explicit EventSeen(std::function<bool(const QEvent*)> matches) : matches_(std::move(matches)) {
    qApp->installEventFilter(this);
  }
  ~EventSeen() override { qApp->removeEventFilter(this); }
  Q_DISABLE_COPY_MOVE(EventSeen)
  QObject* by = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!by && matches_(event)) by = watched;
    return false;
  }

 private:
  std::function<bool(const QEvent*)> matches_;
};

// Closes every error report with its OK button as soon as it shows, from
// inside its modal loop, and keeps what each said.
class ErrorReportCloser : public QObject {
 public:
  struct Report {
    QString text;  // "unexpected report: ..." for a report not of the standard form
    QString caption;
  };
  ErrorReportCloser();
  ~ErrorReportCloser() override;
  Q_DISABLE_COPY_MOVE(ErrorReportCloser)
  QList<Report> take() { return std::exchange(reports_, {}); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QList<Report> reports_;
};

// Test cases that work on the registers: each case gets a fresh window,
// which starts with every register at 0, and must leave the view-update
// hold down.
class RegisterCases : public QObject {
  Q_OBJECT
 protected slots:
  void init();
  void cleanup();

 protected:
  std::unique_ptr<WindowDriver> d;
};
