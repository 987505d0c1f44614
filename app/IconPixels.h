#pragma once
// The window icon's pixels, decoded at build time from its PNG renderings so
// that start-up neither scans for image plug-ins nor decodes PNG.

#include <QtGlobal>
#include <span>

namespace averlin {

struct IconPixels {
  int size;             // width and height
  const quint32* argb;  // size × size pixels, premultiplied ARGB, row by row
};

// One entry per rendered size, smallest first. Defined in the generated
// source that averlin-embed-icon writes.
std::span<const IconPixels> IconPixelSets();

}  // namespace averlin
