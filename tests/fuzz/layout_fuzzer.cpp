// libFuzzer target over the markup layout: any byte string as a label's text,
// in a label whose size, margin and repetition come from the first bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "richlabel/markup_layout.h"
#include "tests/richlabel/fake_measurer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace qimubox;
  if (size < 2) return 0;
  const LayoutFrame frame{
      8 + (data[0] >> 1) * 2,  // 8 to 262 pixels wide: below and above the 10-pixel limit
      1 + data[1] * 2,         // 1 to 511 high
      data[1] % 12,
      (data[0] & 1) != 0,
  };
  const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
  std::vector<TextRun> runs = Layout(text, frame, testing::FakeMeasurer{});
  const RunRect content = contentRectOf(frame.width, frame.height, frame.margin);
  for (int i = 0; i < 4; ++i) ScrollStep(runs, content);
  HitTest(runs, content.left + 3, content.top + 3);
  DecodeEntities(text);
  return 0;
}
