#include "updater/resumable_download.h"

#include <curl/curl.h>

#include <memory>
#include <optional>
#include <string_view>

#include "platform/curl_handle.h"
#include "platform/desktop.h"
#include "platform/files.h"
#include "platform/gbk_text.h"
#include "platform/numbers.h"

namespace qimubox {
namespace {

constexpr long kConnectTimeoutSeconds = 30;
// A response that brings no byte for this long has broken off.
constexpr long kSilentSecondsLimit = 60;
// How long the transfer loop sleeps at most before it looks at the stop request.
constexpr int kStopCheckMilliseconds = 100;

// The header block announces the encodings a browser would; bodies are
// stored as they come, without decoding.
constexpr std::string_view kFixedHeaders =
    "Accept: */*\r\n"
    "Accept-Language: zh-cn\r\n"
    "Accept-Encoding: gzip, deflate\r\n"
    "User-Agent: Mozilla/4.0(compatible; MSIE 6.0; Windows NT 5.0; MyIE2; .NET CLR 1.1.4322)";

using CurlMulti = std::unique_ptr<CURLM, decltype(&curl_multi_cleanup)>;

// Keeps an easy handle attached to a multi handle for the transfer's lifetime.
class MultiAttachment {
 public:
  MultiAttachment(CURLM* multi, CURL* easy) : multi_(multi), easy_(easy) {
    attached_ = curl_multi_add_handle(multi_, easy_) == CURLM_OK;
  }
  ~MultiAttachment() {
    if (attached_) curl_multi_remove_handle(multi_, easy_);
  }
  MultiAttachment(const MultiAttachment&) = delete;
  MultiAttachment& operator=(const MultiAttachment&) = delete;
  bool attached() const { return attached_; }

 private:
  CURLM* multi_;
  CURL* easy_;
  bool attached_ = false;
};

// The agent the handle announces; the header block's own User-Agent line takes
// its place on the wire.
std::string agentText() { return "Agent" + numberToText(static_cast<double>(uptimeMilliseconds())); }

// The total length N of a "Content-Range: bytes */N" or "bytes S-E/N" header
// line, when it has one.
std::optional<std::int64_t> completeLengthOf(std::string_view line) {
  constexpr std::string_view name = "Content-Range:";
  if (findText(line, name, 1, true) != 1) return std::nullopt;
  const std::size_t slash = line.find('/');
  if (slash == std::string_view::npos || slash + 1 >= line.size()) return std::nullopt;
  const char first = line[slash + 1];
  if (first < '0' || first > '9') return std::nullopt;
  return textToInteger(line.substr(slash + 1));
}

// The first byte position S of a "Content-Range: bytes S-E/N" header line.
std::optional<std::int64_t> rangeStartOf(std::string_view line) {
  const int bytes = findText(line, "bytes", 1, true);
  if (findText(line, "Content-Range:", 1, true) != 1 || bytes < 0) return std::nullopt;
  std::string_view rest = line.substr(static_cast<std::size_t>(bytes) + 4);
  while (!rest.empty() && (rest.front() == ' ' || rest.front() == '=')) rest.remove_prefix(1);
  if (rest.empty() || rest.front() < '0' || rest.front() > '9') return std::nullopt;
  return textToInteger(rest);
}

// One transfer: decides from the final response's head what becomes of its
// body, writes the body chunk by chunk and keeps the state current.
class Transfer {
 public:
  Transfer(CURL* curl, const std::string& tempPath, std::int64_t resumeOffset, DownloadState& state,
           std::stop_token stop)
      : curl_(curl), tempPath_(tempPath), resumeOffset_(resumeOffset), state_(state), stop_(std::move(stop)) {}

  std::size_t onHeaderLine(std::string_view line) {
    // Every response (a redirect, then the file) starts with its status line.
    if (line.rfind("HTTP/", 0) == 0) {
      rangeStart_.reset();
      completeLength_.reset();
    }
    if (auto start = rangeStartOf(line)) rangeStart_ = start;
    if (auto length = completeLengthOf(line)) completeLength_ = length;
    return line.size();
  }

  std::size_t onBody(const char* data, std::size_t size) {
    if (stop_.stop_requested()) {
      stopped_ = true;
      return CURL_WRITEFUNC_ERROR;
    }
    if (outcome_ == Outcome::Pending) beginBody();
    if (outcome_ != Outcome::Writing) return CURL_WRITEFUNC_ERROR;
    if (!file_.write(data, size)) {
      outcome_ = Outcome::FileFailed;
      return CURL_WRITEFUNC_ERROR;
    }
    downloaded_ += static_cast<std::int64_t>(size);
    state_.downloadedBytes.store(downloaded_);
    const std::int64_t elapsed = uptimeMilliseconds() - startMs_;
    state_.elapsedMs.store(elapsed == 0 ? 10 : elapsed);
    state_.receivedBytes.store(downloaded_ - offset_);
    return size;
  }

  // The result code once libcurl has ended the transfer with `code`.
  int finish(CURLcode code) {
    if (stopped_ || stop_.stop_requested()) {
      file_.close();
      return kDownloadReadFailed;
    }
    // A response that ended, or broke off, before its first body byte.
    if (outcome_ == Outcome::Pending && responseStatus() != 0) beginBody();
    file_.close();
    switch (outcome_) {
      case Outcome::Writing:
        return code == CURLE_OK ? kDownloadComplete : kDownloadReadFailed;
      case Outcome::FileFailed:
        return kDownloadFileFailed;
      case Outcome::Refused:
        return temporaryFileIsComplete() ? kDownloadComplete : kDownloadUrlFailed;
      case Outcome::Pending:
        break;
    }
    return kDownloadUrlFailed;  // no response at all
  }

