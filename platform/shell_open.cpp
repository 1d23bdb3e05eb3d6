#include "platform/shell_open.h"

#include <QDesktopServices>
#include <QUrl>
#include <mutex>

#include "platform/gbk_convert.h"
#include "platform/gui_thread.h"

namespace qimubox {
namespace {

std::mutex handlerMutex;
ShellOpenHandler& installedHandler() {
  static ShellOpenHandler handler;
  return handler;
}

void openWithDesktop(const ShellOpenRequest& request) {
  const QString address = toDisplay(request.address);
  runOnThreadOf(guiContext(), [address] { QDesktopServices::openUrl(QUrl::fromUserInput(address)); });
}

}  // namespace

ShellOpenHandler setShellOpenHandler(ShellOpenHandler handler) {
  std::lock_guard lock(handlerMutex);
  return std::exchange(installedHandler(), std::move(handler));
}

void shellOpen(const std::string& address, const std::string& verb) {
  ShellOpenHandler handler;
  {
    std::lock_guard lock(handlerMutex);
    handler = installedHandler();
  }
  const ShellOpenRequest request{address, verb};
  if (handler)
    handler(request);
  else
    openWithDesktop(request);
}

}  // namespace qimubox
