// The login behind the splash window's 进入软件: connect, select the
// database, switch to GBK, read the settings on the settings thread while the
// window keeps running, then hand over to the version gate.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "browser/program_state.h"

namespace qimubox {

class SplashForm;

struct DatabaseAddress {
  std::string host;
  unsigned port = 0;
  std::string user;
  std::string password;
};

// The build's catalog server and account.
DatabaseAddress buildDatabaseAddress();

class LoginSequence : public QObject {
  Q_OBJECT

 public:
  static constexpr int kMinimumSettingsWaitMilliseconds = 200;

  // `settingsRead` runs on the GUI thread once the settings thread has been
  // joined; `endProgram` ends the program with an exit code.
  LoginSequence(SplashForm& splash, ProgramState& state, DatabaseAddress database, std::function<void()> settingsRead,
                std::function<void(int code)> endProgram);
  // Waits for a settings read still running: it holds the connection.
  ~LoginSequence() override;

  // 进入软件. Runs once; later clicks do nothing.
  void login();

 private:
  // One tick of the wait: hands over when 200 ms have passed and the
  // settings thread has finished.
  void checkSettingsRead();

  SplashForm& splash_;
  ProgramState& state_;
  const DatabaseAddress database_;
  std::function<void()> settingsRead_;
  std::function<void(int)> endProgram_;
  bool started_ = false;
  QTimer settingsPoll_;
  QElapsedTimer waited_;
  std::atomic<bool> settingsDone_{false};
  std::thread settingsThread_;
};

}  // namespace qimubox
