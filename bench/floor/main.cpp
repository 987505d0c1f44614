// The floor program: the calculator's widgets with nothing behind them.
// Each option adds one step of the calculator's own start-up, so that the
// start-up benchmark can tell what that step costs:
//   --with-font    choose the window's font and draw the window in it;
//   --with-icon    set the application's icon (not "--icon", which Qt takes
//                  for an X11 option of its own).

#include <QApplication>
#include <optional>

#include "FloorWindow.h"
#include "PlatformFont.h"
#include "Startup.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const QStringList options = QApplication::arguments();
  std::optional<QFont> font;
  if (options.contains(QLatin1String("--with-font"))) font.emplace(averlin::WindowFont());
  if (options.contains(QLatin1String("--with-icon"))) QApplication::setWindowIcon(averlin::ApplicationIcon());
  averlin::bench::FloorWindow window(font ? &*font : nullptr);
  window.show();
  return QApplication::exec();
}
