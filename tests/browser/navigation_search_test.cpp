// The navigation bar and the name search, against the test database.
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

#include "browser/catalog_rows.h"
#include "browser/navigation_bar.h"
#include "forms/controls/hyperlink_box.h"
#include "forms/controls/super_list_box.h"
#include "forms/controls/transparent_label.h"
#include "platform/gbk_convert.h"
#include "tests/browser/browser_fixture.h"

namespace qimubox::testing {
namespace {

const char* const kLinks[] = {"首页", "聊天软件", "音频软件", "游戏娱乐", "安全杀毒", "网络应用", "系统工具", "其他软件"};
const std::string kNoData = "\xD4\xDD\xCA\xB1\xC3\xBB\xD3\xD0\xCF\xE0\xB9\xD8\xCA\xFD\xBE\xDD";  // 暂时没有相关数据
const std::string kEnterText = "\xC7\xEB\xCA\xE4\xC8\xEB\xD0\xE8\xD2\xAA\xCB\xD1\xCB\xF7\xB5\xC4\xC4\xDA\xC8\xDD";  // 请输入需要搜索的内容

class Navigation : public MainWindowTest {
 protected:
  void press(const char* link) { QTest::mousePress(&find<HyperlinkBox>(link), Qt::LeftButton); }
  int tab() { return find<QTabWidget>("选择夹1").currentIndex(); }
  int sliderX() { return find<TransparentLabel>("滑块").x(); }
  void expectColours(int active, int activeColour) {
    for (int view = 0; view < 8; ++view) {
      EXPECT_EQ(find<HyperlinkBox>(kLinks[view]).textColor(), view == active ? activeColour : NavigationBar::kIdleColour)
          << kLinks[view];
    }
  }
};

TEST_F(Navigation, StartsOnHomeWithTheFormColours) {
  open(entries(3, "3"));
  EXPECT_EQ(tab(), 0);
  EXPECT_EQ(sliderX(), 205);
  expectColours(0, 0 + 120 * 256 + 215 * 65536);
}

TEST_F(Navigation, FirstPressOfGamesShowsItsFirstPage) {
  std::vector<CatalogEntry> catalog = entries(12, "3", "g");
  for (const CatalogEntry& other : entries(4, "5", "n")) catalog.push_back(other);
  open(catalog);
  log->clear();
  press("游戏娱乐");
  EXPECT_EQ(tab(), 3);
  EXPECT_EQ(sliderX(), 445);
  expectColours(3, NavigationBar::kHighlightColour);
  EXPECT_EQ(NavigationBar::kHighlightColour, 0 + 107 * 256 + 196 * 65536);
  EXPECT_EQ(text("透明标签17"), "2");
  SuperListBox& games = find<SuperListBox>("超级列表框4");
  ASSERT_EQ(games.rowCount(), 10);
  EXPECT_EQ(games.cellText(0, kColumnName), "g12");
  EXPECT_EQ(games.currentRow(), 0);
  EXPECT_EQ(text("透明标签1"), "g12");
  const std::vector<std::string> expected = {"select * from wzsj WHERE fl=3 ORDER BY id DESC limit 0,10",
                                             "select fl from wzsj where fl=3 order by id DESC"};
  EXPECT_EQ(log->statements(), expected);
}

TEST_F(Navigation, ReleaseAloneDoesNothingAndOnlyTheLeftButtonCounts) {
  open(entries(3, "3"));
  QTest::mouseRelease(&find<HyperlinkBox>("游戏娱乐"), Qt::LeftButton);
  QTest::mousePress(&find<HyperlinkBox>("游戏娱乐"), Qt::RightButton);
  EXPECT_EQ(tab(), 0);
}

TEST_F(Navigation, PressingTwiceReloadsAndRecountsTwice) {
  open(entries(3, "2"));
  log->clear();
  press("音频软件");
  press("音频软件");
  EXPECT_EQ(log->statements().size(), 4u);
  EXPECT_EQ(find<SuperListBox>("超级列表框3").currentRow(), 0);
}

TEST_F(Navigation, EverySliderPositionAndTab) {
  open(entries(1, "7"));
  for (int view = 7; view >= 0; --view) {
    press(kLinks[view]);
    EXPECT_EQ(tab(), view);
    EXPECT_EQ(sliderX(), 205 + 80 * view);
    expectColours(view, NavigationBar::kHighlightColour);
  }
}

TEST_F(Navigation, CategoryKeepsItsPageAcrossSwitching) {
  open(entries(15, "6"));
  press("系统工具");
  click("按钮_下一页6");
  ASSERT_EQ(text("透明标签32"), "2");
  press("首页");
  log->clear();
  press("系统工具");
  EXPECT_EQ(text("透明标签32"), "2");
  EXPECT_TRUE(log->contains("select * from wzsj WHERE fl=6 ORDER BY id DESC limit 10,10"));
  EXPECT_EQ(find<SuperListBox>("超级列表框7").rowCount(), 5);
}

TEST_F(Navigation, HomeNeitherReloadsNorSelects) {
  open(entries(3, "1"));
  press("聊天软件");
  log->clear();
  find<SuperListBox>("超级列表框1").deleteAllRows();
  press("首页");
  EXPECT_TRUE(log->statements().empty());
  EXPECT_EQ(find<SuperListBox>("超级列表框1").rowCount(), 0);
  EXPECT_EQ(tab(), 0);
}

class Search : public Navigation {
 protected:
  // Types `text`, presses 搜索一下 and waits for the follow-up's 首页 action.
  void search(const std::string& typed) {
    press("游戏娱乐");  // away from 首页, so the follow-up shows
    find<QLineEdit>("编辑框4").setText(toDisplay(typed));
    log->clear();
    click("按钮_搜索");
    QTRY_COMPARE(tab(), 0);
    QTRY_COMPARE(sliderX(), 205);
    expectColours(0, NavigationBar::kHighlightColour);
  }
  std::vector<std::string> names() {
    const SuperListBox& home = find<SuperListBox>("超级列表框1");
    std::vector<std::string> found;
    for (int row = 0; row < home.rowCount(); ++row) found.push_back(home.cellText(row, kColumnName));
    return found;
  }
  std::vector<CatalogEntry> named(const std::vector<std::string>& catalogNames) {
    std::vector<CatalogEntry> made;
    int n = 0;
    for (const std::string& name : catalogNames) {
      CatalogEntry entry = entries(1, std::to_string(n++ % 7 + 1))[0];
      entry.mc = name;
      made.push_back(entry);
    }
    return made;
  }
};

using Names = std::vector<std::string>;

TEST_F(Search, OneTermListsEveryMatchNewestFirstWithoutPaging) {
  Names catalog;
  for (int n = 0; n < 14; ++n) catalog.push_back(kPlayer + std::to_string(n));
  catalog.push_back(kMusic);
  open(named(catalog));
  click("按钮_下一页");
  search(kPlayer);
  EXPECT_EQ(log->statements(),
            Names{"select * from wzsj where mc like '%" + kPlayer + "%'ORDER BY id DESC"});
  ASSERT_EQ(names().size(), 14u);
  EXPECT_EQ(names().front(), kPlayer + "13");
  EXPECT_EQ(names().back(), kPlayer + "0");
  EXPECT_EQ(find<SuperListBox>("超级列表框1").currentRow(), -1);
  EXPECT_EQ(text("透明标签7"), "2");
  EXPECT_EQ(text("透明标签5"), "2");
  EXPECT_EQ(window->pages().pageState(0).currentPage, 1);
  EXPECT_EQ(boxes.count(), 0u);
}

TEST_F(Search, CommasSplitIntoAtMostTwoTerms) {
  open(named({kMusic + "1", kVideo + "1", kGame + "1", "other"}));
  struct Case {
    std::string typed;
    Names found;
  };
  const std::vector<Case> cases = {
      {kMusic + ",", {kMusic + "1"}},
      {"," + kMusic, {"other", kGame + "1", kVideo + "1", kMusic + "1"}},
      {kMusic + "," + kVideo + "," + kGame, {kVideo + "1", kMusic + "1"}},
      {kMusic + "\xA3\xAC" + kVideo, {}},  // a full-width comma is part of the one term
  };
  for (const Case& c : cases) {
    search(c.typed);
    EXPECT_EQ(names(), c.found) << fromDisplay(toDisplay(c.typed));
  }
  EXPECT_TRUE(log->contains("select * from wzsj where mc like '%" + kMusic + "\xA3\xAC" + kVideo + "%'ORDER BY id DESC"));
}

TEST_F(Search, EmptyTextAndNoMatchTellTheUser) {
  open(entries(3, "1"));
  search("");
  EXPECT_TRUE(names().empty());
  EXPECT_TRUE(log->statements().empty());
  ASSERT_EQ(boxes.count(), 1u);
  EXPECT_EQ(boxes.shown()[0].text, kEnterText);
  EXPECT_EQ(boxes.shown()[0].title, kDefaultMessageTitle);
  EXPECT_EQ(boxes.shown()[0].style, kMessageOk);

  search("nothing like it");
  EXPECT_TRUE(names().empty());
  ASSERT_EQ(boxes.count(), 2u);
  EXPECT_EQ(boxes.shown()[1].text, kNoData);
  EXPECT_EQ(boxes.shown()[1].title, kHint);
  EXPECT_EQ(boxes.shown()[1].style, kMessageInformation);
}

TEST_F(Search, HomeLinkAfterASearchKeepsTheResult) {
  open(named({kMusic + "1", "other1", "other2"}));
  search(kMusic);
  log->clear();
  press("首页");
  EXPECT_EQ(names(), Names{kMusic + "1"});
  EXPECT_TRUE(log->statements().empty());
}

// Hostile texts are data: the statement never fails and lists only names
// that contain the whole text. % and _ match only themselves.
TEST_F(Search, HostileTextsAreSearchedAsData) {
  const std::string backslashTrail = "\x81\x5C";   // 乗, second byte \ .
  const std::string underscoreTrail = "\x81\x5F";  // 乢, second byte _
  const Names hostile = {
      "'",
      "' OR '1'='1",
      "%' OR 1=1 -- ",
      "x'; DROP TABLE wzsj; --",
      "\\",
      "\\'",
      "a\\",
      "/*",
      "*/ OR 1=1 /*",
      "#",
      "%",
      "_",
      "5%",
      "a_c",
      "\"",
      kMusic + "'" + kVideo,
      kMusic + "\\" + kVideo,
      kMusic + "%' OR mc like '%" + kVideo,
      backslashTrail + "'",
      backslashTrail + "' OR 1=1 -- ",
      underscoreTrail,
  };
  Names catalog = {"abc", "5x", "a-c", kMusic + kVideo, kMusic + "x" + kVideo, backslashTrail, "\x81" "A"};
  for (const std::string& text : hostile) catalog.push_back("[" + text + "]");
  open(named(catalog));
  for (const std::string& typed : hostile) {
    const std::size_t boxesBefore = boxes.count();
    search(typed);
    const Names found = names();
    EXPECT_EQ(boxes.count(), boxesBefore) << "no result for " << typed;
    ASSERT_FALSE(found.empty()) << typed;
    for (const std::string& name : found) {
      EXPECT_NE(name.find(typed), std::string::npos) << name << " listed for " << typed;
    }
    EXPECT_NE(std::find(found.begin(), found.end(), "[" + typed + "]"), found.end()) << typed;
  }
  // The table is still there and whole.
  search("");
  window->pages().countPages(0);
  EXPECT_EQ(statusPart(5), std::to_string(catalog.size()));
}

}  // namespace
}  // namespace qimubox::testing
