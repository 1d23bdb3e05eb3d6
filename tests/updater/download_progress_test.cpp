#include "updater/download_progress.h"

#include <gtest/gtest.h>

#include <map>

namespace qimubox {
namespace {

constexpr std::int64_t kMiB = 1048576;

// GBK prefixes of the labels.
const std::string kTotal = "\xD7\xDC\xB4\xF3\xD0\xA1\xA3\xBA";                     // 总大小：
const std::string kDownloaded = "\xD2\xD1\xCF\xC2\xD4\xD8\xA3\xBA";                // 已下载：
const std::string kElapsed = "\xD3\xC3\xCA\xB1\xA3\xBA";                           // 用时：
const std::string kPercent = "\xCF\xC2\xD4\xD8\xBD\xF8\xB6\xC8\xA3\xBA";           // 下载进度：
const std::string kRemainingSize = "\xCA\xA3\xD3\xE0\xB4\xF3\xD0\xA1\xA3\xBA";     // 剩余大小：
const std::string kSpeed = "\xCB\xD9\xB6\xC8\xA3\xBA";                             // 速度：
const std::string kRemainingTime = "\xCA\xA3\xD3\xE0\xCA\xB1\xBC\xE4\xA3\xBA";     // 剩余时间：
const std::string kSeconds = "\xC3\xEB";                                           // 秒

class RecordedView : public ProgressView {
 public:
  void setLabelText(ProgressLabel label, const std::string& gbkText) override { labels[label] = gbkText; }
  void setBarPosition(int percent) override { bar = percent; }
  int barPosition() const override { return bar; }
  void stopTimer() override { timerStopped = true; }

