// The error report: its text rule, and the application's last net for an
// error that escapes code the event loop calls outside any handler.

#include <QMessageBox>
#include <QTimer>
#include <stdexcept>

#include "ErrorReport.h"
#include "WindowDriver.h"

namespace {

// Throws from its event handler, as a faulty slot or override would.
class Faulty : public QObject {
 public:
  bool event(QEvent* e) override {
    if (e->type() == QEvent::User) throw std::runtime_error("Something went wrong");
    return QObject::event(e);
  }
};

}  // namespace

class ErrorReportTest : public QObject {
  Q_OBJECT
 private slots:
  void fullStopIsAppendedAfterHigherCharacters();
  void escapedErrorIsReportedAndTheLoopGoesOn();
};

void ErrorReportTest::fullStopIsAppendedAfterHigherCharacters() {
  using averlin::ErrorReportText;
  QCOMPARE(ErrorReportText("Division by zero"), QStringLiteral("Division by zero."));
  QCOMPARE(ErrorReportText("'1e' is not a valid integer value"),
           QStringLiteral("'1e' is not a valid integer value."));
  QCOMPARE(ErrorReportText("Ends in a stop."), QStringLiteral("Ends in a stop."));
  QCOMPARE(ErrorReportText("Ends in a dash -"), QStringLiteral("Ends in a dash -"));  // '-' sorts before '.'
  QCOMPARE(ErrorReportText("Ends in a slash /"), QStringLiteral("Ends in a slash /."));
  QCOMPARE(ErrorReportText("Ends in a digit 7"), QStringLiteral("Ends in a digit 7."));
  QCOMPARE(ErrorReportText(QString()), QString());
}

void ErrorReportTest::escapedErrorIsReportedAndTheLoopGoesOn() {
  WindowDriver d;
  Faulty faulty;
  QString caption;
  const QString text = d.errorReportOf(
      [&faulty] {
        QCoreApplication::postEvent(&faulty, new QEvent(QEvent::User));
        QCoreApplication::processEvents();
      },
      &caption);
  QCOMPARE(text, QStringLiteral("Something went wrong."));
  QCOMPARE(caption, QStringLiteral("Averlin"));
  // The program carries on.
  d.setRegister("Accu1", "10");
  QCOMPARE(d.dec("Accu1"), QStringLiteral("16"));
}

int main(int argc, char* argv[]) {
  averlin::ReportingApplication app(argc, argv);
  ErrorReportTest test;
  return QTest::qExec(&test, argc, argv);
}
#include "tst_error_report.moc"
