// The main window's creation, chrome, category pages, paging and detail
// panel, against the test database.
#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "browser/catalog_rows.h"
#include "forms/controls/picture_box.h"
#include "forms/controls/super_list_box.h"
#include "platform/gbk_convert.h"
#include "platform/http_read.h"
#include "tests/browser/browser_fixture.h"
#include "tests/browser/local_http_server.h"

namespace qimubox::testing {
namespace {

const std::string kHomeCount = "select id from wzsj where id>0 order by id DESC";

std::string pngBytes() {
  QImage image(8, 8, QImage::Format_RGB32);
  image.fill(Qt::red);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes.toStdString();
}

using Creation = MainWindowTest;

TEST_F(Creation, FillsStatusBarHomePageAndDetailsInOrder) {
  open(entries(12, "1"));
  EXPECT_EQ(statusPart(1), "V1.0");
  EXPECT_EQ(statusPart(3), "V1.0");
  EXPECT_EQ(statusPart(5), "12");
  EXPECT_EQ(statusPart(7), "");
  EXPECT_EQ(text("透明标签5"), "2");
  EXPECT_EQ(text("透明标签7"), "1");
  SuperListBox& home = find<SuperListBox>("超级列表框1");
  ASSERT_EQ(home.rowCount(), 10);
  EXPECT_EQ(home.cellText(0, kColumnName), "e12");  // newest first
  EXPECT_EQ(home.currentRow(), 0);
  EXPECT_EQ(text("透明标签1"), "e12");
  EXPECT_EQ(text("标签1"), state.settings.ggnr);
  EXPECT_EQ(window->pages().pageSize(), 10);
  const std::vector<std::string> sent = log->statements();
  const std::vector<std::string> expected = {kHomeCount, "select * from wzsj ORDER BY id DESC limit 0,10",
                                             "SELECT * FROM ggw"};
  ASSERT_GE(sent.size(), expected.size());
  EXPECT_EQ(std::vector<std::string>(sent.begin(), sent.begin() + 3), expected);
}

TEST_F(Creation, GivesEveryListRowsOf29Pixels) {
  open(entries(3, "1"));
  for (const char* name : {"超级列表框1", "超级列表框2", "超级列表框3", "超级列表框4", "超级列表框5", "超级列表框6",
                           "超级列表框7", "超级列表框8"}) {
    EXPECT_EQ(find<SuperListBox>(name).rowHeight(), 29) << name;
  }
  SuperListBox& home = find<SuperListBox>("超级列表框1");
  QTRY_COMPARE(home.visualItemRect(home.topLevelItem(0)).height(), 29);
}

TEST_F(Creation, BindsTheAnnouncementLabelFromItsThread) {
  open(entries(1, "1"));
  RichTextLabel& label = *state.announcementLabel;
  // The calls reach the GUI thread in order; the last one's value is also the default, so wait on each.
  QTRY_COMPARE(label.GetSubclassedWindow(), &find<QLabel>("标签1"));
  QTRY_COMPARE(label.margin(), 5);
  QTRY_COMPARE(label.scrollInterval(), 600);
  QTRY_COMPARE(label.plainTextColor(), 0u);
  QTRY_COMPARE(label.linkColor(), 255u * 65536u);
}

TEST_F(Creation, SidePanelButtonsOnlyForTheOnSwitch) {
  const std::vector<std::pair<std::string, bool>> cases = {
      {kOn, true}, {"", false}, {"1", false}, {"ON", false}, {"\xCA\xC7", false}};  // 是
  for (const auto& [tgkg, shown] : cases) {
    SiteSettings settings = settingsWithVersion("V1.0");
    settings.tgkg = tgkg;
    open(entries(1, "1"), settings);
    if (shown) {
      QTRY_VERIFY(find<QPushButton>("更新").isVisible());
      EXPECT_TRUE(find<QPushButton>("加群1").isVisible());
    } else {
      // Give a show queued by the switch thread the time to arrive.
      QTest::qWait(50);
      EXPECT_FALSE(find<QPushButton>("更新").isVisible()) << tgkg;
      EXPECT_FALSE(find<QPushButton>("加群1").isVisible()) << tgkg;
    }
    window.reset();
  }
}

TEST_F(Creation, EmptySettingsShowEmptyAnnouncementAndVersion) {
  open(entries(2, "1"), SiteSettings{});
  EXPECT_EQ(statusPart(3), "");
  EXPECT_EQ(text("标签1"), "");
  EXPECT_EQ(statusPart(5), "2");
}

using Chrome = MainWindowTest;

TEST_F(Chrome, CloseClosesTheConnectionAndEndsWithZero) {
  open(entries(1, "1"));
  click("关闭");
  EXPECT_EQ(state.connection, nullptr);
  EXPECT_EQ(exitCodes, std::vector<int>{0});
}

TEST_F(Chrome, GroupLinkMinimiseAndUpdateCheck) {
  SiteSettings settings = settingsWithVersion("V1.0");
  settings.tgkg = kOn;
  open(entries(1, "1"), settings);
  click("加群1");
  ASSERT_EQ(shellOpens.opened().size(), 1u);
  EXPECT_EQ(shellOpens.opened()[0].address, settings.qlj);
  click("关闭1");
  EXPECT_TRUE(window->windowState() & Qt::WindowMinimized);

  click("更新");
  ASSERT_EQ(boxes.count(), 1u);
  EXPECT_EQ(boxes.shown()[0].text, "\xB5\xB1\xC7\xB0\xCE\xAA\xD7\xEE\xD0\xC2\xB0\xE6\xB1\xBE\xCE\xDE\xD0\xE8\xB8\xFC\xD0\xC2");
  EXPECT_EQ(updaterOpened, 0);
}

TEST_F(Chrome, UpdateCheckWithANewVersionOpensTheUpdaterOnYes) {
  SiteSettings settings = settingsWithVersion("V1.1");
  open(entries(1, "1"), settings);
  boxes.answerNext(kAnswerNo);
  window->checkForUpdate();
  EXPECT_EQ(updaterOpened, 0);
  EXPECT_TRUE(window->isVisible());
  boxes.answerNext(kAnswerYes);
  window->checkForUpdate();
  EXPECT_EQ(updaterOpened, 1);
  EXPECT_FALSE(window->isVisible());
  ASSERT_EQ(boxes.count(), 2u);
  EXPECT_EQ(boxes.shown()[1].style, kMessageYesNo);
  EXPECT_EQ(boxes.shown()[1].title, kDefaultMessageTitle);
}

using Pages = MainWindowTest;

TEST_F(Pages, PageCountIsTheWholeQuotientPlusOne) {
  const std::vector<std::pair<int, std::string>> cases = {{10, "2"}, {11, "2"}, {20, "3"}, {21, "3"}, {9, "1"}, {0, "0"}};
  for (const auto& [count, pages] : cases) {
    open(entries(count, "3"));
    window->pages().countPages(3);
    EXPECT_EQ(text("透明标签17"), pages) << count;
    EXPECT_TRUE(log->contains("select fl from wzsj where fl=3 order by id DESC"));
    window.reset();
  }
}

TEST_F(Pages, EmptyCountKeepsThePreviousPageCount) {
  open(entries(25, "3"));
  window->pages().countPages(3);
  EXPECT_EQ(text("透明标签17"), "3");
  testdb::CatalogFixture none;
  ASSERT_TRUE(testdb::loadCatalog(none));
  window->pages().countPages(3);
  EXPECT_EQ(text("透明标签17"), "3");
  window->pages().countPages(0);
  EXPECT_EQ(statusPart(5), "0");
}

TEST_F(Pages, HomeCountSkipsIdsBelowOneButListsThem) {
  std::vector<CatalogEntry> catalog = entries(3, "9");
  catalog[0].id = -5;
  open(catalog);
  EXPECT_EQ(statusPart(5), "2");
  EXPECT_EQ(find<SuperListBox>("超级列表框1").rowCount(), 3);
}

TEST_F(Pages, RowsCarryTheEightColumns) {
  std::vector<CatalogEntry> catalog = entries(1, "4");
  catalog[0].tb = "http://127.0.0.1:1/icon.png";
  open(catalog);
  const SuperListBox& home = find<SuperListBox>("超级列表框1");
  EXPECT_EQ(home.columnCount(), 8);
  EXPECT_EQ(home.cellText(0, kColumnId), "1");
  EXPECT_EQ(home.cellText(0, kColumnIntroduction), "intro e1");
  EXPECT_EQ(home.cellText(0, kColumnUpdateTime), catalog[0].gxsj);
  EXPECT_EQ(home.cellText(0, kColumnSize), "1MB");
  EXPECT_EQ(home.cellText(0, kColumnIcon), catalog[0].tb);
  EXPECT_EQ(home.cellText(0, kColumnDownload), catalog[0].xzdz);
  EXPECT_EQ(home.cellText(0, kColumnCategory), "4");
  for (int hidden : {0, 5, 6, 7}) EXPECT_EQ(home.columnWidth(hidden), 0) << hidden;
  EXPECT_FALSE(find<PictureBox>("图片框4").isVisible());
}

TEST_F(Pages, MovesAndRefusals) {
  open(entries(25, "1"));  // three home pages
  click("按钮_上一页");
  ASSERT_EQ(boxes.count(), 1u);
  EXPECT_EQ(boxes.shown()[0].text, "\xD5\xE2\xCA\xC7\xB5\xDA\xD2\xBB\xD2\xB3");
  EXPECT_EQ(boxes.shown()[0].title, kHint);
  EXPECT_EQ(boxes.shown()[0].style, kMessageInformation);
  EXPECT_EQ(text("透明标签7"), "1");

  log->clear();
  click("按钮_尾页");
  EXPECT_EQ(text("透明标签7"), "3");
  EXPECT_TRUE(log->contains("select * from wzsj ORDER BY id DESC limit 20,10"));
  EXPECT_EQ(find<SuperListBox>("超级列表框1").rowCount(), 5);
  for (const char* refused : {"按钮_下一页", "按钮_尾页"}) {
    click(refused);
    EXPECT_EQ(boxes.shown().back().text, "\xD2\xD1\xBE\xAD\xCA\xC7\xD7\xEE\xBA\xF3\xD2\xBB\xD2\xB3\xC1\xCB");
    EXPECT_EQ(boxes.shown().back().style, kMessageInformation);
    EXPECT_EQ(text("透明标签7"), "3");
  }
  EXPECT_EQ(boxes.count(), 3u);
  click("按钮_上一页");
  EXPECT_EQ(text("透明标签7"), "2");
  click("按钮_首页");
  EXPECT_EQ(text("透明标签7"), "1");
  click("按钮_下一页");
  EXPECT_EQ(text("透明标签7"), "2");
  EXPECT_EQ(find<SuperListBox>("超级列表框1").currentRow(), 0);
  EXPECT_EQ(text("透明标签1"), "e15");
}

TEST_F(Pages, JumpBoxValues) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"5", "3"}, {"2", "2"}, {"2abc", "2"}, {"3", "3"}, {"0", "1"}, {"", "1"}, {"-4", "1"}, {"abc", "1"},
      {"\xA3\xB2", "2"}};  // full-width 2
  open(entries(25, "1"));
  for (const auto& [typed, page] : cases) {
    find<QLineEdit>("编辑框2").setText(toDisplay(typed));
    log->clear();
    click("按钮_跳转");
    EXPECT_EQ(text("透明标签7"), page) << typed;
    const int offset = (std::stoi(page) - 1) * 10;
    EXPECT_TRUE(log->contains("select * from wzsj ORDER BY id DESC limit " + std::to_string(offset) + ",10")) << typed;
    EXPECT_EQ(fromDisplay(find<QLineEdit>("编辑框2").text()), typed);
  }
}

