#include "tests/support/scripted_seams.h"

namespace qimubox::testing {

ScriptedMessageBoxes::ScriptedMessageBoxes()
    : previous_(setMessageBoxHandler([this](const MessageBoxRequest& request) { return answer(request); })) {}

ScriptedMessageBoxes::~ScriptedMessageBoxes() { setMessageBoxHandler(std::move(previous_)); }

void ScriptedMessageBoxes::answerNext(int result) {
  std::lock_guard lock(mutex_);
  answers_.push_back(result);
}

std::vector<MessageBoxRequest> ScriptedMessageBoxes::shown() const {
  std::lock_guard lock(mutex_);
  return shown_;
}

std::size_t ScriptedMessageBoxes::count() const {
  std::lock_guard lock(mutex_);
  return shown_.size();
}

int ScriptedMessageBoxes::answer(const MessageBoxRequest& request) {
  std::lock_guard lock(mutex_);
  shown_.push_back(request);
  if (!answers_.empty()) {
    const int result = answers_.front();
    answers_.pop_front();
    return result;
  }
  return (request.style & kMessageYesNo) == kMessageYesNo ? kAnswerNo : kAnswerOk;
}

RecordedShellOpens::RecordedShellOpens()
    : previous_(setShellOpenHandler([this](const ShellOpenRequest& request) {
        std::lock_guard lock(mutex_);
        opened_.push_back(request);
      })) {}

RecordedShellOpens::~RecordedShellOpens() { setShellOpenHandler(std::move(previous_)); }

std::vector<ShellOpenRequest> RecordedShellOpens::opened() const {
  std::lock_guard lock(mutex_);
  return opened_;
}

}  // namespace qimubox::testing
