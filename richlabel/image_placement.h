// Where a picture goes in a box for each of the eight draw modes: the one
// computation shared by the painter code and its tests.
#pragma once

namespace qimubox {

enum class DrawMode : int {
  Cover = 0,        // fills the box, proportions kept, centred, spills on one axis
  Stretch = 1,      // fills the box exactly
  Tile = 2,         // repeated from the painter's origin
  Fit = 3,          // inside the box, proportions kept, never enlarged, centred
  TopLeft = 4,      // natural size, cut to the box, anchored to a corner
  BottomLeft = 5,
  TopRight = 6,
  BottomRight = 7,
};

struct PixelRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const PixelRect&) const = default;
};

struct ImagePlacement {
  enum class Kind { Nothing, Image, Tile };
  Kind kind = Kind::Nothing;
  PixelRect destination;  // for Tile: the area filled
  PixelRect source;       // part of the picture drawn (Image only)
  bool operator==(const ImagePlacement&) const = default;
};

struct FittedSize {
  int width = 0;
  int height = 0;
  bool operator==(const FittedSize&) const = default;
};

// Shrinks (w, h) to fit the box keeping its proportions; never enlarges it.
FittedSize FitSize(int width, int height, int boxWidth, int boxHeight);

// Destination and source of a picture of imageWidth × imageHeight drawn in
// the box (x, y, w, h) with `mode`; Nothing for an unknown mode or an empty picture.
ImagePlacement placeImage(int imageWidth, int imageHeight, int x, int y, int w, int h, int mode);

}  // namespace qimubox
