#include "platform/gbk_text.h"

#include <algorithm>

namespace qimubox {
namespace {

char foldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool matchesAt(std::string_view text, std::size_t at, std::string_view mark, bool ignoreCase) {
  if (text.size() - at < mark.size()) return false;
  for (std::size_t i = 0; i < mark.size(); ++i) {
    const char a = text[at + i];
    const char b = mark[i];
    if (ignoreCase ? foldAscii(a) != foldAscii(b) : a != b) return false;
  }
  return true;
}

// Byte length of the space at text[index], or 0 when none starts there.
std::size_t spaceLengthAt(std::string_view text, std::size_t index) {
  if (text[index] == ' ') return 1;
  if (index + 1 < text.size() && static_cast<unsigned char>(text[index]) == 0xA1 &&
      static_cast<unsigned char>(text[index + 1]) == 0xA1)
    return 2;
  return 0;
}

// Byte offset of the first occurrence at or after `boundary`, which must be
// the start of a character, stepping by characters.
std::size_t findOffsetFromBoundary(std::string_view text, std::string_view mark, std::size_t boundary,
                                   bool ignoreCase) {
  if (mark.empty()) return std::string_view::npos;
  for (std::size_t i = boundary; i < text.size(); i += gbkCharLength(text, i))
    if (matchesAt(text, i, mark, ignoreCase)) return i;
  return std::string_view::npos;
}

// As above from any byte offset: walks from the start so that `from` itself
// is treated as a character boundary only when it is one.
std::size_t findOffset(std::string_view text, std::string_view mark, std::size_t from, bool ignoreCase) {
  std::size_t i = 0;
  while (i < from && i < text.size()) i += gbkCharLength(text, i);
  return findOffsetFromBoundary(text, mark, i, ignoreCase);
}

}  // namespace

std::size_t gbkCharLength(std::string_view text, std::size_t index) {
  return (isGbkLeadByte(static_cast<unsigned char>(text[index])) && index + 1 < text.size()) ? 2 : 1;
}

int findText(std::string_view text, std::string_view mark, int start, bool ignoreCase) {
  if (start < 1 || static_cast<std::size_t>(start) > text.size()) return -1;
  const std::size_t at = findOffset(text, mark, static_cast<std::size_t>(start - 1), ignoreCase);
  return at == std::string_view::npos ? -1 : static_cast<int>(at) + 1;
}

std::string leftText(std::string_view text, int n) {
  if (n <= 0) return {};
  return std::string(text.substr(0, static_cast<std::size_t>(n)));
}

std::string rightText(std::string_view text, int n) {
  if (n <= 0) return {};
  const std::size_t count = std::min(text.size(), static_cast<std::size_t>(n));
  return std::string(text.substr(text.size() - count));
}

std::string middleText(std::string_view text, int start, int n) {
  if (start < 1 || static_cast<std::size_t>(start) > text.size() || n == 0) return {};
  const std::size_t from = static_cast<std::size_t>(start - 1);
  return std::string(n < 0 ? text.substr(from) : text.substr(from, static_cast<std::size_t>(n)));
}

std::string trimSpaces(std::string_view text) {
  std::size_t begin = 0;
  while (begin < text.size()) {
    const std::size_t len = spaceLengthAt(text, begin);
    if (len == 0) break;
    begin += len;
  }
  // The end is found by walking characters, so that the trail byte of a
  // double-byte character is never mistaken for half of a space.
  std::size_t end = begin;
  for (std::size_t i = begin; i < text.size();) {
    const std::size_t len = gbkCharLength(text, i);
    if (spaceLengthAt(text, i) == 0) end = i + len;
    i += len;
  }
  return std::string(text.substr(begin, end - begin));
}

std::string removeSpaces(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t len = gbkCharLength(text, i);
    if (spaceLengthAt(text, i) == 0) out.append(text.substr(i, len));
    i += len;
  }
  return out;
}

std::vector<std::string> splitText(std::string_view text, std::string_view separator) {
  std::vector<std::string> pieces;
  if (text.empty()) return pieces;
  if (separator.empty()) {
    pieces.emplace_back(text);
    return pieces;
  }
  std::size_t from = 0;
  for (;;) {
    // Each search starts right after a match, a character boundary, so the
    // split stays linear in the length of the text.
    const std::size_t at = findOffsetFromBoundary(text, separator, from, false);
    if (at == std::string_view::npos) break;
    pieces.emplace_back(text.substr(from, at - from));
    from = at + separator.size();
  }
  if (from < text.size()) pieces.emplace_back(text.substr(from));
  return pieces;
}

std::string replaceText(std::string_view text, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(text);
  std::string out;
  std::size_t pos = 0;
  for (;;) {
    const std::size_t at = findOffsetFromBoundary(text, from, pos, false);  // pos follows a match
    if (at == std::string_view::npos) break;
    out.append(text.substr(pos, at - pos));
    out.append(to);
    pos = at + from.size();
  }
  out.append(text.substr(pos));
  return out;
}

}  // namespace qimubox
