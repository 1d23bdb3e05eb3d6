#include "updater/update_job.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/files.h"
#include "platform/message_box.h"
#include "tests/support/scripted_seams.h"
#include "tests/updater/test_files.h"
#include "tests/updater/update_file_server.h"

namespace qimubox {
namespace {

using testing::ServerFault;

const std::string kComplete = "\xCF\xC2\xD4\xD8\xCD\xEA\xB3\xC9";                   // 下载完成
const std::string kReadFailed = "\xB6\xC1\xCD\xF8\xD2\xB3\xCE\xC4\xBC\xFE\xB3\xF6\xB4\xED";  // 读网页文件出错
const std::string kUrlFailed = "\xB2\xBB\xC4\xDC\xB4\xF2\xBF\xAA" "URL";             // 不能打开URL
const std::string kFileFailed = "\xB2\xBB\xC4\xDC\xB4\xF2\xBF\xAA\xB1\xBE\xB5\xD8\xCE\xC4\xBC\xFE";  // 不能打开本地文件
const std::string kFileExists =  // 文件已存在,无法下载\r\n文件名：
    "\xCE\xC4\xBC\xFE\xD2\xD1\xB4\xE6\xD4\xDA,\xCE\xDE\xB7\xA8\xCF\xC2\xD4\xD8\r\n\xCE\xC4\xBC\xFE\xC3\xFB\xA3\xBA";

// The window's controls as plain values; the job runs on the test's thread.
class FakeControls : public UpdateControls {
 public:
  std::string downloadAddress() override { return address; }
  std::string savePath() override { return path; }
  void setIdleButtons() override { ++idleButtonsSet; }
  int progressPosition() override { return barPosition; }
  void stopProgressTimer() override { timerStopped = true; }
  QWidget* completionMessageOwner() override { return splash; }
  void showMessage(const std::string& gbkText, QWidget* owner) override {
    messageBox(gbkText, kMessageOk, kDefaultMessageTitle, owner);
  }

  std::string address;
  std::string path;
  int barPosition = 0;
  int idleButtonsSet = 0;
  bool timerStopped = false;
  QWidget* splash = reinterpret_cast<QWidget*>(0x1);  // only compared, never used
};

class UpdateJobTest : public ::testing::Test {
 protected:
  UpdateJobTest() {
    controls_.address = server_.url();
    controls_.path = savePath_;
  }

  void run() { runUpdateDownload(controls_, state_); }
  std::vector<std::string> messages() const {
    std::vector<std::string> texts;
    for (const MessageBoxRequest& box : boxes_.shown()) texts.push_back(box.text);
    return texts;
  }

