#include "startup/client_program.h"

#include <QCoreApplication>
#include <QPushButton>
#include <utility>

#include "richlabel/shared_handles.h"
#include "richlabel/stream_image.h"
#include "startup/version_gate.h"

namespace qimubox {

ClientOptions defaultClientOptions() {
  ClientOptions options;
  options.endProgram = [](int code) { QCoreApplication::exit(code); };
  options.mainWindow = defaultMainWindowHooks({}, {});
  return options;
}

ClientProgram::ClientProgram(ClientOptions options) : options_(std::move(options)) {
  StartGraphics();
  CreateSharedHandles();
  state_.announcementLabel = std::make_unique<RichTextLabel>();

  splash_ = std::make_unique<SplashForm>();
  login_ = std::make_unique<LoginSequence>(
      *splash_, state_, options_.database,
      [this] { runVersionGate(state_, {[this] { openMainWindow(); }, [this] { openUpdaterWindow(); }}, *splash_); },
      options_.endProgram);
  Ui::SplashForm& ui = splash_->ui();
  QObject::connect(ui.login, &QPushButton::clicked, login_.get(), [this] { login_->login(); });
  QObject::connect(ui.关闭2, &QPushButton::clicked, splash_.get(), [this] {
    splash_->close();
    options_.endProgram(0);
  });
  QObject::connect(ui.关闭3, &QPushButton::clicked, splash_.get(), [this] { splash_->showMinimized(); });
  splash_->show();
}

ClientProgram::~ClientProgram() {
  // The windows paint through the label object and read the state: they go
  // first (the member order ensures it), the label object and texts after.
  updaterWindow_.reset();
  mainWindow_.reset();
  login_.reset();
  splash_.reset();
}

void ClientProgram::openMainWindow() {
  MainWindowHooks hooks = options_.mainWindow;
  hooks.openUpdater = [this] { openUpdaterWindow(); };
  hooks.exitProgram = options_.endProgram;
  mainWindow_ = std::make_unique<MainWindow>(state_, std::move(hooks));
  mainWindow_->show();
}

void ClientProgram::openUpdaterWindow() {
  const SiteSettings& settings = state_.settings;
  updaterWindow_.reset(qimubox::openUpdaterWindow(settings.zxbbmc, settings.gxdz, settings.gxrz, splash_.get()));
  updaterWindow_->setExitAction([this] { options_.endProgram(0); });
}

}  // namespace qimubox
