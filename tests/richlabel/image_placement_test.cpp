#include "richlabel/image_placement.h"

#include <gtest/gtest.h>

namespace qimubox {
namespace {

using Kind = ImagePlacement::Kind;

struct ModeCase {
  const char* name;
  int imageWidth, imageHeight;
  int x, y, w, h, mode;
  ImagePlacement expected;
};

class DrawModes : public ::testing::TestWithParam<ModeCase> {};

TEST_P(DrawModes, PlacesThePicture) {
  const ModeCase& c = GetParam();
  EXPECT_EQ(placeImage(c.imageWidth, c.imageHeight, c.x, c.y, c.w, c.h, c.mode), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    EightModes, DrawModes,
    ::testing::Values(
        // A 200 × 100 picture in a 100 × 100 box.
        ModeCase{"CoverSpills", 200, 100, 0, 0, 100, 100, 0, {Kind::Image, {-50, 0, 200, 100}, {0, 0, 200, 100}}},
        ModeCase{"CoverTallPicture", 100, 200, 10, 10, 100, 100, 0, {Kind::Image, {10, -40, 100, 200}, {0, 0, 100, 200}}},
        ModeCase{"CoverEnlarges", 50, 40, 0, 0, 100, 100, 0, {Kind::Image, {-12, 0, 125, 100}, {0, 0, 50, 40}}},
        ModeCase{"Stretch", 200, 100, 0, 0, 100, 100, 1, {Kind::Image, {0, 0, 100, 100}, {0, 0, 200, 100}}},
        ModeCase{"Tile", 200, 100, 3, 4, 100, 100, 2, {Kind::Tile, {3, 4, 100, 100}, {}}},
        ModeCase{"FitCentres", 200, 100, 0, 0, 100, 100, 3, {Kind::Image, {0, 25, 100, 50}, {0, 0, 200, 100}}},
        ModeCase{"FitNeverEnlarges", 50, 40, 0, 0, 100, 100, 3, {Kind::Image, {25, 30, 50, 40}, {0, 0, 50, 40}}},
        ModeCase{"TopLeftShowsTheLeftPart", 200, 100, 0, 0, 100, 100, 4, {Kind::Image, {0, 0, 100, 100}, {0, 0, 100, 100}}},
        ModeCase{"TopRightShowsTheLeftPart", 200, 100, 0, 0, 100, 100, 6, {Kind::Image, {0, 0, 100, 100}, {0, 0, 100, 100}}},
        ModeCase{"BottomLeft", 50, 40, 0, 0, 100, 100, 5, {Kind::Image, {0, 60, 50, 40}, {0, 0, 50, 40}}},
        ModeCase{"BottomRightNaturalSize", 50, 40, 10, 20, 100, 100, 7, {Kind::Image, {60, 80, 50, 40}, {0, 0, 50, 40}}},
        ModeCase{"BottomRightTallCut", 50, 300, 0, 0, 100, 100, 7, {Kind::Image, {50, 0, 50, 100}, {0, 200, 50, 100}}},
        ModeCase{"ModeEightDrawsNothing", 50, 40, 0, 0, 100, 100, 8, {}},
        ModeCase{"NegativeModeDrawsNothing", 50, 40, 0, 0, 100, 100, -1, {}},
        ModeCase{"EmptyPictureDrawsNothing", 0, 40, 0, 0, 100, 100, 1, {}},
        ModeCase{"EmptyBoxCornerDrawsNothing", 50, 40, 0, 0, 0, 100, 4, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FitSizeTest, Table) {
  const struct {
    int w, h, bw, bh;
    FittedSize expected;
  } cases[] = {
      {400, 300, 200, 200, {200, 150}}, {300, 400, 200, 200, {150, 200}}, {100, 50, 200, 200, {100, 50}},
      {300, 200, 200, 100, {150, 100}},  // narrowed, then still too tall
      {333, 100, 100, 100, {100, 30}},   // 30.03 truncated
      {10, 10, 0, 0, {0, 0}},            // an empty box
      {10, 10, -5, -5, {-5, -5}},        // a negative box stays defined
  };
  for (const auto& c : cases) EXPECT_EQ(FitSize(c.w, c.h, c.bw, c.bh), c.expected) << c.w << "x" << c.h;
}

}  // namespace
}  // namespace qimubox