TEST_F(Pages, FifthHomePageSendsOffsetForty) {
  open(entries(55, "2"));
  find<QLineEdit>("编辑框2").setText(QStringLiteral("5"));
  log->clear();
  click("按钮_跳转");
  EXPECT_TRUE(log->contains("select * from wzsj ORDER BY id DESC limit 40,10"));
  EXPECT_EQ(find<SuperListBox>("超级列表框1").cellText(0, kColumnName), "e15");
}

TEST_F(Pages, CategoryWithoutCountRefusesNextAndReloadsFirst) {
  open(entries(5, "6"));
  click("按钮_下一页6");
  EXPECT_EQ(boxes.count(), 1u);
  log->clear();
  click("按钮_首页6");
  EXPECT_TRUE(log->contains("select * from wzsj WHERE fl=6 ORDER BY id DESC limit 0,10"));
  EXPECT_EQ(text("透明标签32"), "1");
  EXPECT_EQ(find<SuperListBox>("超级列表框7").rowCount(), 5);
}

TEST_F(Pages, RefreshResetsOnlyTheHomeViewAndRecountsAll) {
  std::vector<CatalogEntry> catalog = entries(25, "3");
  open(catalog);
  click("按钮_尾页");  // home on page 3
  window->navigation().activateCategory(3);
  click("按钮_下一页3");  // 游戏娱乐 on page 2
  ASSERT_EQ(text("透明标签19"), "2");
  const std::string detailBefore = text("透明标签1");
  log->clear();
  window->refreshAction().trigger();
  EXPECT_EQ(text("透明标签7"), "1");
  EXPECT_EQ(window->pages().pageState(0).currentPage, 0);
  EXPECT_EQ(window->pages().pageState(3).currentPage, 1);
  EXPECT_EQ(text("透明标签19"), "2");
  EXPECT_EQ(find<SuperListBox>("超级列表框1").cellText(0, kColumnName), "e25");
  EXPECT_EQ(find<SuperListBox>("超级列表框4").cellText(0, kColumnName), "e15");
  EXPECT_EQ(find<SuperListBox>("超级列表框1").currentRow(), -1);
  EXPECT_EQ(text("透明标签1"), detailBefore);
  int counts = 0;
  for (const std::string& statement : log->statements()) counts += statement.starts_with("select id from") || statement.starts_with("select fl from");
  EXPECT_EQ(counts, 8);
  // The empty categories, counted for the first time.
  for (const char* label : {"透明标签10", "透明标签15", "透明标签21", "透明标签26", "透明标签30", "透明标签34"})
    EXPECT_EQ(text(label), "0") << label;
}

