// Values the rich text label starts from.
#pragma once

#include <cstdint>

namespace qimubox {

// Colour value standing for the widget's window-text colour; it is replaced
// by that colour when the label is attached.
inline constexpr std::uint32_t kWindowTextColour = 0xFF000000;
inline constexpr std::uint32_t kDefaultLinkColour = 255u * 65536u;  // blue
inline constexpr int kDefaultScrollInterval = 120;                   // milliseconds
// How long the mouse rests on the label before the scrolling pauses.
inline constexpr int kHoverMilliseconds = 50;

}  // namespace qimubox
