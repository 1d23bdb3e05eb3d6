// Splitting the search text and building the statement around escaped terms.
#include <gtest/gtest.h>

#include "browser/search_query.h"

namespace qimubox {
namespace {

const std::string kMusic = "\xD2\xF4\xC0\xD6";  // 音乐
const std::string kVideo = "\xCA\xD3\xC6\xB5";  // 视频
const std::string kGame = "\xD3\xCE\xCF\xB7";   // 游戏

std::string unescaped(const std::string& text) { return text; }

TEST(SearchTerms, SplitAtHalfWidthCommasKeepingAtMostTwo) {
  using Terms = std::vector<std::string>;
  EXPECT_EQ(searchTerms(""), Terms{});
  EXPECT_EQ(searchTerms(kMusic), Terms{kMusic});
  EXPECT_EQ(searchTerms(kMusic + ","), Terms{kMusic});
  EXPECT_EQ(searchTerms("," + kMusic), (Terms{"", kMusic}));
  EXPECT_EQ(searchTerms(kMusic + "," + kVideo + "," + kGame), (Terms{kMusic, kVideo}));
  EXPECT_EQ(searchTerms(kMusic + "\xA3\xAC" + kVideo), Terms{kMusic + "\xA3\xAC" + kVideo});  // full-width comma
  EXPECT_EQ(searchTerms(" a , b "), (Terms{" a ", " b "}));
}

TEST(SearchStatement, PiecesAsWritten) {
  EXPECT_EQ(searchStatement({"\xB2\xA5\xB7\xC5\xC6\xF7"}, unescaped),
            "select * from wzsj where mc like '%\xB2\xA5\xB7\xC5\xC6\xF7%'ORDER BY id DESC");
  EXPECT_EQ(searchStatement({kMusic, kVideo}, unescaped),
            "select * from wzsj where mc like '%" + kMusic + "%' OR mc like '%" + kVideo + "%'ORDER BY id DESC");
  EXPECT_EQ(searchStatement({""}, unescaped), "select * from wzsj where mc like '%%'ORDER BY id DESC");
}

TEST(SearchStatement, TermsPassThroughTheEscaperAsLikeLiterals) {
  const auto marked = [](const std::string& text) { return "<" + text + ">"; };
  EXPECT_EQ(searchStatement({"a", "b"}, marked),
            "select * from wzsj where mc like '%<a>%' OR mc like '%<b>%'ORDER BY id DESC");
  EXPECT_EQ(likeLiteral("50%_off\\"), "50\\%\\_off\\\\");
}

TEST(LikeLiteral, LeavesTrailBytesOfDoubleByteCharactersAlone) {
  // GBK characters whose second byte is 0x5C (\) or 0x5F (_).
  const std::string backslashTrail = "\x95\x5C";
  const std::string underscoreTrail = "\x81\x5F";
  EXPECT_EQ(likeLiteral(backslashTrail), backslashTrail);
  EXPECT_EQ(likeLiteral(underscoreTrail + "_"), underscoreTrail + "\\_");
}

}  // namespace
}  // namespace qimubox
