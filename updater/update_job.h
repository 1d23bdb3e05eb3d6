// The update download job: the body of the updater's download thread.
#pragma once

#include <stop_token>
#include <string>

#include "updater/download_state.h"

class QWidget;

namespace qimubox {

// The updater window's controls as the job sees them. Calls come from the
// download thread; an implementation carries them to the GUI thread. When the
// download is being stopped meanwhile, a read may give an empty text or 0.
class UpdateControls {
 public:
  virtual ~UpdateControls() = default;
  virtual std::string downloadAddress() = 0;  // GBK
  virtual std::string savePath() = 0;         // GBK
  // 立即更新 enabled, 停止更新 disabled.
  virtual void setIdleButtons() = 0;
  virtual int progressPosition() = 0;
  virtual void stopProgressTimer() = 0;
  // The window that owns the "下载完成" box (the splash window; may be none).
  virtual QWidget* completionMessageOwner() = 0;
  // An OK box with the default title; returns once it is answered.
  virtual void showMessage(const std::string& gbkText, QWidget* owner) = 0;
};

// The temporary file of a save path: the save path + ".temp".
std::string temporaryPathOf(const std::string& savePath);

// The file name of a path: the text after its last backslash or slash, or
// the whole path when it has none.
std::string fileNameOf(const std::string& path);

// Clears the way for the new file, continues an interrupted download from the
// size of its temporary file, gives a complete download its final name and
// tells the user the outcome. A transfer that fails keeps its temporary file
// for the next start and renames nothing. Once `stop` is requested the job
// ends as soon as it sees it: no rename, no message, no further control call.
void runUpdateDownload(UpdateControls& controls, DownloadState& state, std::stop_token stop = {});

}  // namespace qimubox
