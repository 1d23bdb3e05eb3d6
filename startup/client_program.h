// The program: start-up in its fixed order (the label module, the one label
// object, the splash window), the login and the gate, the windows they load,
// and at its end the exit routine that releases everything.
#pragma once

#include <functional>
#include <memory>

#include "browser/main_window.h"
#include "browser/program_state.h"
#include "forms/splash_form.h"
#include "startup/login_sequence.h"
#include "updater/updater_window.h"

namespace qimubox {

struct ClientOptions {
  DatabaseAddress database = buildDatabaseAddress();
  // Ends the program with an exit code; the exit routine runs when the
  // ClientProgram goes.
  std::function<void(int code)> endProgram;
  // The main window's hooks; openUpdater and exitProgram are set here.
  MainWindowHooks mainWindow;
};

// The options of the real program: the build's servers, ending the event loop.
ClientOptions defaultClientOptions();

class ClientProgram {
 public:
  // Start-up: needs the application object; shows the splash window.
  explicit ClientProgram(ClientOptions options);
  // The exit routine: the windows, then the label object and every text.
  ~ClientProgram();
  ClientProgram(const ClientProgram&) = delete;
  ClientProgram& operator=(const ClientProgram&) = delete;

  ProgramState& state() { return state_; }
  SplashForm& splash() { return *splash_; }
  LoginSequence& login() { return *login_; }
  MainWindow* mainWindow() { return mainWindow_.get(); }
  UpdaterWindow* updaterWindow() { return updaterWindow_.get(); }

 private:
  void openMainWindow();
  void openUpdaterWindow();

  ClientOptions options_;
  ProgramState state_;
  // Windows after the state they use, so they go first.
  std::unique_ptr<SplashForm> splash_;
  std::unique_ptr<LoginSequence> login_;
  std::unique_ptr<MainWindow> mainWindow_;
  std::unique_ptr<UpdaterWindow> updaterWindow_;
};

}  // namespace qimubox
