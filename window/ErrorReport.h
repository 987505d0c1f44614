#pragma once
// The standard error report: an error that ends an event handler is shown
// in a modal message box, and the program goes on with the next event.

#include <QApplication>
#include <QString>

class QWidget;

namespace averlin {

// The message as the report shows it: a full stop is appended when the
// message ends in a character that sorts after ".".
QString ErrorReportText(const QString& message);

// Shows the report for the message, modal to the parent.
void ShowErrorReport(QWidget* parent, const QString& message);

// Runs one event handler's body. An error that escapes it is reported here
// and never unwinds into the toolkit's frames.
template <class Body>
void RunHandler(QWidget* window, Body&& body) noexcept;

// Reports the error being handled (call from a catch block only).
void ReportEscapedError(QWidget* window) noexcept;

// The application object. Every handler reports its own errors through
// RunHandler; this is the last net for an error that escapes anything
// else called from the event loop, so that none unwinds through Qt.
class ReportingApplication : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* event) override;
};

template <class Body>
void RunHandler(QWidget* window, Body&& body) noexcept {
  try {
    body();
  } catch (...) {
    ReportEscapedError(window);
  }
}

}  // namespace averlin
