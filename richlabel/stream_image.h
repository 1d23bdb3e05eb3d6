// A picture made from bytes held in memory, drawn stretched, covering,
// fitted, tiled or at natural size in a corner of a box.
#pragma once

#include <QImage>
#include <cstdint>
#include <string_view>

#include "richlabel/image_placement.h"

class QPainter;
class QPaintDevice;

namespace qimubox {

// Colour value (red + green × 256 + blue × 65536) meaning "no background".
inline constexpr std::uint32_t kNoBackground = 0xFFFFFFFF;

// Loads the image decoders once for the process, before the first window,
// so that no decode pays for it later. True for the call that did it.
bool StartGraphics();

class StreamImage {
 public:
  void Release();
  // 1 when the bytes decode to a picture; fewer than 5 bytes or bytes no
  // decoder reads give 0 and leave the picture unloaded.
  int LoadFromBytes(std::string_view bytes);

  int GetWidth() const { return width_; }
  int GetHeight() const { return height_; }
  void GetSize(int& width, int& height) const;
  const QImage& GetHandle() const { return image_; }
  int IsLoaded() const { return image_.isNull() ? 0 : 1; }

  // Draws the part (sx, sy, sw, sh) of the picture into (x, y, w, h); a
  // source width or height of 0 means the picture's. The device variants
  // open a painter of their own on the device, first filling the box with
  // the background colour when one is given.
  void DrawToDC(QPaintDevice* device, int x, int y, int w, int h, int sx, int sy, int sw, int sh,
                std::uint32_t background = kNoBackground) const;
  void DrawToGraphics(QPainter& painter, int x, int y, int w, int h, int sx, int sy, int sw, int sh) const;

  // Draws the picture in the box with one of the eight modes (DrawMode).
  void DrawModeToDC(QPaintDevice* device, int x, int y, int w, int h, int mode) const;
  void DrawMode(QPainter& painter, int x, int y, int w, int h, int mode) const;

 private:
  QImage image_;
  int width_ = 0;
  int height_ = 0;
};

// Colour values are red + green × 256 + blue × 65536.
QColor colourOf(std::uint32_t value);
std::uint32_t colourValueOf(const QColor& colour);

}  // namespace qimubox
