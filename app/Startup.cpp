#include "Startup.h"

#include <QFontDatabase>
#include <QFileInfo>
#include <QImage>
#include <QPixmap>

#include "IconPixels.h"

namespace averlin {

void ProvideTahoma() {
  const QString wineTahoma = QStringLiteral("/usr/share/wine/fonts/tahoma.ttf");
  // A look at the installed families; QFontDatabase::hasFamily would also
  // run the name through fontconfig's substitution rules, which costs more
  // than the rest of this function and is not the question.
  if (QFileInfo::exists(wineTahoma) &&
      !QFontDatabase::families().contains(QStringLiteral("Tahoma"), Qt::CaseInsensitive))
    QFontDatabase::addApplicationFont(wineTahoma);
}

QIcon ApplicationIcon() {
  QIcon icon;
  for (const IconPixels& set : IconPixelSets()) {
    const QImage image(reinterpret_cast<const uchar*>(set.argb), set.size, set.size,
                       QImage::Format_ARGB32_Premultiplied);
    icon.addPixmap(QPixmap::fromImage(image));
  }
  return icon;
}

}  // namespace averlin
