#include "platform/gbk_text.h"

#include <gtest/gtest.h>

namespace qimubox {
namespace {

// "\x81\x41" is a double-byte character whose trail byte is the ASCII 'A';
// "\xD6\xD0" is 中, "\xCE\xC4" is 文, "\xA1\xA1" the ideographic space.
struct FindCase {
  const char* text;
  const char* mark;
  int start;
  bool ignoreCase;
  int expected;
};

class FindTextTest : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindTextTest, FindsWholeCharactersOnly) {
  const FindCase& c = GetParam();
  EXPECT_EQ(findText(c.text, c.mark, c.start, c.ignoreCase), c.expected) << c.text << " / " << c.mark;
}

INSTANTIATE_TEST_SUITE_P(Cases, FindTextTest,
                         ::testing::Values(FindCase{"abcabc", "bc", 1, false, 2},
                                           FindCase{"abcabc", "bc", 3, false, 5},
                                           FindCase{"abcabc", "BC", 1, false, -1},
                                           FindCase{"abcABC", "BC", 1, true, 2},
                                           FindCase{"\x81\x41", "A", 1, false, -1},
                                           FindCase{"\x81\x41" "A", "A", 1, false, 3},
                                           FindCase{"\xD6\xD0\xCE\xC4", "\xCE\xC4", 1, false, 3},
                                           FindCase{"\xD6\xD0\xCE\xC4", "\xD0\xCE", 1, false, -1},
                                           // A start inside a character moves on to the next one.
                                           FindCase{"\xD6\xD0\xCE\xC4", "\xCE\xC4", 2, false, 3},
                                           FindCase{"abc", "", 1, false, -1},
                                           FindCase{"abc", "a", 0, false, -1},
                                           FindCase{"abc", "a", 4, false, -1},
                                           FindCase{"", "a", 1, false, -1},
                                           // Case folding is ASCII only: trail bytes are never folded.
                                           FindCase{"\x81\x61", "A", 1, true, -1}));

TEST(GbkTextTest, LeftRightMiddleCountBytes) {
  EXPECT_EQ(leftText("\xD6\xD0\xCE\xC4", 2), "\xD6\xD0");
  EXPECT_EQ(leftText("abc", 10), "abc");
  EXPECT_EQ(leftText("abc", -1), "");
  EXPECT_EQ(rightText("abcdef", 2), "ef");
  EXPECT_EQ(rightText("abc", 5), "abc");
  EXPECT_EQ(middleText("abcdef", 2, 3), "bcd");
  EXPECT_EQ(middleText("abcdef", 5), "ef");
  EXPECT_EQ(middleText("abcdef", 7, 1), "");
  EXPECT_EQ(middleText("abcdef", 0, 1), "");
}

TEST(GbkTextTest, TrimRemovesAsciiAndIdeographicSpacesOnly) {
  EXPECT_EQ(trimSpaces("  a b  "), "a b");
  EXPECT_EQ(trimSpaces("\xA1\xA1 \xD6\xD0\xA1\xA1"), "\xD6\xD0");
  EXPECT_EQ(trimSpaces("\tx\r\n"), "\tx\r\n");
  EXPECT_EQ(trimSpaces("   "), "");
  // "\xB0\xA1" is a character whose trail byte is A1: with an A1 after it,
  // the bytes A1 A1 straddle two characters and are not a space.
  EXPECT_EQ(trimSpaces("\xB0\xA1\xA1"), "\xB0\xA1\xA1");
  EXPECT_EQ(removeSpaces("q=a b;\xA1\xA1x"), "q=ab;x");
}

struct SplitCase {
  const char* text;
  const char* separator;
  std::vector<std::string> expected;
};

class SplitTextTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitTextTest, KeepsEmptyPiecesExceptTheLast) {
  const SplitCase& c = GetParam();
  EXPECT_EQ(splitText(c.text, c.separator), c.expected) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Cases, SplitTextTest,
                         ::testing::Values(SplitCase{"", ",", {}},
                                           SplitCase{"a", ",", {"a"}},
                                           SplitCase{"a,b", ",", {"a", "b"}},
                                           SplitCase{"a,", ",", {"a"}},
                                           SplitCase{",a", ",", {"", "a"}},
                                           SplitCase{"a,,b", ",", {"a", "", "b"}},
                                           SplitCase{",", ",", {""}},
                                           SplitCase{"a,,", ",", {"a", ""}},
                                           SplitCase{"x\r\ny\r\n", "\r\n", {"x", "y"}},
                                           // The full-width comma A3 AC is no separator.
                                           SplitCase{"\xD2\xF4\xA3\xAC\xC0\xD6", ",", {"\xD2\xF4\xA3\xAC\xC0\xD6"}},
                                           // A trail byte equal to ',' (0x2C is no valid trail, but
                                           // 0x5C is): a backslash inside a character does not split.
                                           SplitCase{"\x95\x5C\\b", "\\", {"\x95\x5C", "b"}}));

TEST(GbkTextTest, ReplaceChangesEveryWholeOccurrence) {
  EXPECT_EQ(replaceText("a-b-c", "-", "+"), "a+b+c");
  EXPECT_EQ(replaceText("aaa", "aa", "b"), "ba");
  EXPECT_EQ(replaceText("\x81\x41" "A", "A", "B"), "\x81\x41" "B");
  EXPECT_EQ(replaceText("abc", "", "x"), "abc");
}

}  // namespace
}  // namespace qimubox