TEST_F(Pages, RightClickOnAListPopsUpTheRefreshMenu) {
  open(entries(2, "1"));
  SuperListBox& list = find<SuperListBox>("超级列表框5");
  Q_EMIT list.rightClicked();
  QTRY_VERIFY(window->listMenu().isVisible());
  window->listMenu().hide();
}

using Details = MainWindowTest;

TEST_F(Details, SecondRowShowsItsEntryAndIcon) {
  LocalHttpServer icons;
  const std::string png = pngBytes();
  icons.routes().Get("/icon.png", [&png](const httplib::Request&, httplib::Response& response) {
    response.set_content(png, "image/png");
  });
  icons.routes().Get("/junk", [](const httplib::Request&, httplib::Response& response) {
    response.set_content("not a picture", "text/plain");
  });
  icons.start();
  std::vector<CatalogEntry> catalog = entries(3, "1");
  catalog[1].tb = icons.url("/icon.png");   // row 1 (newest first: e3, e2, e1)
  catalog[0].tb = icons.url("/junk");       // row 2
  open(catalog);
  EXPECT_FALSE(find<PictureBox>("图片框2").hasPicture());  // row 0 has no icon address

  SuperListBox& home = find<SuperListBox>("超级列表框1");
  home.selectRow(1);
  EXPECT_EQ(text("透明标签1"), "e2");
  EXPECT_EQ(text("透明标签2"), catalog[1].gxsj);
  EXPECT_EQ(text("透明标签3"), "2MB");
  EXPECT_EQ(fromDisplay(find<QPlainTextEdit>("编辑框1").toPlainText()), "intro e2");
  EXPECT_TRUE(find<PictureBox>("图片框2").hasPicture());
  click("下载");
  ASSERT_EQ(shellOpens.opened().size(), 1u);
  EXPECT_EQ(shellOpens.opened()[0].address, catalog[1].xzdz);

  home.selectRow(2);
  EXPECT_FALSE(find<PictureBox>("图片框2").hasPicture());
  EXPECT_EQ(text("透明标签1"), "e1");
}

