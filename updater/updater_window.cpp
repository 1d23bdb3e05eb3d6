#include "updater/updater_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <cstdio>
#include <cstdlib>

#include "platform/desktop.h"
#include "platform/gbk_convert.h"
#include "platform/message_box.h"
#include "updater/download_progress.h"
#include "updater/stoppable_call.h"
#include "updater/update_job.h"

namespace qimubox {
namespace {

constexpr int kProgressPeriodMs = 1000;
// A stop is seen by the transfer within 100 ms; this allows for a slow disk.
constexpr std::chrono::milliseconds kStopWait{3000};

template <typename Control>
Control* control(QWidget* window, const char16_t* name) {
  return window->findChild<Control*>(QString::fromUtf16(name));
}

}  // namespace

// The job's view of the window: every call is carried to the GUI thread and
// given up when the download is stopped meanwhile.
class UpdaterWindow::JobControls : public UpdateControls {
 public:
  JobControls(UpdaterWindow& window, std::stop_token stop) : window_(window), stop_(std::move(stop)) {}

  std::string downloadAddress() override { return editText(u"编辑框_下载地址"); }
  std::string savePath() override { return editText(u"编辑框_保存路径"); }
  void setIdleButtons() override {
    runOnThreadOfUnlessStopped(&window_, [this] { window_.setIdleButtons(); }, stop_);
  }
  int progressPosition() override {
    return resultOnThreadOf<int>(
        &window_, [this] { return control<QProgressBar>(&window_, u"进度条_下载进度")->value(); }, stop_, 0);
  }
  void stopProgressTimer() override {
    runOnThreadOfUnlessStopped(&window_, [this] { window_.progressTimer().stop(); }, stop_);
  }
  QWidget* completionMessageOwner() override { return window_.splashWindow_; }
  void showMessage(const std::string& gbkText, QWidget* owner) override {
    runOnThreadOfUnlessStopped(&window_, [gbkText, owner] { messageBox(gbkText, kMessageOk, kDefaultMessageTitle, owner); },
                               stop_);
  }

 private:
  std::string editText(const char16_t* name) {
    return resultOnThreadOf<std::string>(
        &window_, [this, name] { return fromDisplay(control<QLineEdit>(&window_, name)->text()); }, stop_, {});
  }

  UpdaterWindow& window_;
  std::stop_token stop_;
};

// The progress display's labels, bar and timer in this window.
class UpdaterWindow::ProgressLabels : public ProgressView {
 public:
  explicit ProgressLabels(UpdaterWindow& window) : window_(window) {}

  void setLabelText(ProgressLabel label, const std::string& gbkText) override {
    control<QLabel>(&window_, labelName(label))->setText(toDisplay(gbkText));
  }
  void setBarPosition(int percent) override { bar()->setValue(percent); }
  int barPosition() const override { return bar()->value(); }
  void stopTimer() override { window_.progressTimer().stop(); }

 private:
  static const char16_t* labelName(ProgressLabel label) {
    switch (label) {
      case ProgressLabel::TotalSize:
        return u"标签_总大小";
      case ProgressLabel::Downloaded:
        return u"标签_已下载";
      case ProgressLabel::Elapsed:
        return u"标签_用时";
      case ProgressLabel::Percent:
        return u"标签_百分比";
      case ProgressLabel::RemainingSize:
        return u"标签_剩余大小";
      case ProgressLabel::Speed:
        return u"标签_速度";
      case ProgressLabel::RemainingTime:
        break;
    }
    return u"标签_剩余";
  }
  QProgressBar* bar() const { return control<QProgressBar>(&window_, u"进度条_下载进度"); }

  UpdaterWindow& window_;
};

UpdaterWindow::UpdaterWindow(const std::string& updateName, const std::string& updateAddress,
                             const std::string& updateLog, QWidget* splashWindow)
    : splashWindow_(splashWindow), exitAction_([] {
        // At once: neither the event loop nor other windows' worker threads
        // are waited for. Every written chunk has already been flushed.
        std::fflush(nullptr);
        std::_Exit(0);
      }) {
  control<QLineEdit>(this, u"编辑框_保存路径")->setText(toDisplay(desktopFolder() + updateName + ".zip"));
  control<QLineEdit>(this, u"编辑框_下载地址")->setText(toDisplay(updateAddress));
  control<QPlainTextEdit>(this, u"编辑框1")->setPlainText(toDisplay(updateLog));

  connect(control<QPushButton>(this, u"按钮_下载"), &QPushButton::clicked, this, &UpdaterWindow::startDownload);
  connect(control<QPushButton>(this, u"按钮_停止"), &QPushButton::clicked, this, &UpdaterWindow::stopDownload);
  connect(control<QPushButton>(this, u"按钮_停止1"), &QPushButton::clicked, this, &UpdaterWindow::exitProgram);
  connect(&progressTimer(), &QTimer::timeout, this, &UpdaterWindow::showProgress);
}

UpdaterWindow::~UpdaterWindow() = default;

void UpdaterWindow::setExitAction(std::function<void()> action) { exitAction_ = std::move(action); }

void UpdaterWindow::startDownload() {
  const bool started = download_.start([this](std::stop_token stop) {
    JobControls controls(*this, stop);
    runUpdateDownload(controls, state_, stop);
  });
  if (!started) {
    messageBox("\xCE\xB4\xD6\xAA\xD4\xAD\xD2\xF2\xA3\xAC\xCE\xDE\xB7\xA8\xCF\xC2\xD4\xD8");  // 未知原因，无法下载
    return;
  }
  control<QPushButton>(this, u"按钮_下载")->setEnabled(false);
  progressTimer().start(kProgressPeriodMs);
  control<QPushButton>(this, u"按钮_停止")->setEnabled(true);
}

void UpdaterWindow::stopDownload() {
  // The transfer closes its file on its way out; once the thread has ended,
  // no further byte reaches the temporary file.
  if (!download_.stop(kStopWait)) {
    messageBox("\xCE\xDE\xB7\xA8\xCD\xA3\xD6\xB9\xA3\xAC\xCE\xB4\xD6\xAA\xD4\xAD\xD2\xF2");  // 无法停止，未知原因
    return;
  }
  control<QPushButton>(this, u"按钮_停止")->setEnabled(false);
  progressTimer().stop();
  control<QPushButton>(this, u"按钮_下载")->setEnabled(true);
}

void UpdaterWindow::exitProgram() {
  // Ending the transfer first leaves whole chunks in the temporary file.
  download_.stop(kStopWait);
  exitAction_();
}

void UpdaterWindow::setIdleButtons() {
  control<QPushButton>(this, u"按钮_下载")->setEnabled(true);
  control<QPushButton>(this, u"按钮_停止")->setEnabled(false);
}

void UpdaterWindow::showProgress() {
  ProgressLabels labels(*this);
  showDownloadProgress(state_, labels);
}

UpdaterWindow* openUpdaterWindow(const std::string& updateName, const std::string& updateAddress,
                                 const std::string& updateLog, QWidget* splashWindow) {
  auto* window = new UpdaterWindow(updateName, updateAddress, updateLog, splashWindow);
  window->show();
  return window;
}

}  // namespace qimubox
