// The figures of the current transfer, written by the download thread and read
// by the progress display on the GUI thread without a lock.
#pragma once

#include <atomic>
#include <cstdint>

namespace qimubox {

// Every field is a 64-bit atomic so a reader never sees half of an update and
// files over 2 GiB are counted right. A reader may see fields from slightly
// different moments; the next reading corrects them.
struct DownloadState {
  // Size of the temporary file when the transfer starts (0 when there is none,
  // or when the server sends the whole file again).
  std::atomic<std::int64_t> resumeOffset{0};
  // Length of the body still to come; 0 when the server gives none.
  std::atomic<std::int64_t> totalBytes{0};
  // Bytes in the temporary file: resumeOffset plus every chunk written.
  std::atomic<std::int64_t> downloadedBytes{0};
  // Milliseconds since the body began to arrive; never 0 once it has.
  std::atomic<std::int64_t> elapsedMs{0};
  // Bytes received by this transfer.
  std::atomic<std::int64_t> receivedBytes{0};
};

}  // namespace qimubox
