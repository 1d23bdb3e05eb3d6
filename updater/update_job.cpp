#include "updater/update_job.h"

#include "platform/files.h"
#include "platform/gbk_text.h"
#include "updater/resumable_download.h"

namespace qimubox {
namespace {

const std::string kFileExistsText =  // 文件已存在,无法下载\r\n文件名：
    "\xCE\xC4\xBC\xFE\xD2\xD1\xB4\xE6\xD4\xDA,\xCE\xDE\xB7\xA8\xCF\xC2\xD4\xD8\r\n\xCE\xC4\xBC\xFE\xC3\xFB\xA3\xBA";
const std::string kCompleteText = "\xCF\xC2\xD4\xD8\xCD\xEA\xB3\xC9";  // 下载完成
const std::string kFailedText = "\xCF\xC2\xD4\xD8\xCA\xA7\xB0\xDC";    // 下载失败

// The message for a transfer that did not complete.
std::string failureText(int result) {
  switch (result) {
    case kDownloadReadFailed:
      return "\xB6\xC1\xCD\xF8\xD2\xB3\xCE\xC4\xBC\xFE\xB3\xF6\xB4\xED";  // 读网页文件出错
    case kDownloadInternetFailed:
      return "Internet\xC1\xAC\xBD\xD3\xB4\xED\xCE\xF3";  // Internet连接错误
    case kDownloadUrlFailed:
      return "\xB2\xBB\xC4\xDC\xB4\xF2\xBF\xAA" "URL";  // 不能打开URL
    default:
      return "\xB2\xBB\xC4\xDC\xB4\xF2\xBF\xAA\xB1\xBE\xB5\xD8\xCE\xC4\xBC\xFE";  // 不能打开本地文件
  }
}

}  // namespace

std::string temporaryPathOf(const std::string& savePath) { return savePath + ".temp"; }

std::string fileNameOf(const std::string& path) {
  // Separators are single bytes that never occur inside a GBK character's
  // first byte, but '\\' can be a trail byte: scan character by character.
  std::size_t nameStart = 0;
  for (std::size_t i = 0; i < path.size(); i += gbkCharLength(path, i))
    if (path[i] == '\\' || path[i] == '/') nameStart = i + 1;
  return path.substr(nameStart);
}

void runUpdateDownload(UpdateControls& controls, DownloadState& state, std::stop_token stop) {
  const std::string address = controls.downloadAddress();
  const std::string savePath = controls.savePath();
  if (stop.stop_requested()) return;
  if (removeSpaces(address).empty() || removeSpaces(savePath).empty()) {
    controls.setIdleButtons();
    return;
  }

  // A file from an earlier download goes; a temporary file is continued.
  if (fileExists(savePath)) deleteFile(savePath);
  const std::string tempPath = temporaryPathOf(savePath);
  state.resumeOffset.store(fileExists(tempPath) ? fileSize(tempPath) : 0);
  if (fileExists(savePath) && !deleteFile(savePath)) {
    controls.setIdleButtons();
    controls.showMessage(kFileExistsText + fileNameOf(savePath), nullptr);
    return;
  }

  const int result = resumableDownload(address, tempPath, state.resumeOffset.load(), state, stop);
  if (stop.stop_requested()) return;

  if (controls.progressPosition() >= 100) controls.stopProgressTimer();
  if (result != kDownloadComplete) {
    controls.setIdleButtons();
    controls.showMessage(failureText(result), nullptr);
    return;
  }
  if (renameFile(tempPath, savePath)) {
    controls.setIdleButtons();
    controls.showMessage(kCompleteText, controls.completionMessageOwner());
    return;
  }
  deleteFile(tempPath);
  controls.setIdleButtons();
  controls.showMessage(kFailedText, nullptr);
}

}  // namespace qimubox
