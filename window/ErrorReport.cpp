#include "ErrorReport.h"

#include <QMessageBox>
#include <exception>

#include "AppIdentity.h"

namespace averlin {

QString ErrorReportText(const QString& message) {
  if (!message.isEmpty() && message.back() > QLatin1Char('.')) return message + QLatin1Char('.');
  return message;
}

void ShowErrorReport(QWidget* parent, const QString& message) {
  QMessageBox box(QMessageBox::Critical, kApplicationTitle, ErrorReportText(message), QMessageBox::Ok,
                  parent);
  box.setObjectName(QStringLiteral("ErrorReport"));
  box.exec();
}

void ReportEscapedError(QWidget* window) noexcept {
  // Called from inside a catch block: rethrow to learn what was caught.
  try {
    try {
      throw;
    } catch (const std::exception& e) {
      ShowErrorReport(window, QString::fromUtf8(e.what()));
    } catch (...) {
      ShowErrorReport(window, QStringLiteral("Unknown error"));
    }
  } catch (...) {
    // Showing the report itself failed (out of memory): nothing more to do
    // without unwinding into the toolkit.
  }
}

bool ReportingApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    ReportEscapedError(activeWindow());
    return false;
  }
}

}  // namespace averlin