TEST_F(Details, KeyboardMovesTheDetailsToo) {
  open(entries(3, "1"));
  SuperListBox& home = find<SuperListBox>("超级列表框1");
  home.setFocus();
  QTest::keyClick(&home, Qt::Key_Down);
  EXPECT_EQ(home.currentRow(), 1);
  EXPECT_EQ(text("透明标签1"), "e2");
}

TEST_F(Details, EmptyPageKeepsThePreviousEntry) {
  open(entries(10, "1"));  // two pages, the second empty
  click("按钮_下一页");
  EXPECT_EQ(text("透明标签7"), "2");
  EXPECT_EQ(find<SuperListBox>("超级列表框1").rowCount(), 0);
  EXPECT_EQ(text("透明标签1"), "e10");
  click("下载");
  ASSERT_EQ(shellOpens.opened().size(), 1u);
  EXPECT_EQ(shellOpens.opened()[0].address, "http://127.0.0.1:1/e10.zip");
}

TEST_F(Details, DownloadBeforeAnyEntryOpensAnEmptyAddress) {
  open({});
  EXPECT_EQ(window->details().downloadAddress(), "");
  click("下载");
  ASSERT_EQ(shellOpens.opened().size(), 1u);
  EXPECT_EQ(shellOpens.opened()[0].address, "");
}

}  // namespace
}  // namespace qimubox::testing

