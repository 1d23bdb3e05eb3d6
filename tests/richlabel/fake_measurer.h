// A text measurer with exact, predictable extents: every byte is `byteWidth`
// pixels wide (one more in the bold fonts) and every text is `height` high.
#pragma once

#include <string_view>

#include "richlabel/markup_layout.h"

namespace qimubox::testing {

struct FakeMeasurer {
  int byteWidth = 6;
  int height = 16;

  TextExtent operator()(std::string_view text, RunFont font) const {
    const bool bold = font == RunFont::Bold || font == RunFont::BoldLink;
    return {static_cast<int>(text.size()) * (byteWidth + (bold ? 1 : 0)), height};
  }
};

}  // namespace qimubox::testing