  std::map<ProgressLabel, std::string> labels;
  int bar = 0;
  bool timerStopped = false;
};

struct Figures {
  std::int64_t total, offset, downloaded, elapsedMs, received;
};

RecordedView showFigures(const Figures& figures, RecordedView view = {}) {
  DownloadState state;
  state.totalBytes = figures.total;
  state.resumeOffset = figures.offset;
  state.downloadedBytes = figures.downloaded;
  state.elapsedMs = figures.elapsedMs;
  state.receivedBytes = figures.received;
  showDownloadProgress(state, view);
  return view;
}

TEST(TwoDecimalText, RoundsHalvesAwayAndDropsTrailingZeros) {
  const std::pair<double, const char*> cases[] = {
      {1.5, "1.5"},   {2.0, "2"},          {0.75, "0.75"},      {1023.99, "1023.99"}, {1.005, "1.01"},
      {1.004, "1"},   {1023.996, "1024"},  {0.125, "0.13"},     {0.0, "0"},           {12.3449, "12.34"},
      {-1.005, "-1"}, {1099.999, "1100"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(twoDecimalText(value), text) << value;
}

TEST(SizeText, ChoosesTheUnitOnTheWholePart) {
  const std::pair<std::int64_t, const char*> cases[] = {
      {0, ""},
      {1023, ""},
      {-5000, ""},
      {1024, "1 KB"},
      {1536, "1.5 KB"},
      {1048575, "1024 KB"},  // 1023.999 KB: the whole part picks KB, rounding gives 1024
      {kMiB, "1 MB"},
      {10 * kMiB, "10 MB"},
      {3 * kMiB / 2, "1.5 MB"},
      {5LL * 1073741824, "5 GB"},
      {3'000'000'000LL, "2.79 GB"},  // beyond 32 bits
      {1099511627776LL, "1 TB"},
      {1024LL * 1099511627776LL, ""},
  };
  for (const auto& [bytes, text] : cases) EXPECT_EQ(sizeText(bytes), text) << bytes;
}

TEST(ShowDownloadProgress, HalfOfTenMebibytesInFourSeconds) {
  const RecordedView view = showFigures({10 * kMiB, 0, 5 * kMiB, 4000, 5 * kMiB});
  EXPECT_EQ(view.labels.at(ProgressLabel::TotalSize), kTotal + "10 MB");
  EXPECT_EQ(view.labels.at(ProgressLabel::Downloaded), kDownloaded + "5 MB");
  EXPECT_EQ(view.labels.at(ProgressLabel::Elapsed), kElapsed + "4" + kSeconds);
  EXPECT_EQ(view.labels.at(ProgressLabel::Percent), kPercent + "50%");
  EXPECT_EQ(view.labels.at(ProgressLabel::RemainingSize), kRemainingSize + "5 MB");
  EXPECT_EQ(view.labels.at(ProgressLabel::Speed), kSpeed + "1.25MB/S");
  EXPECT_EQ(view.labels.at(ProgressLabel::RemainingTime), kRemainingTime + "4" + kSeconds);
  EXPECT_EQ(view.bar, 50);
  EXPECT_FALSE(view.timerStopped);
}

TEST(ShowDownloadProgress, ResumedTransferAtItsStartKeepsSpeedAndRemainingTime) {
  RecordedView before;
  before.labels[ProgressLabel::Speed] = "earlier speed";
  before.labels[ProgressLabel::RemainingTime] = "earlier time";
  const RecordedView view = showFigures({kMiB, kMiB, kMiB, 10, 0}, before);
  EXPECT_EQ(view.labels.at(ProgressLabel::TotalSize), kTotal + "2 MB");
  EXPECT_EQ(view.labels.at(ProgressLabel::Percent), kPercent + "50%");
  EXPECT_EQ(view.labels.at(ProgressLabel::RemainingSize), kRemainingSize + "1 MB");
  EXPECT_EQ(view.labels.at(ProgressLabel::Speed), "earlier speed");
  EXPECT_EQ(view.labels.at(ProgressLabel::RemainingTime), "earlier time");
}

TEST(ShowDownloadProgress, UnknownLengthShowsPrefixesAndZeroPercent) {
  const RecordedView view = showFigures({0, 0, 0, 10, 0});
  EXPECT_EQ(view.labels.at(ProgressLabel::TotalSize), kTotal);
  EXPECT_EQ(view.labels.at(ProgressLabel::Percent), kPercent + "0%");
  EXPECT_EQ(view.labels.at(ProgressLabel::RemainingSize), kRemainingSize);
  EXPECT_EQ(view.bar, 0);
  EXPECT_FALSE(view.timerStopped);
}

TEST(ShowDownloadProgress, LessThanAKilobyteDownloadedShowsThePrefixAlone) {
  const RecordedView view = showFigures({10 * kMiB, 0, 1023, 1000, 1023});
  EXPECT_EQ(view.labels.at(ProgressLabel::Downloaded), kDownloaded);
  EXPECT_FALSE(view.labels.contains(ProgressLabel::Speed));  // 1023 B/s is below 1 KB/s
}

TEST(ShowDownloadProgress, SpeedUnitIsChosenBeforeRounding) {
  // 1023.996 KB/s: 1048571.904 bytes in one second.
  const RecordedView view = showFigures({2000 * kMiB, 0, 1048571904, 1'000'000, 1048571904});
  EXPECT_EQ(view.labels.at(ProgressLabel::Speed), kSpeed + "1024KB/S");
}

TEST(ShowDownloadProgress, SpeedTakesTheSmallestUnitInRange) {
  const std::pair<Figures, std::string> cases[] = {
      {{100 * kMiB, 0, 700 * 1024, 1000, 700 * 1024}, "700KB/S"},
      {{100 * kMiB, 0, 32 * kMiB, 10'000, 32 * kMiB}, "3.2MB/S"},
      {{100LL * 1073741824, 0, 3LL * 1073741824, 1000, 3LL * 1073741824}, "3GB/S"},
  };
  for (const auto& [figures, speed] : cases) EXPECT_EQ(showFigures(figures).labels.at(ProgressLabel::Speed), kSpeed + speed);
}

TEST(ShowDownloadProgress, RemainingTimeIsOnePointZeroTwoFourTimesTheSeconds) {
  // 100 s left at 1 MB/s.
  const RecordedView view = showFigures({200 * kMiB, 0, 100 * kMiB, 100'000, 100 * kMiB});
  EXPECT_EQ(view.labels.at(ProgressLabel::RemainingTime), kRemainingTime + "102" + kSeconds);
}

TEST(ShowDownloadProgress, TimerStopsWhenTheBarReachesAHundred) {
  const RecordedView done = showFigures({10 * kMiB, 0, 10 * kMiB, 4000, 10 * kMiB});
  EXPECT_EQ(done.bar, 100);
  EXPECT_TRUE(done.timerStopped);
  EXPECT_EQ(done.labels.at(ProgressLabel::Percent), kPercent + "100%");
  EXPECT_EQ(done.labels.at(ProgressLabel::RemainingTime), kRemainingTime + "0" + kSeconds);

  EXPECT_FALSE(showFigures({10 * kMiB, 0, 10 * kMiB - 1, 4000, 10 * kMiB - 1}).timerStopped);
}

TEST(ShowDownloadProgress, FilesBeyondTwoGibibytesAreCountedRight) {
  const std::int64_t total = 6LL * 1073741824;
  const RecordedView view = showFigures({total, 0, total / 2, 60'000, total / 2});
  EXPECT_EQ(view.labels.at(ProgressLabel::TotalSize), kTotal + "6 GB");
  EXPECT_EQ(view.labels.at(ProgressLabel::Downloaded), kDownloaded + "3 GB");
  EXPECT_EQ(view.labels.at(ProgressLabel::Percent), kPercent + "50%");
  EXPECT_EQ(view.labels.at(ProgressLabel::Speed), kSpeed + "51.2MB/S");
}

}  // namespace
}  // namespace qimubox