namespace qimubox::testing {
namespace {

using Statistics = MainWindowTest;

TEST_F(Statistics, CountReplyFillsPartSeven) {
  LocalHttpServer endpoint;
  endpoint.routes().Get("/hezi/tongji.php", [](const httplib::Request& request, httplib::Response& response) {
    response.set_content(request.has_param("var") ? "true" : "\xEF\xBB\xBF" "123", "text/plain");
  });
  endpoint.start();
  hooks.statsHost = endpoint.authority();
  open(entries(1, "1"));
  EXPECT_EQ(state.statsBaseUrl, "http://" + endpoint.authority() + "/hezi/tongji.php");
  QTRY_COMPARE(statusPart(7), std::string("123"));
  EXPECT_EQ(state.usageCountText, "123");
}

TEST_F(Statistics, UnreachableEndpointLeavesPartSevenEmpty) {
  auto requests = std::make_shared<std::atomic<int>>(0);
  hooks.statsFetch = [requests](const std::string& url) {
    std::string body = httpReadFile(url);
    ++*requests;
    return body;
  };
  open(entries(1, "1"));
  QTRY_COMPARE(requests->load(), 5);
  QTest::qWait(20);  // the empty count's queued delivery
  EXPECT_EQ(statusPart(7), "");
  EXPECT_EQ(state.usageCountText, "");
}

TEST_F(Statistics, ClosingWhileTheThreadWaitsNeitherWaitsNorCrashes) {
  auto requests = std::make_shared<std::atomic<int>>(0);
  hooks.statsRetryWait = std::chrono::milliseconds(300);
  hooks.statsFetch = [requests](const std::string&) {
    ++*requests;
    return std::string("no");
  };
  open(entries(1, "1"));
  QTRY_VERIFY(requests->load() >= 1);
  const auto started = std::chrono::steady_clock::now();
  click("关闭");
  window.reset();
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(250));
  QTRY_COMPARE_WITH_TIMEOUT(requests->load(), 5, 3000);  // it finishes on its own, delivering to nobody
  QTest::qWait(20);
}

}  // namespace
}  // namespace qimubox::testing
