#include "Startup.h"

#include <QFileInfo>
#include <QFontDatabase>
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
  // The pixmaps take the images as they are, in place: they read the
  // program's own pixels and never copy them.
  for (const IconPixels& set : IconPixelSets())
    icon.addPixmap(QPixmap::fromImage(QImage(reinterpret_cast<const uchar*>(set.argb), set.size, set.size,
                                             QImage::Format_ARGB32_Premultiplied)));
  return icon;
}

}  // namespace averlin
