#include "updater/updater_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <chrono>

#include "platform/desktop.h"
#include "platform/files.h"
#include "platform/gbk_convert.h"
#include "tests/support/scripted_seams.h"
#include "tests/updater/test_files.h"
#include "tests/updater/update_file_server.h"

namespace qimubox {
namespace {

using testing::ServerFault;

const std::string kComplete = "\xCF\xC2\xD4\xD8\xCD\xEA\xB3\xC9";  // 下载完成
const std::string kLog = "\xB8\xFC\xD0\xC2\xC8\xD5\xD6\xBE";        // 更新日志
constexpr std::size_t kStallAt = 200'000;

class UpdaterWindowTest : public ::testing::Test {
 protected:
  UpdaterWindowTest() {
    // Downloads go to the test's folder, never to the real desktop.
    edit(u"编辑框_保存路径")->setText(toDisplay(savePath_));
  }

  template <typename Control>
  Control* find(const char16_t* name) {
    return window_.findChild<Control*>(QString::fromUtf16(name));
  }
  QLineEdit* edit(const char16_t* name) { return find<QLineEdit>(name); }
  QPushButton* startButton() { return find<QPushButton>(u"按钮_下载"); }
  QPushButton* stopButton() { return find<QPushButton>(u"按钮_停止"); }
  QPushButton* exitButton() { return find<QPushButton>(u"按钮_停止1"); }
  QString label(const char16_t* name) { return find<QLabel>(name)->text(); }

  bool idle() { return startButton()->isEnabled() && !stopButton()->isEnabled() && !window_.downloadRunning(); }
  bool waitForStall() {
    // The GUI thread keeps serving the job's control reads meanwhile.
    return QTest::qWaitFor([&] { return server_.waitUntilStalled(0); }, 5000) &&
           QTest::qWaitFor([&] { return window_.downloadState().downloadedBytes.load() == kStallAt; }, 5000);
  }

