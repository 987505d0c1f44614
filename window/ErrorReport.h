#pragma once
// The standard error report: an error that ends an event handler is shown
// in a modal message box, and the program goes on with the next event.

#include <QString>

class QWidget;

namespace averlin {

inline const QString kApplicationTitle = QStringLiteral("Averlin");

// The message as the report shows it: a full stop is appended when the
// message ends in a character that sorts after ".".
QString ErrorReportText(const QString& message);

// Shows the report for the message, modal to the parent.
void ShowErrorReport(QWidget* parent, const QString& message);

// Runs one event handler's body. An error that escapes it is reported here
// and never unwinds into the toolkit's frames.
template <class Body>
void RunHandler(QWidget* window, Body&& body) noexcept;

void ReportEscapedError(QWidget* window) noexcept;

template <class Body>
void RunHandler(QWidget* window, Body&& body) noexcept {
  try {
    body();
  } catch (...) {
    ReportEscapedError(window);
  }
}

}  // namespace averlin