  const std::string file_ = testing::makeUpdateFile(300'000);
  testing::UpdateFileServer server_{file_};
  testing::TemporaryFolder folder_;
  const std::string savePath_ = folder_.path("new.zip");
  const std::string tempPath_ = savePath_ + ".temp";
  testing::ScriptedMessageBoxes boxes_;
  FakeControls controls_;
  DownloadState state_;
};

TEST(UpdateJobPaths, TemporaryPathAndFileName) {
  EXPECT_EQ(temporaryPathOf("D:\\a\\new.zip"), "D:\\a\\new.zip.temp");
  EXPECT_EQ(fileNameOf("D:\\a\\new.zip"), "new.zip");
  EXPECT_EQ(fileNameOf("/home/u/Desktop/new.zip"), "new.zip");
  EXPECT_EQ(fileNameOf("new.zip"), "new.zip");
  // 表 ends in the byte 5C, which is no separator inside the character.
  EXPECT_EQ(fileNameOf("D:\\\xB1\xED.zip"), "\xB1\xED.zip");
  EXPECT_EQ(fileNameOf("\xB1\x5C" "a"), "\xB1\x5C" "a");
}

TEST_F(UpdateJobTest, FreshDownloadIsRenamedAndReportedComplete) {
  run();
  EXPECT_EQ(testing::readWholeFile(savePath_), file_);
  EXPECT_FALSE(fileExists(tempPath_));
  EXPECT_EQ(server_.rangeHeaders(), std::vector<std::string>{"bytes=0-"});
  ASSERT_EQ(messages(), std::vector<std::string>{kComplete});
  EXPECT_EQ(boxes_.shown()[0].owner, controls_.splash);
  EXPECT_EQ(boxes_.shown()[0].title, kDefaultMessageTitle);
  EXPECT_EQ(controls_.idleButtonsSet, 1);
}

TEST_F(UpdateJobTest, TemporaryFileLeftByAStopIsContinued) {
  testing::writeWholeFile(tempPath_, file_.substr(0, 5000));
  run();
  EXPECT_EQ(server_.rangeHeaders(), std::vector<std::string>{"bytes=5000-"});
  EXPECT_EQ(state_.resumeOffset.load(), 5000);
  EXPECT_EQ(testing::readWholeFile(savePath_), file_);
  EXPECT_EQ(messages(), std::vector<std::string>{kComplete});
}

TEST_F(UpdateJobTest, SecondStartDeletesTheCompletedFileAndDownloadsFromZero) {
  run();
  run();
  EXPECT_EQ(server_.rangeHeaders(), (std::vector<std::string>{"bytes=0-", "bytes=0-"}));
  EXPECT_EQ(testing::readWholeFile(savePath_), file_);
  EXPECT_EQ(messages(), (std::vector<std::string>{kComplete, kComplete}));
}

TEST_F(UpdateJobTest, BrokenTransferKeepsItsTemporaryFileAndRenamesNothing) {
  server_.setFault(ServerFault::DropMidBody, 100'000);
  run();
  EXPECT_FALSE(fileExists(savePath_));
  EXPECT_EQ(testing::readWholeFile(tempPath_), file_.substr(0, 100'000));
  EXPECT_EQ(messages(), std::vector<std::string>{kReadFailed});
  EXPECT_EQ(controls_.idleButtonsSet, 1);

  server_.setFault(ServerFault::None);
  run();
  EXPECT_EQ(server_.rangeHeaders().back(), "bytes=100000-");
  EXPECT_EQ(testing::readWholeFile(savePath_), file_);
  EXPECT_EQ(messages().back(), kComplete);
}

TEST_F(UpdateJobTest, FailuresShowTheirMessageAndLeaveNoNewFile) {
  struct Case {
    const char* name;
    std::string address;
    std::string path;
    std::string message;
  };
  const Case cases[] = {
      {"error status", server_.missingUrl(), savePath_, kUrlFailed},
      {"refused", testing::refusedUrl(), savePath_, kUrlFailed},
      {"missing folder", server_.url(), folder_.path("gone/new.zip"), kFileFailed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    controls_.address = c.address;
    controls_.path = c.path;
    const std::size_t before = boxes_.count();
    run();
    ASSERT_EQ(boxes_.count(), before + 1);
    EXPECT_EQ(messages().back(), c.message);
    EXPECT_FALSE(fileExists(c.path));
    EXPECT_FALSE(fileExists(c.path + ".temp"));
  }
}

TEST_F(UpdateJobTest, OldFileThatCannotBeDeletedStopsTheJob) {
  // A folder with content stands for a file the system refuses to delete.
  std::filesystem::create_directories(savePath_ + "/inside");
  run();
  EXPECT_EQ(messages(), std::vector<std::string>{kFileExists + "new.zip"});
  EXPECT_TRUE(server_.rangeHeaders().empty());
  EXPECT_EQ(controls_.idleButtonsSet, 1);
}

TEST_F(UpdateJobTest, EmptyAddressOrPathShowsNothing) {
  const std::pair<std::string, std::string> cases[] = {
      {"", savePath_}, {"   ", savePath_}, {"\xA1\xA1 ", savePath_}, {server_.url(), ""}, {server_.url(), " "}};
  for (const auto& [address, path] : cases) {
    controls_.address = address;
    controls_.path = path;
    run();
  }
  EXPECT_EQ(boxes_.count(), 0u);
  EXPECT_EQ(controls_.idleButtonsSet, 5);
  EXPECT_TRUE(server_.rangeHeaders().empty());
}

TEST_F(UpdateJobTest, FullProgressBarStopsTheTimer) {
  controls_.barPosition = 100;
  run();
  EXPECT_TRUE(controls_.timerStopped);
  controls_.barPosition = 99;
  controls_.timerStopped = false;
  run();
  EXPECT_FALSE(controls_.timerStopped);
}

TEST_F(UpdateJobTest, StoppedJobDoesNothing) {
  std::stop_source stop;
  stop.request_stop();
  runUpdateDownload(controls_, state_, stop.get_token());
  EXPECT_EQ(boxes_.count(), 0u);
  EXPECT_EQ(controls_.idleButtonsSet, 0);
  EXPECT_TRUE(server_.rangeHeaders().empty());
}

}  // namespace
}  // namespace qimubox
