// Small text helpers for HTTP header lines and for cutting a value out of a
// header line between two marks. All texts are GBK bytes.
#pragma once

#include <string>
#include <string_view>

namespace qimubox {

// The text before the first ":" of `line`, trimmed of spaces; empty when the
// line has no ":".
std::string headerName(std::string_view line);

// The text after the first ":" of `line`, trimmed of spaces; empty when the
// line has no ":".
std::string headerValue(std::string_view line);

// The text after the first `startMark` up to the first `endMark` after it,
// both found without regard to letter case; empty when either is missing.
// In both marks "#引号" stands for a double quote.
std::string textBetween(std::string_view text, std::string_view startMark, std::string_view endMark);

}  // namespace qimubox
