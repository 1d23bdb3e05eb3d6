// The progress display of a download: texts computed from the figures of
// DownloadState and handed to a view (the updater window, or a test's record).
#pragma once

#include <cstdint>
#include <string>

#include "updater/download_state.h"

namespace qimubox {

// The value rounded to 2 places, halves away from zero (a nudge of 1e-12 on
// the scaled value makes 1.005 give 1.01), written with at most 13 significant
// digits and no trailing zeros: "1.5", "2", "1023.99".
std::string twoDecimalText(double value);

// Bytes in the largest of TB, GB, MB, KB whose whole part is 1 to 1023, with a
// space before the unit ("1.5 MB"); empty below 1 KB, for negative counts and
// from 1024 TB on.
std::string sizeText(std::int64_t bytes);

// The labels the display writes.
enum class ProgressLabel { TotalSize, Downloaded, Elapsed, Percent, RemainingSize, Speed, RemainingTime };

class ProgressView {
 public:
  virtual ~ProgressView() = default;
  virtual void setLabelText(ProgressLabel label, const std::string& gbkText) = 0;
  virtual void setBarPosition(int percent) = 0;
  virtual int barPosition() const = 0;
  // Ends the periodic display; the labels keep their last texts.
  virtual void stopTimer() = 0;
};

// One tick of the display: reads the figures once and writes every label, the
// speed and remaining time only when there is a speed to show, and the bar;
// stops the timer when the bar has reached 100.
void showDownloadProgress(const DownloadState& state, ProgressView& view);

}  // namespace qimubox