 private:
  enum class Outcome { Pending, Writing, Refused, FileFailed };

  long responseStatus() const {
    long status = 0;
    curl_easy_getinfo(curl_, CURLINFO_RESPONSE_CODE, &status);
    return status;
  }

  // Judges the final response's head and opens the temporary file for its body.
  void beginBody() {
    const long status = responseStatus();
    // An error page or anything but the file itself never goes into the update.
    if (status < 200 || status > 299) {
      outcome_ = Outcome::Refused;
      return;
    }
    OutputFile::Mode mode = OutputFile::Mode::AppendOrCreate;
    offset_ = resumeOffset_;
    if (offset_ > 0 && status != 206) {
      // The server ignored the range and sends the whole body: start afresh.
      mode = OutputFile::Mode::CreateTruncate;
      offset_ = 0;
      state_.resumeOffset.store(0);
    } else if (status == 206 && rangeStart_ && *rangeStart_ != offset_) {
      outcome_ = Outcome::Refused;  // a part that does not continue the file
      return;
    }
    state_.totalBytes.store(0);
    state_.receivedBytes.store(0);
    if (!file_.open(tempPath_, mode)) {
      outcome_ = Outcome::FileFailed;
      return;
    }
    downloaded_ = offset_;
    state_.downloadedBytes.store(downloaded_);
    curl_off_t length = -1;
    if (curl_easy_getinfo(curl_, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) == CURLE_OK && length > 0)
      state_.totalBytes.store(length);
    startMs_ = uptimeMilliseconds();
    state_.elapsedMs.store(10);
    outcome_ = Outcome::Writing;
  }

  // A range from the very end of the file is refused with 416 and the file's
  // length: the temporary file already holds all of it.
  bool temporaryFileIsComplete() {
    if (responseStatus() != 416 || resumeOffset_ <= 0 || completeLength_ != resumeOffset_) return false;
    state_.totalBytes.store(0);
    state_.receivedBytes.store(0);
    state_.downloadedBytes.store(resumeOffset_);
    state_.elapsedMs.store(10);
    return true;
  }

  CURL* curl_;
  const std::string& tempPath_;
  const std::int64_t resumeOffset_;
  DownloadState& state_;
  std::stop_token stop_;
  Outcome outcome_ = Outcome::Pending;
  bool stopped_ = false;
  OutputFile file_;
  std::int64_t offset_ = 0;      // where this transfer's body starts in the file
  std::int64_t downloaded_ = 0;  // bytes in the file
  std::int64_t startMs_ = 0;
  std::optional<std::int64_t> rangeStart_;
  std::optional<std::int64_t> completeLength_;
};

std::size_t headerCallback(char* data, std::size_t size, std::size_t count, void* transfer) {
  return static_cast<Transfer*>(transfer)->onHeaderLine(std::string_view(data, size * count));
}

std::size_t bodyCallback(char* data, std::size_t size, std::size_t count, void* transfer) {
  return static_cast<Transfer*>(transfer)->onBody(data, size * count);
}

CurlHeaderList requestHeaderList(std::int64_t resumeOffset) {
  CurlHeaderList list = emptyHeaderList();
  for (const std::string& line : splitText(downloadRequestHeaders(resumeOffset), "\r\n")) appendHeader(list, line);
  // Always from the network: no cache on the way may answer.
  appendHeader(list, "Pragma: no-cache");
  return list;
}

// Runs the attached transfer until it ends or a stop is requested.
CURLcode runTransfer(CURLM* multi, const std::stop_token& stop) {
  int running = 1;
  while (running > 0 && !stop.stop_requested()) {
    if (curl_multi_perform(multi, &running) != CURLM_OK) return CURLE_FAILED_INIT;
    if (running > 0) curl_multi_poll(multi, nullptr, 0, kStopCheckMilliseconds, nullptr);
  }
  if (running > 0) return CURLE_ABORTED_BY_CALLBACK;
  CURLcode result = CURLE_FAILED_INIT;
  int queued = 0;
  while (CURLMsg* message = curl_multi_info_read(multi, &queued))
    if (message->msg == CURLMSG_DONE) result = message->data.result;
  return result;
}

}  // namespace

std::string downloadRequestHeaders(std::int64_t resumeOffset) {
  return std::string(kFixedHeaders) + "\r\nRange:bytes=" + numberToText(static_cast<double>(resumeOffset)) + "-";
}

int resumableDownload(const std::string& url, const std::string& tempPath, std::int64_t resumeOffset,
                      DownloadState& state, std::stop_token stop) {
  CurlHandle curl = makeCurlHandle();
  CurlMulti multi(curl_multi_init(), &curl_multi_cleanup);
  if (!curl || !multi) return kDownloadInternetFailed;

  const std::string agent = agentText();
  const CurlHeaderList headers = requestHeaderList(resumeOffset);
  Transfer transfer(curl.get(), tempPath, resumeOffset, state, stop);
  CURL* easy = curl.get();
  curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
  // Only web addresses: an update address must not read local files.
  curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(easy, CURLOPT_MAXREDIRS, 10L);
  curl_easy_setopt(easy, CURLOPT_USERAGENT, agent.c_str());
  curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers.get());
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
  curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, kSilentSecondsLimit);
  curl_easy_setopt(easy, CURLOPT_BUFFERSIZE, static_cast<long>(kDownloadChunkBytes));
  curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &headerCallback);
  curl_easy_setopt(easy, CURLOPT_HEADERDATA, &transfer);
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &bodyCallback);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, &transfer);

  const MultiAttachment attachment(multi.get(), easy);
  if (!attachment.attached()) return kDownloadInternetFailed;
  return transfer.finish(runTransfer(multi.get(), stop));
}

}  // namespace qimubox
