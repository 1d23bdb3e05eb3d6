#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <atomic>
#include <fstream>
#include <thread>

#include "platform/desktop.h"
#include "platform/files.h"
#include "platform/gbk_convert.h"
#include "platform/gui_thread.h"
#include "platform/message_box.h"
#include "tests/support/scripted_seams.h"

namespace qimubox {
namespace {

const std::string kGbkName = "\xC6\xDC\xC4\xBE\xB7\xBB";  // 栖木坊

TEST(GbkConvertTest, RoundTripsChineseText) {
  const QString display = toDisplay(kGbkName);
  EXPECT_EQ(display, QString::fromUtf8("\xE6\xA0\x96\xE6\x9C\xA8\xE5\x9D\x8A"));
  EXPECT_EQ(fromDisplay(display), kGbkName);
  EXPECT_EQ(fromDisplay(toDisplay("")), "");
}

TEST(FilesTest, CreateAppendSizeRenameDeleteWithGbkNames) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string folder = fromDisplay(QDir::toNativeSeparators(dir.path())) + "/";
  const std::string path = folder + kGbkName + ".temp";
  const std::string finalPath = folder + kGbkName + ".zip";

  EXPECT_FALSE(fileExists(path));
  EXPECT_EQ(fileSize(path), -1);
  {
    OutputFile file;
    ASSERT_TRUE(file.open(path, OutputFile::Mode::CreateTruncate));
    EXPECT_TRUE(file.write("abc", 3));
  }
  {
    OutputFile file;
    ASSERT_TRUE(file.open(path, OutputFile::Mode::AppendOrCreate));
    EXPECT_TRUE(file.write("de", 2));
    EXPECT_EQ(file.position(), 5);
  }
  EXPECT_EQ(fileSize(path), 5);
  // The file system sees the name as UTF-8, the core wrote it as GBK.
  EXPECT_TRUE(QFileInfo::exists(dir.path() + QStringLiteral("/") + toDisplay(kGbkName) + QStringLiteral(".temp")));

  EXPECT_TRUE(renameFile(path, finalPath));
  EXPECT_FALSE(fileExists(path));
  EXPECT_EQ(fileSize(finalPath), 5);
  {
    OutputFile file;
    ASSERT_TRUE(file.open(path, OutputFile::Mode::CreateTruncate));
  }
  EXPECT_FALSE(renameFile(path, finalPath)) << "a rename never replaces an existing file";
  EXPECT_TRUE(deleteFile(finalPath));
  EXPECT_FALSE(deleteFile(finalPath));
  EXPECT_FALSE(OutputFile().write("x", 1));
}

TEST(DesktopTest, FolderEndsInSeparatorAndUptimeAdvances) {
  const std::string folder = desktopFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), QDir::separator().toLatin1());
  const auto before = uptimeMilliseconds();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_GE(uptimeMilliseconds() - before, 20);
}

TEST(MessageBoxSeamTest, WorkerThreadBoxRunsOnGuiThreadAndReturnsTheAnswer) {
  int argc = 0;
  QCoreApplication app(argc, nullptr);
  std::atomic<int> answer{-1};
  std::atomic<bool> ranOnGui{false};
  setMessageBoxHandler([&](const MessageBoxRequest& request) {
    ranOnGui = onGuiThread();
    return request.style == kMessageYesNo ? kAnswerYes : kAnswerOk;
  });
  std::thread worker([&] {
    answer = messageBox("\xCA\xC7\xB7\xF1", kMessageYesNo);
    QMetaObject::invokeMethod(&app, [] { QCoreApplication::quit(); }, Qt::QueuedConnection);
  });
  app.exec();
  worker.join();
  EXPECT_EQ(answer, kAnswerYes);
  EXPECT_TRUE(ranOnGui);
  setMessageBoxHandler({});
}

TEST(MessageBoxSeamTest, RecorderKeepsTextStyleAndDefaultTitle) {
  testing::ScriptedMessageBoxes boxes;
  boxes.answerNext(kAnswerNo);
  EXPECT_EQ(messageBox("q", kMessageYesNo), kAnswerNo);
  EXPECT_EQ(messageBox("r", kMessageInformation, "t"), kAnswerOk);
  const auto shown = boxes.shown();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].title, kDefaultMessageTitle);
  EXPECT_EQ(shown[0].style, kMessageYesNo);
  EXPECT_EQ(shown[1].text, "r");
  EXPECT_EQ(shown[1].title, "t");
}

}  // namespace
}  // namespace qimubox
