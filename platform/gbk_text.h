// Text services over GBK byte strings. Positions are 1-based byte positions;
// searches step over double-byte characters so that a mark is never found
// starting in the middle of one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qimubox {

// A GBK lead byte starts a two-byte character.
constexpr bool isGbkLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

// Byte length of the character that starts at text[index] (1 or 2; 1 for a
// lead byte at the very end).
std::size_t gbkCharLength(std::string_view text, std::size_t index);

// 1-based position of the first `mark` at or after the 1-based `start`, or -1.
// An empty mark or a start outside the text gives -1. With ignoreCase, ASCII
// letters compare without regard to case.
int findText(std::string_view text, std::string_view mark, int start = 1, bool ignoreCase = false);

// The first / last n bytes (all of the text when n is larger, empty when n <= 0).
std::string leftText(std::string_view text, int n);
std::string rightText(std::string_view text, int n);
// n bytes from the 1-based start (to the end when n < 0).
std::string middleText(std::string_view text, int start, int n = -1);

// Removes ASCII spaces and ideographic spaces (A1 A1) from both ends.
std::string trimSpaces(std::string_view text);
// Removes every ASCII and ideographic space.
std::string removeSpaces(std::string_view text);

// Splits at every separator: empty pieces are kept, except an empty last
// piece; an empty text gives no pieces.
std::vector<std::string> splitText(std::string_view text, std::string_view separator = ",");

// Replaces every occurrence of `from` (found double-byte aware) by `to`.
std::string replaceText(std::string_view text, std::string_view from, std::string_view to);

}  // namespace qimubox
