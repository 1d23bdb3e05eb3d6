// The version gate at the end of the login: the main window when the
// published version is the running one, otherwise the updater window, after
// a question unless the update is forced.
#pragma once

#include <functional>

#include "browser/program_state.h"

class QWidget;

namespace qimubox {

struct GateWindows {
  std::function<void()> openMainWindow;
  std::function<void()> openUpdaterWindow;
};

// Sets state.runningVersion, loads the next window and hides `splash`.
void runVersionGate(ProgramState& state, const GateWindows& windows, QWidget& splash);

}  // namespace qimubox
