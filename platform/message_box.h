// The message-box seam. Every box the program shows goes through
// messageBox(); tests install a handler that records the boxes and answers them.
#pragma once

#include <functional>
#include <string>

class QWidget;

namespace qimubox {

enum MessageBoxStyle : int { kMessageOk = 0, kMessageYesNo = 4, kMessageInformation = 64 };
enum MessageBoxResult : int { kAnswerOk = 0, kAnswerYes = 5, kAnswerNo = 6 };

inline const std::string kDefaultMessageTitle = "\xD0\xC5\xCF\xA2\xA3\xBA";  // 信息：

struct MessageBoxRequest {
  std::string text;   // GBK
  int style = kMessageOk;
  std::string title;  // GBK
  QWidget* owner = nullptr;
};

using MessageBoxHandler = std::function<int(const MessageBoxRequest&)>;

// Shows a box and blocks the calling thread until it is answered. A call from
// a worker thread is carried to the GUI thread; the handler always runs there.
// Returns 0 for OK, 5 for Yes, 6 for No.
int messageBox(const std::string& text, int style = kMessageOk, const std::string& title = kDefaultMessageTitle,
               QWidget* owner = nullptr);

// Installs a handler (an empty one restores the real Qt box) and returns the previous one.
MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler);

// The real box: a QMessageBox with the style's buttons and icon.
int showQtMessageBox(const MessageBoxRequest& request);

}  // namespace qimubox
