#include "richlabel/image_placement.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qimubox {
namespace {

// Computations are in double precision and coordinates are truncated toward
// zero; values out of range (a degenerate box) are clamped rather than left
// to undefined conversion.
int truncated(double value) {
  if (std::isnan(value)) return 0;
  constexpr double low = std::numeric_limits<int>::min();
  constexpr double high = std::numeric_limits<int>::max();
  return static_cast<int>(std::clamp(std::trunc(value), low, high));
}

ImagePlacement whole(int imageWidth, int imageHeight, PixelRect destination) {
  return {ImagePlacement::Kind::Image, destination, {0, 0, imageWidth, imageHeight}};
}

}  // namespace

FittedSize FitSize(int width, int height, int boxWidth, int boxHeight) {
  FittedSize fitted{width, height};
  if (width > boxWidth) {
    fitted.width = boxWidth;
    fitted.height = truncated(static_cast<double>(height) * boxWidth / width);
  }
  if (fitted.height > boxHeight) {
    fitted.width = truncated(static_cast<double>(fitted.width) * boxHeight / fitted.height);
    fitted.height = boxHeight;
  }
  return fitted;
}

ImagePlacement placeImage(int imageWidth, int imageHeight, int x, int y, int w, int h, int mode) {
  if (imageWidth <= 0 || imageHeight <= 0) return {};
  const int cornerWidth = std::min(w, imageWidth);
  const int cornerHeight = std::min(h, imageHeight);
  switch (static_cast<DrawMode>(mode)) {
    case DrawMode::Cover: {
      const double rx = static_cast<double>(w) / imageWidth;
      const double ry = static_cast<double>(h) / imageHeight;
      const double scale = rx - ry > 0.0000001 ? rx : ry;
      const int sw = truncated(imageWidth * scale);
      const int sh = truncated(imageHeight * scale);
      return whole(imageWidth, imageHeight,
                   {truncated(x + (w - sw) / 2.0), truncated(y + (h - sh) / 2.0), sw, sh});
    }
    case DrawMode::Stretch:
      return whole(imageWidth, imageHeight, {x, y, w, h});
    case DrawMode::Tile:
      return {ImagePlacement::Kind::Tile, {x, y, w, h}, {}};
    case DrawMode::Fit: {
      const FittedSize fitted = FitSize(imageWidth, imageHeight, w, h);
      return whole(imageWidth, imageHeight,
                   {truncated(x + (w - fitted.width) / 2.0), truncated(y + (h - fitted.height) / 2.0),
                    fitted.width, fitted.height});
    }
    case DrawMode::TopLeft:
    case DrawMode::BottomLeft:
    case DrawMode::TopRight:
    case DrawMode::BottomRight: {
      if (cornerWidth <= 0 || cornerHeight <= 0) return {};
      const bool right = mode == static_cast<int>(DrawMode::TopRight) || mode == static_cast<int>(DrawMode::BottomRight);
      const bool bottom = mode == static_cast<int>(DrawMode::BottomLeft) || mode == static_cast<int>(DrawMode::BottomRight);
      // The source always starts at the picture's left edge, so a picture
      // wider than the box shows its left part in every corner.
      const PixelRect destination{right ? x + w - cornerWidth : x, bottom ? y + h - cornerHeight : y,
                                  cornerWidth, cornerHeight};
      const PixelRect source{0, bottom ? imageHeight - cornerHeight : 0, cornerWidth, cornerHeight};
      return {ImagePlacement::Kind::Image, destination, source};
    }
  }
  return {};
}

}  // namespace qimubox
