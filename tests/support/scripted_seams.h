// Test doubles for the message-box and shell-open seams: every box is recorded
// and answered from a script, every opened address is recorded; nothing is
// shown and no browser starts. Both are installed for the object's lifetime.
#pragma once

#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "platform/message_box.h"
#include "platform/shell_open.h"

namespace qimubox::testing {

class ScriptedMessageBoxes {
 public:
  ScriptedMessageBoxes();
  ~ScriptedMessageBoxes();
  ScriptedMessageBoxes(const ScriptedMessageBoxes&) = delete;
  ScriptedMessageBoxes& operator=(const ScriptedMessageBoxes&) = delete;

  // Answers for the next boxes in order; without one a box answers OK (0),
  // or No (6) when it asks Yes/No.
  void answerNext(int result);
  std::vector<MessageBoxRequest> shown() const;
  std::size_t count() const;

 private:
  int answer(const MessageBoxRequest& request);

  mutable std::mutex mutex_;
  std::deque<int> answers_;
  std::vector<MessageBoxRequest> shown_;
  MessageBoxHandler previous_;
};

class RecordedShellOpens {
 public:
  RecordedShellOpens();
  ~RecordedShellOpens();
  RecordedShellOpens(const RecordedShellOpens&) = delete;
  RecordedShellOpens& operator=(const RecordedShellOpens&) = delete;

  std::vector<ShellOpenRequest> opened() const;

 private:
  mutable std::mutex mutex_;
  std::vector<ShellOpenRequest> opened_;
  ShellOpenHandler previous_;
};

}  // namespace qimubox::testing
