// The page arithmetic and the views' statements.
#include <gtest/gtest.h>

#include "browser/category.h"
#include "browser/page_state.h"

namespace qimubox {
namespace {

TEST(PageCount, IsTheWholeQuotientPlusOneAndKeptForNoEntries) {
  struct Case {
    std::int64_t entries;
    int previous;
    int pages;
  };
  for (const Case& c : {Case{1, 0, 1}, Case{9, 0, 1}, Case{10, 0, 2}, Case{11, 0, 2}, Case{20, 0, 3},
                        Case{21, 0, 3}, Case{37, 7, 4}, Case{0, 0, 0}, Case{0, 5, 5}}) {
    EXPECT_EQ(pageCountAfter(c.entries, 10, c.previous), c.pages) << c.entries;
  }
}

TEST(JumpTarget, LandsOnTheTypedPageWithinTheCountAndNeverBeforeTheFirst) {
  struct Case {
    std::int64_t typed;
    int pageCount;
    int page;  // from 0
  };
  for (const Case& c : {Case{5, 3, 2}, Case{2, 3, 1}, Case{3, 3, 2}, Case{1, 3, 0}, Case{0, 3, 0},
                        Case{-7, 3, 0}, Case{4, 0, 0}, Case{0, 0, 0}, Case{INT64_MAX, 3, 2}, Case{INT64_MIN, 3, 0}}) {
    EXPECT_EQ(jumpTarget(c.typed, c.pageCount), c.page) << c.typed << " of " << c.pageCount;
  }
}

TEST(PageStatement, PrefixOffsetAndSize) {
  EXPECT_EQ(pageStatement(0, 0, 10), "select * from wzsj ORDER BY id DESC limit 0,10");
  EXPECT_EQ(pageStatement(0, 4, 10), "select * from wzsj ORDER BY id DESC limit 40,10");
  EXPECT_EQ(pageStatement(3, 2, 10), "select * from wzsj WHERE fl=3 ORDER BY id DESC limit 20,10");
  EXPECT_EQ(pageStatement(7, 300000000, 10), "select * from wzsj WHERE fl=7 ORDER BY id DESC limit 3000000000,10");
  for (int view = 1; view < kCategoryCount; ++view) {
    const Category& category = categories()[static_cast<std::size_t>(view)];
    EXPECT_EQ(std::string(category.countCondition), "fl=" + std::to_string(view));
    EXPECT_EQ(std::string(category.buttonSuffix), std::to_string(view));
  }
}

}  // namespace
}  // namespace qimubox
