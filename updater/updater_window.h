// The updater window: shows the update log, downloads the new version to the
// desktop on its own thread, shows the progress once a second, and can end
// the program.
#pragma once

#include <functional>
#include <string>

#include "forms/updater_form.h"
#include "updater/download_state.h"
#include "updater/download_thread.h"

namespace qimubox {

class UpdaterWindow : public UpdaterForm {
  Q_OBJECT

 public:
  // `updateName` (zxbbmc) names the file on the desktop, `updateAddress`
  // (gxdz) is downloaded, `updateLog` (gxrz) is shown; all GBK. The
  // "下载完成" box is owned by `splashWindow` (may be none).
  UpdaterWindow(const std::string& updateName, const std::string& updateAddress, const std::string& updateLog,
                QWidget* splashWindow = nullptr);
  // Stops a running download; its temporary file stays for the next start.
  ~UpdaterWindow() override;

  // What "退出" does once the download thread has ended. The default ends the
  // process at once with exit code 0.
  void setExitAction(std::function<void()> action);

  const DownloadState& downloadState() const { return state_; }
  bool downloadRunning() const { return download_.running(); }

 private:
  class JobControls;
  class ProgressLabels;

  void startDownload();
  void stopDownload();
  void exitProgram();
  void setIdleButtons();
  void showProgress();

  QWidget* splashWindow_;
  std::function<void()> exitAction_;
  DownloadState state_;
  // Last member: destroyed first, so the job never outlives what it uses.
  DownloadThread download_;
};

// Loads the updater window, not modal and without an owner, and shows it.
UpdaterWindow* openUpdaterWindow(const std::string& updateName, const std::string& updateAddress,
                                 const std::string& updateLog, QWidget* splashWindow = nullptr);

}  // namespace qimubox
