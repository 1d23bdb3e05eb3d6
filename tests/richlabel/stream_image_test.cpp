#include "richlabel/stream_image.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QPainter>

namespace qimubox {
namespace {

std::string pngOf(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  image.save(&buffer, "PNG");
  return bytes.toStdString();
}

QImage filled(int width, int height, QColor colour) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

const QColor kRed(255, 0, 0);
const QColor kWhite(255, 255, 255);

TEST(StreamImageTest, LoadsOnlyDecodableBytes) {
  StreamImage picture;
  const std::string onePixel = pngOf(filled(1, 1, kRed));
  EXPECT_EQ(picture.LoadFromBytes(onePixel.substr(0, 4)), 0);
  EXPECT_EQ(picture.IsLoaded(), 0);
  ASSERT_EQ(picture.LoadFromBytes(onePixel), 1);
  int width = 0, height = 0;
  picture.GetSize(width, height);
  EXPECT_EQ(width, 1);
  EXPECT_EQ(height, 1);

  // A failed load leaves no picture behind, not the previous one.
  EXPECT_EQ(picture.LoadFromBytes("not a picture at all"), 0);
  EXPECT_EQ(picture.IsLoaded(), 0);
  EXPECT_EQ(picture.GetWidth(), 0);
  EXPECT_EQ(picture.LoadFromBytes(onePixel.substr(0, onePixel.size() / 2)), 0);  // cut short
  EXPECT_EQ(picture.IsLoaded(), 0);
}

TEST(StreamImageTest, StartGraphicsStartsOnce) {
  const bool first = StartGraphics();
  EXPECT_FALSE(StartGraphics());
  EXPECT_TRUE(first);
}

// Draws a 50 × 40 red picture into a white 100 × 100 box and reads back
// which pixels turned red.
TEST(StreamImageTest, DrawModesPaintWhereThePlacementSays) {
  StreamImage picture;
  ASSERT_EQ(picture.LoadFromBytes(pngOf(filled(50, 40, kRed))), 1);
  const struct {
    int mode;
    QPoint red, white;
  } cases[] = {
      {1, {99, 99}, {100, 100}},  // stretched over the whole box (the canvas is 110 wide)
      {3, {25, 30}, {24, 30}},    // fitted: natural size, centred
      {4, {49, 39}, {50, 39}},
      {5, {0, 60}, {0, 59}},
      {6, {50, 0}, {49, 0}},
      {7, {50, 60}, {49, 60}},
      {8, {-1, -1}, {50, 50}},    // draws nothing
  };
  for (const auto& c : cases) {
    QImage canvas = filled(110, 110, kWhite);
    picture.DrawModeToDC(&canvas, 0, 0, 100, 100, c.mode);
    if (c.red.x() >= 0) {
      EXPECT_EQ(canvas.pixelColor(c.red), kRed) << c.mode;
    }
    EXPECT_EQ(canvas.pixelColor(c.white), kWhite) << c.mode;
  }
}

TEST(StreamImageTest, TileRepeatsFromThePainterOrigin) {
  QImage twoColours(4, 4, QImage::Format_RGB32);
  twoColours.fill(kRed);
  QPainter(&twoColours).fillRect(2, 0, 2, 4, kWhite);  // left half red, right half white
  StreamImage picture;
  ASSERT_EQ(picture.LoadFromBytes(pngOf(twoColours)), 1);
  QImage canvas = filled(20, 20, QColor(0, 0, 255));
  picture.DrawModeToDC(&canvas, 1, 1, 10, 10, 2);
  EXPECT_EQ(canvas.pixelColor(1, 1), kRed);     // column 1 of the tile
  EXPECT_EQ(canvas.pixelColor(2, 1), kWhite);   // column 2: the tile starts at 0, not at the box
  EXPECT_EQ(canvas.pixelColor(4, 5), kRed);
  EXPECT_EQ(canvas.pixelColor(11, 11), QColor(0, 0, 255));
}

TEST(StreamImageTest, DrawToDCFillsTheBackgroundThenDrawsTheSourcePart) {
  QImage halves(4, 2, QImage::Format_RGB32);
  halves.fill(kRed);
  QPainter(&halves).fillRect(2, 0, 2, 2, QColor(0, 255, 0));  // right half green
  StreamImage picture;
  ASSERT_EQ(picture.LoadFromBytes(pngOf(halves)), 1);
  QImage canvas = filled(20, 20, kWhite);
  // The right half of the picture into the top 10 × 5 of a 10 × 10 box on blue.
  picture.DrawToDC(&canvas, 0, 0, 10, 5, 2, 0, 2, 2, 255u * 65536u);
  EXPECT_EQ(canvas.pixelColor(5, 2), QColor(0, 255, 0));
  EXPECT_EQ(canvas.pixelColor(5, 8), kWhite);  // only the given box is filled
  canvas = filled(20, 20, kWhite);
  picture.DrawToDC(&canvas, 0, 0, 8, 2, 0, 0, 0, 0);  // source 0 × 0: the whole picture
  EXPECT_EQ(canvas.pixelColor(1, 1), kRed);
  EXPECT_EQ(canvas.pixelColor(6, 1), QColor(0, 255, 0));
}

}  // namespace
}  // namespace qimubox
