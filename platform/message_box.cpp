#include "platform/message_box.h"

#include <QMessageBox>
#include <mutex>

#include "platform/gbk_convert.h"
#include "platform/gui_thread.h"

namespace qimubox {
namespace {

std::mutex handlerMutex;
MessageBoxHandler& installedHandler() {
  static MessageBoxHandler handler;
  return handler;
}

int runHandler(const MessageBoxRequest& request) {
  MessageBoxHandler handler;
  {
    std::lock_guard lock(handlerMutex);
    handler = installedHandler();
  }
  return handler ? handler(request) : showQtMessageBox(request);
}

}  // namespace

MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler) {
  std::lock_guard lock(handlerMutex);
  return std::exchange(installedHandler(), std::move(handler));
}

int messageBox(const std::string& text, int style, const std::string& title, QWidget* owner) {
  const MessageBoxRequest request{text, style, title, owner};
  if (onGuiThread()) return runHandler(request);
  int result = kAnswerOk;
  runOnThreadOfAndWait(guiContext(), [&] { result = runHandler(request); });
  return result;
}

int showQtMessageBox(const MessageBoxRequest& request) {
  const bool yesNo = (request.style & kMessageYesNo) == kMessageYesNo;
  const QMessageBox::Icon icon =
      (request.style & kMessageInformation) == kMessageInformation ? QMessageBox::Information : QMessageBox::NoIcon;
  QMessageBox box(icon, toDisplay(request.title), toDisplay(request.text),
                  yesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok, request.owner);
  const int button = box.exec();
  if (button == QMessageBox::Yes) return kAnswerYes;
  if (button == QMessageBox::No) return kAnswerNo;
  return kAnswerOk;
}

}  // namespace qimubox
