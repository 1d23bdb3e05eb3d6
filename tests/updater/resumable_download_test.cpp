#include "updater/resumable_download.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

#include "platform/files.h"
#include "tests/updater/test_files.h"
#include "tests/updater/update_file_server.h"

namespace qimubox {
namespace {

using testing::ServerFault;
using testing::UpdateFileServer;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kFileBytes = 1'000'000;

// Waits until `condition` holds, at most `limitMs`.
template <typename Condition>
bool waitFor(Condition condition, int limitMs) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(limitMs);
  while (!condition()) {
    if (Clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

class ResumableDownloadTest : public ::testing::Test {
 protected:
  const std::string file_ = testing::makeUpdateFile(kFileBytes);
  UpdateFileServer server_{file_};
  testing::TemporaryFolder folder_;
  const std::string tempPath_ = folder_.path("new.zip.temp");
  DownloadState state_;

  int download(std::int64_t offset) {
    state_.resumeOffset.store(offset);
    return resumableDownload(server_.url(), tempPath_, offset, state_);
  }
};

TEST(DownloadRequestHeaders, AreTheFixedBlockWithTheRangeAlwaysLast) {
  const std::string fixed =
      "Accept: */*\r\nAccept-Language: zh-cn\r\nAccept-Encoding: gzip, deflate\r\n"
      "User-Agent: Mozilla/4.0(compatible; MSIE 6.0; Windows NT 5.0; MyIE2; .NET CLR 1.1.4322)";
  EXPECT_EQ(downloadRequestHeaders(0), fixed + "\r\nRange:bytes=0-");
  EXPECT_EQ(downloadRequestHeaders(1000), fixed + "\r\nRange:bytes=1000-");
  EXPECT_EQ(downloadRequestHeaders(3'000'000'000LL), fixed + "\r\nRange:bytes=3000000000-");
}

TEST_F(ResumableDownloadTest, FreshDownloadAsksFromZeroAndCreatesTheFile) {
  ASSERT_EQ(download(0), kDownloadComplete);
  EXPECT_EQ(server_.rangeHeaders(), std::vector<std::string>{"bytes=0-"});
  EXPECT_EQ(testing::readWholeFile(tempPath_), file_);
  EXPECT_EQ(state_.downloadedBytes.load(), static_cast<std::int64_t>(kFileBytes));
  EXPECT_EQ(state_.totalBytes.load(), static_cast<std::int64_t>(kFileBytes));
  EXPECT_EQ(state_.receivedBytes.load(), static_cast<std::int64_t>(kFileBytes));
  EXPECT_GT(state_.elapsedMs.load(), 0);
}

TEST_F(ResumableDownloadTest, ResumeAppendsAfterTheBytesAlreadyThere) {
  testing::writeWholeFile(tempPath_, file_.substr(0, 1000));
  ASSERT_EQ(download(1000), kDownloadComplete);
  EXPECT_EQ(server_.rangeHeaders(), std::vector<std::string>{"bytes=1000-"});
  EXPECT_EQ(testing::readWholeFile(tempPath_), file_);
  EXPECT_EQ(state_.resumeOffset.load(), 1000);
  EXPECT_EQ(state_.totalBytes.load(), static_cast<std::int64_t>(kFileBytes - 1000));
  EXPECT_EQ(state_.downloadedBytes.load(), static_cast<std::int64_t>(kFileBytes));
  EXPECT_EQ(state_.receivedBytes.load(), static_cast<std::int64_t>(kFileBytes - 1000));
}

TEST_F(ResumableDownloadTest, ResumeCountsReceivedBytesFromZero) {
  testing::writeWholeFile(tempPath_, file_.substr(0, 1000));
  server_.setFault(ServerFault::StallMidBody, 20000);
  std::stop_source stop;
  state_.receivedBytes.store(12345);  // left by an earlier transfer
  auto result = std::async(std::launch::async, [&] {
    return resumableDownload(server_.url(), tempPath_, 1000, state_, stop.get_token());
  });
  ASSERT_TRUE(waitFor([&] { return state_.downloadedBytes.load() == 21000; }, 5000));
  EXPECT_EQ(state_.receivedBytes.load(), 20000);
  stop.request_stop();
  EXPECT_EQ(result.get(), kDownloadReadFailed);
}

TEST_F(ResumableDownloadTest, BodyWithoutLengthIsReadToItsEnd) {
  server_.setFault(ServerFault::NoContentLength);
  ASSERT_EQ(download(0), kDownloadComplete);
  EXPECT_EQ(state_.totalBytes.load(), 0);
  EXPECT_EQ(testing::readWholeFile(tempPath_), file_);
}

TEST_F(ResumableDownloadTest, UnreachableServerGivesUrlFailedAndNoFile) {
  EXPECT_EQ(resumableDownload(testing::refusedUrl(), tempPath_, 0, state_), kDownloadUrlFailed);
  EXPECT_FALSE(fileExists(tempPath_));
}

TEST_F(ResumableDownloadTest, AddressesThatAreNotWebAddressesAreRefused) {
  const std::string local = folder_.path("secret.txt");
  testing::writeWholeFile(local, "secret");
  for (const std::string& url : {"file://" + local, std::string("no address"), std::string()}) {
    SCOPED_TRACE(url);
    EXPECT_EQ(resumableDownload(url, tempPath_, 0, state_), kDownloadUrlFailed);
    EXPECT_FALSE(fileExists(tempPath_));
  }
}

TEST_F(ResumableDownloadTest, ErrorPageIsNeverWritten) {
  EXPECT_EQ(resumableDownload(server_.missingUrl(), tempPath_, 0, state_), kDownloadUrlFailed);
  EXPECT_FALSE(fileExists(tempPath_));

  testing::writeWholeFile(tempPath_, file_.substr(0, 1000));
  server_.setFault(ServerFault::NotFound);
  EXPECT_EQ(download(1000), kDownloadUrlFailed);
  EXPECT_EQ(testing::readWholeFile(tempPath_), file_.substr(0, 1000));
}

TEST_F(ResumableDownloadTest, WholeBodyForARangeStartsTheFileAfresh) {
  testing::writeWholeFile(tempPath_, std::string(1000, 'x'));
  server_.setFault(ServerFault::IgnoreRange);
  ASSERT_EQ(download(1000), kDownloadComplete);
  EXPECT_EQ(testing::readWholeFile(tempPath_), file_);
  EXPECT_EQ(state_.resumeOffset.load(), 0);
  EXPECT_EQ(state_.downloadedBytes.load(), static_cast<std::int64_t>(kFileBytes));
  EXPECT_EQ(state_.receivedBytes.load(), static_cast<std::int64_t>(kFileBytes));
}

TEST_F(ResumableDownloadTest, TemporaryFileHoldingTheWholeFileIsComplete) {
  testing::writeWholeFile(tempPath_, file_);
  ASSERT_EQ(download(static_cast<std::int64_t>(kFileBytes)), kDownloadComplete);
  EXPECT_EQ(testing::readWholeFile(tempPath_), file_);
  EXPECT_EQ(state_.downloadedBytes.load(), static_cast<std::int64_t>(kFileBytes));
}

TEST_F(ResumableDownloadTest, DroppedConnectionKeepsWhatArrivedAndResumesFromThere) {
  server_.setFault(ServerFault::DropMidBody, 300'000);
  ASSERT_EQ(download(0), kDownloadReadFailed);
  const std::string partial = testing::readWholeFile(tempPath_);
  EXPECT_EQ(partial, file_.substr(0, 300'000));

  server_.setFault(ServerFault::None);
  ASSERT_EQ(download(static_cast<std::int64_t>(partial.size())), kDownloadComplete);
  EXPECT_EQ(server_.rangeHeaders().back(), "bytes=300000-");
  EXPECT_EQ(testing::readWholeFile(tempPath_), file_);
}

TEST_F(ResumableDownloadTest, MissingFolderGivesFileFailed) {
  EXPECT_EQ(resumableDownload(server_.url(), folder_.path("no/such/folder.temp"), 0, state_), kDownloadFileFailed);
}

TEST_F(ResumableDownloadTest, StopEndsAStalledTransferAtOnceAndWritesNothingAfter) {
  server_.setFault(ServerFault::StallMidBody, 200'000);
  std::stop_source stop;
  auto result = std::async(std::launch::async, [&] {
    return resumableDownload(server_.url(), tempPath_, 0, state_, stop.get_token());
  });
  ASSERT_TRUE(server_.waitUntilStalled(5000));
  ASSERT_TRUE(waitFor([&] { return state_.downloadedBytes.load() == 200'000; }, 5000));

  const auto stopped = Clock::now();
  stop.request_stop();
  ASSERT_EQ(result.wait_for(std::chrono::seconds(1)), std::future_status::ready);
  EXPECT_LT(Clock::now() - stopped, std::chrono::seconds(1));
  EXPECT_EQ(result.get(), kDownloadReadFailed);

  server_.releaseStall();
  EXPECT_EQ(fileSize(tempPath_), 200'000);
  server_.setFault(ServerFault::None);
  ASSERT_EQ(download(200'000), kDownloadComplete);
  EXPECT_EQ(testing::readWholeFile(tempPath_), file_);
}

}  // namespace
}  // namespace qimubox
