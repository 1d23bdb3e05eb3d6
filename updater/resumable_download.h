// Resumable download: fetches one URL over HTTP and appends its body to a
// temporary file, asking the server to start where an earlier transfer ended.
#pragma once

#include <cstdint>
#include <stop_token>
#include <string>

#include "updater/download_state.h"

namespace qimubox {

enum DownloadResult : int {
  kDownloadComplete = 0,         // the body was read to its end and written
  kDownloadReadFailed = 1,       // the transfer broke off part-way (or was stopped)
  kDownloadInternetFailed = 2,   // no network handle could be made
  kDownloadUrlFailed = 3,        // no connection, bad address, refused, or an HTTP error status
  kDownloadFileFailed = -1,      // the temporary file could not be opened or written
};

// Longest piece of body handed over, and written, at a time.
inline constexpr std::size_t kDownloadChunkBytes = 10240;

// Downloads `url` (http or https) into `tempPath` (GBK), which already holds
// `resumeOffset` bytes of it, keeping `state` current. Never writes the body of
// an error response; when the server ignores the range and sends the whole
// body, the temporary file is started afresh. A stop request ends the
// transfer within about 100 ms, even while the server is silent, and no byte
// is written after it is seen; the result is then kDownloadReadFailed.
int resumableDownload(const std::string& url, const std::string& tempPath, std::int64_t resumeOffset,
                      DownloadState& state, std::stop_token stop = {});

// The request header block: the fixed browser-like headers and the range from
// `resumeOffset` on, always sent, also for 0.
std::string downloadRequestHeaders(std::int64_t resumeOffset);

}  // namespace qimubox
