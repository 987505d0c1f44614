// Averlin: a calculator for logic and arithmetic on machine words.

#include <QApplication>
#include <QFileInfo>
#include <QFontDatabase>
#include <QIcon>

#include "ErrorReport.h"
#include "Unit1.h"

namespace {

// The window is drawn in Tahoma. Where the system has no Tahoma of its own,
// Wine's metric-compatible one (Debian's fonts-wine) is used when present,
// so that every caption fits its control.
void ProvideTahoma() {
  const QString wineTahoma = QStringLiteral("/usr/share/wine/fonts/tahoma.ttf");
  if (QFileInfo::exists(wineTahoma) && !QFontDatabase::hasFamily(QStringLiteral("Tahoma")))
    QFontDatabase::addApplicationFont(wineTahoma);
}

}  // namespace

int main(int argc, char* argv[]) {
  averlin::ReportingApplication app(argc, argv);
  ProvideTahoma();
  QIcon icon;
  for (int size : {16, 32, 48, 64, 128}) icon.addFile(QStringLiteral(":/icons/averlin-%1.png").arg(size));
  QApplication::setWindowIcon(icon);
  QApplication::setApplicationName(averlin::kApplicationTitle);
  QApplication::setApplicationDisplayName(averlin::kApplicationTitle);
  // Lets the desktop match the window to its launcher entry and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.averlin.Averlin"));
  TForm_Quillon window;
  window.show();
  return QApplication::exec();
}
