#include "Startup.h"

#include <QImage>
#include <QPixmap>

#include "IconPixels.h"

namespace averlin {

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