  const std::string file_ = testing::makeUpdateFile(1'000'000);
  testing::UpdateFileServer server_{file_};
  testing::TemporaryFolder folder_;
  const std::string savePath_ = folder_.path("new.zip");
  testing::ScriptedMessageBoxes boxes_;
  UpdaterWindow window_{"new", server_.url(), kLog};
};

TEST_F(UpdaterWindowTest, OpensWithTheSavePathAddressAndLog) {
  UpdaterWindow fresh("new", server_.url(), kLog);
  EXPECT_EQ(fresh.findChild<QLineEdit*>(QStringLiteral("编辑框_保存路径"))->text(),
            toDisplay(desktopFolder() + "new.zip"));
  EXPECT_EQ(edit(u"编辑框_下载地址")->text(), toDisplay(server_.url()));
  EXPECT_EQ(find<QPlainTextEdit>(u"编辑框1")->toPlainText(), toDisplay(kLog));
  EXPECT_TRUE(idle());
  EXPECT_FALSE(window_.progressTimer().isActive());
  EXPECT_EQ(window_.progressTimer().objectName(), QStringLiteral("时钟1"));
}

TEST_F(UpdaterWindowTest, DownloadShowsProgressAndEndsComplete) {
  startButton()->click();
  EXPECT_FALSE(startButton()->isEnabled());
  EXPECT_TRUE(stopButton()->isEnabled());
  EXPECT_TRUE(window_.progressTimer().isActive());
  EXPECT_EQ(window_.progressTimer().interval(), 1000);

  ASSERT_TRUE(QTest::qWaitFor([&] { return boxes_.count() == 1; }, 10000));
  EXPECT_EQ(boxes_.shown()[0].text, kComplete);
  EXPECT_TRUE(QTest::qWaitFor([&] { return idle(); }, 5000));
  EXPECT_EQ(testing::readWholeFile(savePath_), file_);
  EXPECT_FALSE(fileExists(savePath_ + ".temp"));

  // The next tick shows 100 % and stops the display.
  ASSERT_TRUE(QTest::qWaitFor([&] { return !window_.progressTimer().isActive(); }, 3000));
  EXPECT_EQ(find<QProgressBar>(u"进度条_下载进度")->value(), 100);
  EXPECT_EQ(label(u"标签_总大小"), QStringLiteral("总大小：976.56 KB"));
  EXPECT_EQ(label(u"标签_已下载"), QStringLiteral("已下载：976.56 KB"));
  EXPECT_EQ(label(u"标签_百分比"), QStringLiteral("下载进度：100%"));
  EXPECT_EQ(label(u"标签_剩余大小"), QStringLiteral("剩余大小："));
}

TEST_F(UpdaterWindowTest, StopEndsAStalledTransferAndTheNextStartContinues) {
  server_.setFault(ServerFault::StallMidBody, kStallAt);
  startButton()->click();
  ASSERT_TRUE(waitForStall());

  const auto pressed = std::chrono::steady_clock::now();
  stopButton()->click();
  EXPECT_LT(std::chrono::steady_clock::now() - pressed, std::chrono::seconds(1));
  EXPECT_TRUE(idle());
  EXPECT_FALSE(window_.progressTimer().isActive());
  server_.releaseStall();
  QTest::qWait(200);  // what a late job call or byte would need to show
  EXPECT_EQ(boxes_.count(), 0u);
  EXPECT_EQ(fileSize(savePath_ + ".temp"), static_cast<std::int64_t>(kStallAt));
  EXPECT_FALSE(fileExists(savePath_));

  server_.setFault(ServerFault::None);
  startButton()->click();
  ASSERT_TRUE(QTest::qWaitFor([&] { return boxes_.count() == 1; }, 10000));
  EXPECT_EQ(boxes_.shown()[0].text, kComplete);
  EXPECT_EQ(server_.rangeHeaders().back(), "bytes=200000-");
  EXPECT_EQ(testing::readWholeFile(savePath_), file_);
}

TEST_F(UpdaterWindowTest, ExitDuringATransferEndsAtOnceAndKeepsTheTemporaryFile) {
  int exits = 0;
  window_.setExitAction([&] { ++exits; });
  server_.setFault(ServerFault::StallMidBody, kStallAt);
  startButton()->click();
  ASSERT_TRUE(waitForStall());

  const auto pressed = std::chrono::steady_clock::now();
  exitButton()->click();
  EXPECT_LT(std::chrono::steady_clock::now() - pressed, std::chrono::seconds(1));
  EXPECT_EQ(exits, 1);
  EXPECT_FALSE(window_.downloadRunning());
  EXPECT_EQ(fileSize(savePath_ + ".temp"), static_cast<std::int64_t>(kStallAt));
  EXPECT_EQ(boxes_.count(), 0u);
}

TEST_F(UpdaterWindowTest, EmptyAddressReturnsToIdleSilently) {
  UpdaterWindow empty("new", "", kLog);
  auto* start = empty.findChild<QPushButton*>(QStringLiteral("按钮_下载"));
  start->click();
  EXPECT_FALSE(start->isEnabled());
  ASSERT_TRUE(QTest::qWaitFor([&] { return start->isEnabled() && !empty.downloadRunning(); }, 5000));
  EXPECT_FALSE(empty.findChild<QPushButton*>(QStringLiteral("按钮_停止"))->isEnabled());
  EXPECT_EQ(boxes_.count(), 0u);
  EXPECT_TRUE(server_.rangeHeaders().empty());
}

TEST(OpenUpdaterWindow, ShowsAWindowWithoutOwner) {
  std::unique_ptr<UpdaterWindow> window(openUpdaterWindow("new", "", kLog));
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->parentWidget(), nullptr);
  EXPECT_FALSE(window->isModal());
  EXPECT_EQ(window->size(), QSize(696, 443));
}

}  // namespace
}  // namespace qimubox

int main(int argc, char** argv) {
  // Also when the test list is read at build time, without the test's environment.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
