#include "startup/version_gate.h"

#include <QWidget>

#include "browser/version_check.h"
#include "platform/message_box.h"

namespace qimubox {

void runVersionGate(ProgramState& state, const GateWindows& windows, QWidget& splash) {
  state.runningVersion = kRunningVersion;
  if (isRunningVersion(state.runningVersion, state.settings.zxbb)) {
    windows.openMainWindow();
  } else if (!isSwitchOn(state.settings.qzgx)) {
    if (messageBox(kUpdateQuestion, kMessageYesNo) == kAnswerYes) {
      windows.openUpdaterWindow();
    } else {
      windows.openMainWindow();
    }
  } else {
    windows.openUpdaterWindow();
  }
  splash.setVisible(false);
}

}  // namespace qimubox
