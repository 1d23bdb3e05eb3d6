#include "web/cookies.h"

#include <gtest/gtest.h>

namespace qimubox {
namespace {

struct MergeCase {
  const char* current;
  const char* received;
  const char* merged;
  const char* receivedAfter;
};

TEST(MergeCookies, FoldsReceivedItemsIntoKeptOnes) {
  const MergeCase cases[] = {
      {"", "", "", ""},
      {"a=1; b=2", "a=3;", "a=3; b=2", "a=3;"},
      {"theme=dark; x=1", "theme=deleted;", "x=1", "theme=deleted;"},
      {"a=1; a=2", "", "a=1", ""},
      {"a = 1 ;b=2", "", "a=1; b=2", ""},
      {"a=1;;b=2", "", "a=1; ; b=2", ""},
      {"a=1", ";", "; a=1", ";"},
      {"a=1; x=1; a=1", "", "a=1; x=1", ""},
      {"k=v=deleted; y=2", "", "y=2", ""},
      // Spaces inside values go as well, the ideographic space (A1 A1) too.
      {"q=a b", "r=\xA1\xA1z;", "r=z; q=ab", "r=z;"},
      // Names compare with letter case significant.
      {"A=1", "a=2;", "a=2; A=1", "a=2;"},
  };
  for (const MergeCase& c : cases) {
    std::string current = c.current;
    std::string received = c.received;
    const std::string result = mergeCookies(current, received);
    EXPECT_EQ(current, c.merged) << "current \"" << c.current << "\" received \"" << c.received << '"';
    EXPECT_EQ(result, current) << c.current;
    EXPECT_EQ(received, c.receivedAfter) << c.received;
  }
}

TEST(RemoveDuplicateItems, KeepsFirstOccurrencesInOrder) {
  const struct {
    const char* text;
    const char* separator;
    const char* expected;
  } cases[] = {
      {"", "; ", ""},
      {"a; b; a; c; b", "; ", "a; b; c"},
      {"a; ; ; b", "; ", "a; ; b"},
      {"x,y,x,", ",", "x,y"},
      {"A,a", ",", "A,a"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(removeDuplicateItems(c.text, c.separator), c.expected) << c.text;
  }
}

TEST(CookieName, IsTheTrimmedTextBeforeTheFirstEquals) {
  EXPECT_EQ(cookieName(" sid = 5=6"), "sid");
  EXPECT_EQ(cookieName("  flag "), "flag");
  EXPECT_EQ(cookieName("=x"), "");
}

}  // namespace
}  // namespace qimubox
