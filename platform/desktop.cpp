#include "platform/desktop.h"

#include <QDir>
#include <QStandardPaths>
#include <chrono>

#include "platform/gbk_convert.h"

namespace qimubox {

std::string desktopFolder() {
  QString folder = QDir::toNativeSeparators(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
  if (!folder.endsWith(QDir::separator())) folder += QDir::separator();
  return fromDisplay(folder);
}

std::int64_t uptimeMilliseconds() {
  const auto since = std::chrono::steady_clock::now().time_since_epoch();
  return std::chrono::duration_cast<std::chrono::milliseconds>(since).count();
}

}  // namespace qimubox
