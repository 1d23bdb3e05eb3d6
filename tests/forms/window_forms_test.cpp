// The splash and main windows: sizes, captions and every control's place.
#include <QHeaderView>
#include <QTabWidget>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "forms/main_form.h"
#include "forms/splash_form.h"
#include "platform/gbk_convert.h"
#include "tests/forms/layout_checks.h"

namespace qimubox {
namespace {

TEST(SplashFormTest, IsFramelessWithItsControls) {
  SplashForm form;
  EXPECT_EQ(form.size(), QSize(818, 519));
  EXPECT_TRUE(form.windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_TRUE(form.windowTitle().isEmpty());
  testing::expectLayout(form, {
      {"图片框_登陆", "qimubox::PictureBox", -65, 0, 959, 520, true, nullptr},
      {"关闭2", "QPushButton", 852, 11, 29, 29, true, "\xA1\xC1"},  // ×
      {"关闭3", "QPushButton", 808, 12, 29, 29, true, "\xA9\xA4"},  // ─
      {"login", "QPushButton", 439, 287, 81, 32, true, "\xBD\xF8\xC8\xEB\xC8\xED\xBC\xFE"},  // 进入软件
      {"透明标签20", "qimubox::TransparentLabel", 429, 256, 100, 20, true, "By\xA3\xBAQuelto"},  // By：Quelto
      {"图片框13", "qimubox::PictureBox", 424, 133, 111, 111, true, nullptr},
      {"图片框1", "qimubox::PictureBox", 379, 160, 200, 200, false, nullptr},
  });
  EXPECT_EQ(form.ui().关闭2->toolTip(), toDisplay("\xB9\xD8\xB1\xD5"));      // 关闭
  EXPECT_EQ(form.ui().关闭3->toolTip(), toDisplay("\xD7\xEE\xD0\xA1\xBB\xAF"));  // 最小化
  EXPECT_TRUE(form.ui().图片框_登陆->hasPicture());
  EXPECT_TRUE(form.ui().图片框13->hasPicture());
  EXPECT_FALSE(form.ui().图片框13->isAnimated());
  EXPECT_TRUE(form.ui().图片框1->isAnimated());
}

TEST(MainFormTest, IsFramelessWithItsCaptionAndPlace) {
  MainForm form;
  EXPECT_EQ(form.geometry(), QRect(50, 50, 991, 613));
  EXPECT_TRUE(form.windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_EQ(fromDisplay(form.windowTitle()), "\xC6\xDC\xC4\xBE\xB7\xBB\xC8\xED\xBC\xFE\xBA\xD0\xD7\xD3v1.0");  // 栖木坊软件盒子v1.0
}

TEST(MainFormTest, HasEveryControlInItsPlace) {
  MainForm form;
  testing::expectLayout(form, {
      {"图片框_", "qimubox::PictureBox", 0, 0, 180, 592, true, nullptr},
      {"图片框1", "qimubox::PictureBox", 45, 65, 90, 90, true, nullptr},
      {"透明标签9", "qimubox::TransparentLabel", 40, 164, 100, 20, true, "By\xA3\xBAQuelto"},  // By：Quelto
      {"加群1", "QPushButton", 10, 500, 160, 32, false, "\xBC\xD3\xC8\xEBQQ\xC8\xBA"},  // 加入QQ群
      {"更新", "QPushButton", 10, 550, 160, 32, false, "\xBC\xEC\xB2\xE9\xB8\xFC\xD0\xC2"},  // 检查更新
      {"外形框", "QFrame", 8, 0, 992, 592, true, nullptr},
      {"关闭1", "QPushButton", 919, 7, 29, 29, true, "\xA9\xA4"},  // ─
      {"关闭", "QPushButton", 956, 7, 29, 29, true, "\xA1\xC1"},  // ×
      {"滑块", "QLabel", 205, 1, 60, 5, true, nullptr},
      {"首页", "qimubox::HyperlinkBox", 205, 20, 60, 24, true, "\xCA\xD7\xD2\xB3"},  // 首页
      {"聊天软件", "qimubox::HyperlinkBox", 285, 20, 60, 24, true, "\xC1\xC4\xCC\xEC\xC8\xED\xBC\xFE"},  // 聊天软件
      {"音频软件", "qimubox::HyperlinkBox", 365, 20, 60, 24, true, "\xD2\xF4\xC6\xB5\xC8\xED\xBC\xFE"},  // 音频软件
      {"游戏娱乐", "qimubox::HyperlinkBox", 445, 20, 60, 24, true, "\xD3\xCE\xCF\xB7\xD3\xE9\xC0\xD6"},  // 游戏娱乐
      {"安全杀毒", "qimubox::HyperlinkBox", 525, 20, 60, 24, true, "\xB0\xB2\xC8\xAB\xC9\xB1\xB6\xBE"},  // 安全杀毒
      {"网络应用", "qimubox::HyperlinkBox", 605, 20, 60, 24, true, "\xCD\xF8\xC2\xE7\xD3\xA6\xD3\xC3"},  // 网络应用
      {"系统工具", "qimubox::HyperlinkBox", 685, 20, 60, 24, true, "\xCF\xB5\xCD\xB3\xB9\xA4\xBE\xDF"},  // 系统工具
      {"其他软件", "qimubox::HyperlinkBox", 765, 20, 60, 24, true, "\xC6\xE4\xCB\xFB\xC8\xED\xBC\xFE"},  // 其他软件
      {"图片框3", "qimubox::PictureBox", 176, 64, 520, 88, true, nullptr},
      {"透明标签37", "qimubox::TransparentLabel", 3, 72, 360, 14, true, "\xD5\xE2\xB8\xF6\xCA\xC7\xB1\xEA\xCC\xE2"},  // 这个是标题
      {"标签10", "QLabel", 384, 72, 14, 14, true, nullptr},
      {"标签11", "QLabel", 408, 72, 14, 14, true, nullptr},
      {"标签12", "QLabel", 432, 72, 14, 14, true, nullptr},
      {"标签13", "QLabel", 456, 72, 14, 14, true, nullptr},
      {"标签14", "QLabel", 480, 72, 14, 14, true, nullptr},
      {"标签15", "QLabel", 504, 72, 14, 14, true, nullptr},
      {"编辑框4", "QLineEdit", 176, 160, 416, 30, true, nullptr},
      {"按钮_搜索", "QPushButton", 600, 160, 96, 30, true, "\xCB\xD1\xCB\xF7\xD2\xBB\xCF\xC2"},  // 搜索一下
      {"选择夹1", "QTabWidget", 172, 194, 533, 400, true, nullptr},
      {"分组框1", "QGroupBox", 708, 191, 272, 392, true, nullptr},
      {"透明标签1", "qimubox::TransparentLabel", 8, 23, 256, 40, true, "\xC8\xED\xBC\xFE\xC3\xFB\xB3\xC6"},  // 软件名称
      {"透明标签2", "qimubox::TransparentLabel", 8, 70, 128, 40, true, "\xB8\xFC\xD0\xC2\xCA\xB1\xBC\xE4\xA3\xBA" "2026.06.06"},  // 更新时间：2026.06.06
      {"透明标签3", "qimubox::TransparentLabel", 150, 70, 104, 40, true, "\xC8\xED\xBC\xFE\xB4\xF3\xD0\xA1\xA3\xBA" "1000MB"},  // 软件大小：1000MB
      {"编辑框1", "QPlainTextEdit", 8, 111, 256, 233, true, nullptr},
      {"图片框2", "qimubox::PictureBox", 5, 10, 60, 60, true, nullptr},
      {"下载", "QPushButton", 62, 350, 160, 32, true, "\xC1\xA2\xBC\xB4\xCF\xC2\xD4\xD8"},  // 立即下载
      {"分组框2", "QGroupBox", 705, 64, 272, 127, true, "\xB9\xAB\xB8\xE6"},  // 公告
      {"标签1", "QLabel", 4, 16, 264, 104, true, nullptr},
      {"图片框4", "qimubox::PictureBox", 346, 272, 200, 200, true, nullptr},
      // Along the bottom edge, below the content frame, as a docked status bar lies.
      {"状态条1", "qimubox::PartStatusBar", 0, 593, 991, 20, true, nullptr},
      {"超级列表框1", "qimubox::SuperListBox", 2, 10, 529, 325, true, nullptr},
      {"按钮_首页", "QPushButton", 19, 345, 69, 23, true, "\xCA\xD7\xD2\xB3"},  // 首页
      {"按钮_上一页", "QPushButton", 105, 345, 69, 23, true, "\xC9\xCF\xD2\xBB\xD2\xB3"},  // 上一页
      {"按钮_下一页", "QPushButton", 196, 345, 69, 23, true, "\xCF\xC2\xD2\xBB\xD2\xB3"},  // 下一页
      {"按钮_尾页", "QPushButton", 287, 345, 69, 23, true, "\xCE\xB2\xD2\xB3"},  // 尾页
      {"按钮_跳转", "QPushButton", 376, 345, 141, 23, true, "\xCC\xF8\xD7\xAA\xB5\xBD\xB5\xDA               \xD2\xB3"},  // 跳转到第               页
      {"编辑框2", "QLineEdit", 444, 345, 33, 23, true, nullptr},
      {"透明标签5", "qimubox::TransparentLabel", 124, 375, 29, 16, true, "999"},
      {"透明标签7", "qimubox::TransparentLabel", 216, 375, 29, 16, true, "1"},
      {"超级列表框2", "qimubox::SuperListBox", 2, 10, 529, 325, true, nullptr},
      {"按钮_首页1", "QPushButton", 19, 345, 69, 23, true, "\xCA\xD7\xD2\xB3"},  // 首页
      {"按钮_上一页1", "QPushButton", 105, 345, 69, 23, true, "\xC9\xCF\xD2\xBB\xD2\xB3"},  // 上一页
      {"按钮_下一页1", "QPushButton", 196, 345, 69, 23, true, "\xCF\xC2\xD2\xBB\xD2\xB3"},  // 下一页
      {"按钮_尾页1", "QPushButton", 287, 345, 69, 23, true, "\xCE\xB2\xD2\xB3"},  // 尾页
      {"按钮_跳转1", "QPushButton", 376, 345, 141, 23, true, "\xCC\xF8\xD7\xAA\xB5\xBD\xB5\xDA               \xD2\xB3"},  // 跳转到第               页
      {"编辑框5", "QLineEdit", 444, 345, 33, 23, true, nullptr},
      {"透明标签10", "qimubox::TransparentLabel", 124, 375, 29, 16, true, "999"},
      {"透明标签12", "qimubox::TransparentLabel", 216, 375, 29, 16, true, "1"},
      {"超级列表框3", "qimubox::SuperListBox", 2, 10, 529, 325, true, nullptr},
      {"按钮_首页2", "QPushButton", 19, 345, 69, 23, true, "\xCA\xD7\xD2\xB3"},  // 首页
      {"按钮_上一页2", "QPushButton", 105, 345, 69, 23, true, "\xC9\xCF\xD2\xBB\xD2\xB3"},  // 上一页
      {"按钮_下一页2", "QPushButton", 196, 345, 69, 23, true, "\xCF\xC2\xD2\xBB\xD2\xB3"},  // 下一页
      {"按钮_尾页2", "QPushButton", 287, 345, 69, 23, true, "\xCE\xB2\xD2\xB3"},  // 尾页
      {"按钮_跳转2", "QPushButton", 376, 345, 141, 23, true, "\xCC\xF8\xD7\xAA\xB5\xBD\xB5\xDA               \xD2\xB3"},  // 跳转到第               页
      {"编辑框6", "QLineEdit", 444, 345, 33, 23, true, nullptr},
      {"透明标签15", "qimubox::TransparentLabel", 124, 375, 29, 16, true, "999"},
      {"透明标签14", "qimubox::TransparentLabel", 216, 375, 29, 16, true, "1"},
      {"超级列表框4", "qimubox::SuperListBox", 2, 10, 529, 325, true, nullptr},
      {"按钮_首页3", "QPushButton", 19, 345, 69, 23, true, "\xCA\xD7\xD2\xB3"},  // 首页
      {"按钮_上一页3", "QPushButton", 105, 345, 69, 23, true, "\xC9\xCF\xD2\xBB\xD2\xB3"},  // 上一页
      {"按钮_下一页3", "QPushButton", 196, 345, 69, 23, true, "\xCF\xC2\xD2\xBB\xD2\xB3"},  // 下一页
      {"按钮_尾页3", "QPushButton", 287, 345, 69, 23, true, "\xCE\xB2\xD2\xB3"},  // 尾页
      {"按钮_跳转3", "QPushButton", 376, 345, 141, 23, true, "\xCC\xF8\xD7\xAA\xB5\xBD\xB5\xDA               \xD2\xB3"},  // 跳转到第               页
      {"编辑框7", "QLineEdit", 444, 345, 33, 23, true, nullptr},
      {"透明标签17", "qimubox::TransparentLabel", 124, 375, 29, 16, true, "999"},
      {"透明标签19", "qimubox::TransparentLabel", 216, 375, 29, 16, true, "1"},
      {"超级列表框5", "qimubox::SuperListBox", 2, 10, 529, 325, true, nullptr},
      {"按钮_首页4", "QPushButton", 19, 345, 69, 23, true, "\xCA\xD7\xD2\xB3"},  // 首页
      {"按钮_上一页4", "QPushButton", 105, 345, 69, 23, true, "\xC9\xCF\xD2\xBB\xD2\xB3"},  // 上一页
      {"按钮_下一页4", "QPushButton", 196, 345, 69, 23, true, "\xCF\xC2\xD2\xBB\xD2\xB3"},  // 下一页
      {"按钮_尾页4", "QPushButton", 287, 345, 69, 23, true, "\xCE\xB2\xD2\xB3"},  // 尾页
      {"按钮_跳转4", "QPushButton", 376, 345, 141, 23, true, "\xCC\xF8\xD7\xAA\xB5\xBD\xB5\xDA               \xD2\xB3"},  // 跳转到第               页
      {"编辑框8", "QLineEdit", 444, 345, 33, 23, true, nullptr},
      {"透明标签21", "qimubox::TransparentLabel", 124, 375, 29, 16, true, "999"},
      {"透明标签22", "qimubox::TransparentLabel", 216, 375, 29, 16, true, "1"},
      {"超级列表框6", "qimubox::SuperListBox", 2, 10, 529, 325, true, nullptr},
      {"按钮_首页5", "QPushButton", 19, 345, 69, 23, true, "\xCA\xD7\xD2\xB3"},  // 首页
      {"按钮_上一页5", "QPushButton", 105, 345, 69, 23, true, "\xC9\xCF\xD2\xBB\xD2\xB3"},  // 上一页
      {"按钮_下一页5", "QPushButton", 196, 345, 69, 23, true, "\xCF\xC2\xD2\xBB\xD2\xB3"},  // 下一页
      {"按钮_尾页5", "QPushButton", 287, 345, 69, 23, true, "\xCE\xB2\xD2\xB3"},  // 尾页
      {"按钮_跳转5", "QPushButton", 376, 345, 141, 23, true, "\xCC\xF8\xD7\xAA\xB5\xBD\xB5\xDA               \xD2\xB3"},  // 跳转到第               页
      {"编辑框9", "QLineEdit", 444, 345, 33, 23, true, nullptr},
      {"透明标签26", "qimubox::TransparentLabel", 124, 375, 29, 16, true, "999"},
      {"透明标签28", "qimubox::TransparentLabel", 216, 375, 29, 16, true, "1"},
      {"超级列表框7", "qimubox::SuperListBox", 2, 10, 529, 325, true, nullptr},
      {"按钮_首页6", "QPushButton", 19, 345, 69, 23, true, "\xCA\xD7\xD2\xB3"},  // 首页
      {"按钮_上一页6", "QPushButton", 105, 345, 69, 23, true, "\xC9\xCF\xD2\xBB\xD2\xB3"},  // 上一页
      {"按钮_下一页6", "QPushButton", 196, 345, 69, 23, true, "\xCF\xC2\xD2\xBB\xD2\xB3"},  // 下一页
      {"按钮_尾页6", "QPushButton", 287, 345, 69, 23, true, "\xCE\xB2\xD2\xB3"},  // 尾页
      {"按钮_跳转6", "QPushButton", 376, 345, 141, 23, true, "\xCC\xF8\xD7\xAA\xB5\xBD\xB5\xDA               \xD2\xB3"},  // 跳转到第               页
      {"编辑框10", "QLineEdit", 444, 345, 33, 23, true, nullptr},
      {"透明标签30", "qimubox::TransparentLabel", 124, 375, 29, 16, true, "999"},
      {"透明标签32", "qimubox::TransparentLabel", 216, 375, 29, 16, true, "1"},
      {"超级列表框8", "qimubox::SuperListBox", 2, 10, 529, 325, true, nullptr},
      {"按钮_首页7", "QPushButton", 19, 345, 69, 23, true, "\xCA\xD7\xD2\xB3"},  // 首页
      {"按钮_上一页7", "QPushButton", 105, 345, 69, 23, true, "\xC9\xCF\xD2\xBB\xD2\xB3"},  // 上一页
      {"按钮_下一页7", "QPushButton", 196, 345, 69, 23, true, "\xCF\xC2\xD2\xBB\xD2\xB3"},  // 下一页
      {"按钮_尾页7", "QPushButton", 287, 345, 69, 23, true, "\xCE\xB2\xD2\xB3"},  // 尾页
      {"按钮_跳转7", "QPushButton", 376, 345, 141, 23, true, "\xCC\xF8\xD7\xAA\xB5\xBD\xB5\xDA               \xD2\xB3"},  // 跳转到第               页
      {"编辑框11", "QLineEdit", 444, 345, 33, 23, true, nullptr},
      {"透明标签34", "qimubox::TransparentLabel", 124, 375, 29, 16, true, "999"},
      {"透明标签36", "qimubox::TransparentLabel", 216, 375, 29, 16, true, "1"},
  });
  EXPECT_TRUE(form.ui().图片框4->isAnimated());
}

TEST(MainFormTest, CatalogPagesHaveTheirListsInOrder) {
  MainForm form;
  QTabWidget& pages = *form.ui().选择夹1;
  ASSERT_EQ(pages.count(), 8);
  EXPECT_EQ(pages.currentIndex(), 0);
  const char* const tabTexts[] = {"\xCA\xD7\xD2\xB3", "\xC1\xC4\xCC\xEC\xC8\xED\xBC\xFE", "\xD2\xF4\xC6\xB5\xC8\xED\xBC\xFE",
                                  "\xD3\xCE\xCF\xB7\xD3\xE9\xC0\xD6", "\xB0\xB2\xC8\xAB\xC9\xB1\xB6\xBE",
                                  "\xCD\xF8\xC2\xE7\xD3\xA6\xD3\xC3", "\xCF\xB5\xCD\xB3\xB9\xA4\xBE\xDF",
                                  "\xC6\xE4\xCB\xFB\xC8\xED\xBC\xFE"};  // 首页 … 其他软件
  for (int view = 0; view < 8; ++view) {
    SCOPED_TRACE(view);
    EXPECT_EQ(fromDisplay(pages.tabText(view)), tabTexts[view]);
    const QString listName = QStringLiteral("超级列表框%1").arg(view + 1);
    EXPECT_NE(pages.widget(view)->findChild<SuperListBox*>(listName), nullptr);
  }
}

TEST(MainFormTest, ListsHaveTheEightColumnsAndTallRows) {
  MainForm form;
  const std::vector<std::pair<std::string, int>> columns = {
      {"id", 0}, {"\xC3\xFB\xB3\xC6", 120}, {"\xBC\xF2\xBD\xE9", 205},                 // 名称 简介
      {"\xB8\xFC\xD0\xC2\xCA\xB1\xBC\xE4", 100}, {"\xC8\xED\xBC\xFE\xB4\xF3\xD0\xA1", 100},  // 更新时间 软件大小
      {"                \xCD\xBC\xB1\xEA", 0}, {"\xCF\xC2\xD4\xD8\xB5\xD8\xD6\xB7", 0},   // 图标 下载地址
      {"\xB7\xD6\xC0\xE0", 0}};                                                         // 分类
  for (int view = 1; view <= 8; ++view) {
    SCOPED_TRACE(view);
    auto* list = form.findChild<SuperListBox*>(QStringLiteral("超级列表框%1").arg(view));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->columnCount(), 8);
    for (int column = 0; column < 8; ++column) {
      EXPECT_EQ(fromDisplay(list->headerItem()->text(column)), columns[column].first);
      EXPECT_EQ(list->header()->sectionSize(column), columns[column].second);
    }
    list->setCellText(list->insertRow(), 1, "x");
    EXPECT_EQ(list->visualItemRect(list->topLevelItem(0)).height(), MainForm::listRowHeight);
  }
}

TEST(MainFormTest, StatusBarHasEightPartsWithCaptions) {
  MainForm form;
  const PartStatusBar& bar = *form.ui().状态条1;
  const std::vector<std::pair<int, std::string>> parts = {
      {80, "\xB5\xB1\xC7\xB0\xB0\xE6\xB1\xBE"}, {50, ""},  // 当前版本
      {80, "\xD7\xEE\xD0\xC2\xB0\xE6\xB1\xBE"}, {50, ""},  // 最新版本
      {80, "\xD7\xCA\xD4\xB4\xD7\xDC\xCA\xFD"}, {50, ""},  // 资源总数
      {100, "\xBA\xD0\xD7\xD3\xCA\xB9\xD3\xC3\xB4\xCE\xCA\xFD"}, {50, ""}};  // 盒子使用次数
  ASSERT_EQ(bar.partCount(), 8);
  for (int part = 0; part < 8; ++part) {
    SCOPED_TRACE(part);
    EXPECT_EQ(bar.partWidth(part), parts[part].first);
    EXPECT_EQ(bar.partText(part), parts[part].second);
  }
  EXPECT_EQ(bar.width(), 991);
}

TEST(MainFormTest, ColoursTimerAndMenuAreThoseOfTheDesign) {
  MainForm form;
  EXPECT_EQ(form.ui().首页->textColor(), 0 + 120 * 256 + 215 * 65536);
  for (HyperlinkBox* link : {form.ui().聊天软件, form.ui().音频软件, form.ui().游戏娱乐, form.ui().安全杀毒,
                             form.ui().网络应用, form.ui().系统工具, form.ui().其他软件}) {
    EXPECT_EQ(link->textColor(), 120 + 130 * 256 + 180 * 65536);
  }
  for (TransparentLabel* dot : {form.ui().标签10, form.ui().标签11, form.ui().标签12, form.ui().标签13,
                                form.ui().标签14, form.ui().标签15}) {
    EXPECT_EQ(dot->backgroundColor(), 12632256);
  }
  EXPECT_EQ(form.findChild<QTimer*>(QStringLiteral("时钟1")), &form.bannerTimer());
  EXPECT_FALSE(form.bannerTimer().isActive());
  EXPECT_EQ(form.findChild<QMenu*>(QStringLiteral("菜单")), &form.listMenu());
  ASSERT_EQ(form.listMenu().actions().size(), 1);
  EXPECT_EQ(fromDisplay(form.refreshAction().text()), "\xCB\xA2\xD0\xC2");  // 刷新
}

}  // namespace
}  // namespace qimubox
