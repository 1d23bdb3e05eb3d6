// Colours travel through the program as one integer, red + green × 256 +
// blue × 65536; these two functions are the only place that packs them.
#pragma once

#include <QColor>

namespace qimubox {

inline int colourValue(const QColor& colour) {
  return colour.red() + colour.green() * 256 + colour.blue() * 65536;
}

inline QColor colourFromValue(int value) {
  return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

}  // namespace qimubox
