#include "updater/download_progress.h"

#include <cmath>
#include <cstdio>
#include <optional>

#include "platform/numbers.h"

namespace qimubox {
namespace {

constexpr double kKiB = 1024.0;
constexpr double kMiB = 1048576.0;
constexpr double kGiB = 1073741824.0;
constexpr double kTiB = 1099511627776.0;
// Below this many KB/s there is no speed worth a remaining time.
constexpr double kSlowestSpeedKBs = 0.0000001;

bool wholePartInUnitRange(double valueInUnit) {
  const double whole = std::trunc(valueInUnit);
  return whole >= 1 && whole < 1024;
}

// A whole number of any size written plainly.
std::string wholeNumberText(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.0f", std::trunc(value) + 0.0);
  return buffer;
}

// The speed text in the smallest unit whose whole part is 1 to 1023.
std::optional<std::string> speedText(double bytesPerSecond) {
  struct Unit {
    double bytes;
    const char* text;
  };
  for (const Unit unit : {Unit{kKiB, "KB/S"}, Unit{kMiB, "MB/S"}, Unit{kGiB, "GB/S"}}) {
    if (wholePartInUnitRange(bytesPerSecond / unit.bytes)) return twoDecimalText(bytesPerSecond / unit.bytes) + unit.text;
  }
  return std::nullopt;
}

}  // namespace

std::string twoDecimalText(double value) { return numberToText(roundHalfAway(value * 100 + 1e-12) / 100); }

std::string sizeText(std::int64_t bytes) {
  struct Unit {
    double bytes;
    const char* text;
  };
  for (const Unit unit : {Unit{kTiB, " TB"}, Unit{kGiB, " GB"}, Unit{kMiB, " MB"}, Unit{kKiB, " KB"}}) {
    const double inUnit = static_cast<double>(bytes) / unit.bytes;
    if (wholePartInUnitRange(inUnit)) return twoDecimalText(inUnit) + unit.text;
  }
  return {};
}

void showDownloadProgress(const DownloadState& state, ProgressView& view) {
  const std::int64_t total = state.totalBytes.load();
  const std::int64_t offset = state.resumeOffset.load();
  const std::int64_t downloaded = state.downloadedBytes.load();
  const std::int64_t elapsedMs = state.elapsedMs.load();
  const std::int64_t received = state.receivedBytes.load();
  const std::int64_t whole = total + offset;

  view.setLabelText(ProgressLabel::TotalSize, "\xD7\xDC\xB4\xF3\xD0\xA1\xA3\xBA" + sizeText(whole));  // 总大小：
  view.setLabelText(ProgressLabel::Downloaded, "\xD2\xD1\xCF\xC2\xD4\xD8\xA3\xBA" + sizeText(downloaded));  // 已下载：
  view.setLabelText(ProgressLabel::Elapsed,  // 用时：…秒
                    "\xD3\xC3\xCA\xB1\xA3\xBA" + wholeNumberText(static_cast<double>(divideWhole(elapsedMs, 1000))) +
                        "\xC3\xEB");
  const double percent = whole == 0 ? 0 : std::trunc(static_cast<double>(downloaded) * 100 / static_cast<double>(whole));
  view.setLabelText(ProgressLabel::Percent, "\xCF\xC2\xD4\xD8\xBD\xF8\xB6\xC8\xA3\xBA" + wholeNumberText(percent) + "%");  // 下载进度：
  view.setLabelText(ProgressLabel::RemainingSize,
                    "\xCA\xA3\xD3\xE0\xB4\xF3\xD0\xA1\xA3\xBA" + sizeText(whole - downloaded));  // 剩余大小：

  if (elapsedMs != 0) {
    const double bytesPerSecond = static_cast<double>(received) * 1000 / static_cast<double>(elapsedMs);
    if (const auto speed = speedText(bytesPerSecond))
      view.setLabelText(ProgressLabel::Speed, "\xCB\xD9\xB6\xC8\xA3\xBA" + *speed);  // 速度：
    if (bytesPerSecond / kKiB > kSlowestSpeedKBs) {
      // KB left over MB/s: 1.024 times the seconds left, as the display has always shown it.
      const double figure = std::trunc(static_cast<double>(whole - downloaded) / kKiB / (bytesPerSecond / kMiB));
      view.setLabelText(ProgressLabel::RemainingTime,  // 剩余时间：…秒
                        "\xCA\xA3\xD3\xE0\xCA\xB1\xBC\xE4\xA3\xBA" + wholeNumberText(figure / 1000) + "\xC3\xEB");
    }
  }

  // The bar holds 0 to 100; a figure outside stays at the nearest end.
  view.setBarPosition(percent >= 100 ? 100 : percent <= 0 ? 0 : static_cast<int>(percent));
  if (view.barPosition() >= 100) view.stopTimer();
}

}  // namespace qimubox
