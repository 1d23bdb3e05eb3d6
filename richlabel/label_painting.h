// The label's double buffer: the background (colour, then picture) is drawn
// into the back buffer when the buffers are rebuilt; every paint copies it
// into the front buffer and draws the visible runs over it.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <cstdint>
#include <vector>

#include "richlabel/markup_layout.h"
#include "richlabel/stream_image.h"

namespace qimubox {

// The grey of rules: RGB(204, 204, 204).
inline constexpr std::uint32_t kRuleColour = 204 + 204 * 256 + 204 * 65536;

struct LabelColours {
  std::uint32_t plainText = 0;
  std::uint32_t link = 0;
};

class PaintBuffers {
 public:
  // Missing until made; a size of no pixels gives empty buffers, still missing.
  bool missing() const { return front_.isNull(); }
  QSize size() const { return size_; }
  void release();
  // Makes both buffers for a client of `size` logical pixels.
  void make(QSize size, qreal devicePixelRatio);

  QImage& back() { return back_; }
  QImage& front() { return front_; }

 private:
  QImage back_;
  QImage front_;
  QSize size_;
};

// Fills the whole back buffer with the colour, then draws the picture over it.
void drawBackground(QImage& back, std::uint32_t backColour, const StreamImage& picture, int pictureMode);

// The display text of every run, made once per layout so that a paint never
// converts or measures: cut runs end in an ellipsis.
std::vector<QString> shownTexts(const std::vector<TextRun>& runs);

// Back buffer, then the runs that reach the content area, clipped to it when
// the margin is positive.
void compose(QImage& front, const QImage& back, const std::vector<TextRun>& runs,
             const std::vector<QString>& shown, int margin, const LabelColours& colours);

}  // namespace qimubox
