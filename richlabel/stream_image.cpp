#include "richlabel/stream_image.h"

#include <QImageReader>
#include <QPainter>
#include <limits>
#include <mutex>

namespace qimubox {

bool StartGraphics() {
  static std::once_flag started;
  bool didStart = false;
  std::call_once(started, [&didStart] {
    // Asking for the formats loads every image plugin.
    QImageReader::supportedImageFormats();
    didStart = true;
  });
  return didStart;
}

QColor colourOf(std::uint32_t value) {
  return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                static_cast<int>((value >> 16) & 0xFF));
}

std::uint32_t colourValueOf(const QColor& colour) {
  return static_cast<std::uint32_t>(colour.red()) | (static_cast<std::uint32_t>(colour.green()) << 8) |
         (static_cast<std::uint32_t>(colour.blue()) << 16);
}

void StreamImage::Release() {
  image_ = QImage();
  width_ = 0;
  height_ = 0;
}

int StreamImage::LoadFromBytes(std::string_view bytes) {
  Release();
  if (bytes.size() < 5 || bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) return 0;
  QImage decoded;
  if (!decoded.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size())))
    return 0;
  image_ = std::move(decoded);
  width_ = image_.width();
  height_ = image_.height();
  return 1;
}

void StreamImage::GetSize(int& width, int& height) const {
  width = width_;
  height = height_;
}

void StreamImage::DrawToDC(QPaintDevice* device, int x, int y, int w, int h, int sx, int sy, int sw, int sh,
                           std::uint32_t background) const {
  if (image_.isNull() || device == nullptr) return;
  QPainter painter(device);
  if (background != kNoBackground) painter.fillRect(QRect(x, y, w, h), colourOf(background));
  DrawToGraphics(painter, x, y, w, h, sx, sy, sw, sh);
}

void StreamImage::DrawToGraphics(QPainter& painter, int x, int y, int w, int h, int sx, int sy, int sw,
                                 int sh) const {
  if (image_.isNull()) return;
  if (sw == 0) sw = width_;
  if (sh == 0) sh = height_;
  painter.drawImage(QRectF(x, y, w, h), image_, QRectF(sx, sy, sw, sh));
}

void StreamImage::DrawModeToDC(QPaintDevice* device, int x, int y, int w, int h, int mode) const {
  if (image_.isNull() || device == nullptr) return;
  QPainter painter(device);
  DrawMode(painter, x, y, w, h, mode);
}

void StreamImage::DrawMode(QPainter& painter, int x, int y, int w, int h, int mode) const {
  if (image_.isNull()) return;
  const ImagePlacement placement = placeImage(width_, height_, x, y, w, h, mode);
  const PixelRect& to = placement.destination;
  switch (placement.kind) {
    case ImagePlacement::Kind::Nothing:
      return;
    case ImagePlacement::Kind::Tile:
      // A texture brush repeats from the painter's origin, not from the box.
      painter.fillRect(QRect(to.x, to.y, to.width, to.height), QBrush(image_));
      return;
    case ImagePlacement::Kind::Image: {
      const PixelRect& from = placement.source;
      painter.drawImage(QRectF(to.x, to.y, to.width, to.height), image_,
                        QRectF(from.x, from.y, from.width, from.height));
      return;
    }
  }
}

}  // namespace qimubox
