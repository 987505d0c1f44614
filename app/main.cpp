// Averlin: a calculator for logic and arithmetic on machine words.

#include <QApplication>

#include "AppIdentity.h"
#include "ErrorReport.h"
#include "PlatformFont.h"
#include "Startup.h"
#include "Unit1.h"
#include "WindowPlatform.h"

int main(int argc, char* argv[]) {
  averlin::ChoosePlatform(argc, argv);
  averlin::ReportingApplication app(argc, argv);
  averlin::ChooseStyle();
  // The window's font is decided before the window is built.
  averlin::ChosenFont();
  QApplication::setWindowIcon(averlin::ApplicationIcon());
  QApplication::setApplicationName(averlin::kApplicationTitle);
  QApplication::setApplicationDisplayName(averlin::kApplicationTitle);
  // Lets the desktop match the window to its launcher entry and icon.
  QGuiApplication::setDesktopFileName(averlin::kDesktopFileName);
  TForm_Quillon window;
  window.show();
  return QApplication::exec();
}
