#include "startup/login_sequence.h"

#include <utility>

#include "forms/controls/picture_box.h"
#include "forms/splash_form.h"
#include "platform/message_box.h"
#include "qimubox/build_values.h"
#include "startup/site_settings.h"

namespace qimubox {

namespace {

constexpr int kSettingsPollMilliseconds = 10;
// " 数据库链接失败，请检查网络", the leading blank included.
const char* const kConnectFailed =
    " \xCA\xFD\xBE\xDD\xBF\xE2\xC1\xB4\xBD\xD3\xCA\xA7\xB0\xDC\xA3\xAC\xC7\xEB\xBC\xEC\xB2\xE9\xCD\xF8\xC2\xE7";

}  // namespace

DatabaseAddress buildDatabaseAddress() {
  return {build::databaseHost, build::databasePort, build::databaseUser, build::databasePassword};
}

LoginSequence::LoginSequence(SplashForm& splash, ProgramState& state, DatabaseAddress database,
                             std::function<void()> settingsRead, std::function<void(int)> endProgram)
    : splash_(splash),
      state_(state),
      database_(std::move(database)),
      settingsRead_(std::move(settingsRead)),
      endProgram_(std::move(endProgram)) {
  settingsPoll_.setInterval(kSettingsPollMilliseconds);
  connect(&settingsPoll_, &QTimer::timeout, this, &LoginSequence::checkSettingsRead);
}

LoginSequence::~LoginSequence() {
  if (settingsThread_.joinable()) settingsThread_.join();
}

void LoginSequence::login() {
  if (started_) return;
  started_ = true;
  splash_.ui().图片框13->setVisible(false);
  splash_.ui().图片框1->setVisible(true);
  // The connect below blocks this thread; paint the animation's first frame before it.
  splash_.ui().图片框1->repaint();

  state_.connection = qimubox::connect(database_.host, database_.user, database_.password, std::string(), database_.port);
  if (!state_.connection) {
    messageBox(kConnectFailed);
    endProgram_(0);
    return;
  }
  selectDatabase(state_.connection.get(), build::databaseName);
  execute(state_.connection.get(), "SET NAMES GBK");

  // From here until the join the settings thread alone uses the connection
  // and writes the settings.
  DbConnection* connection = state_.connection.get();
  SiteSettings* settings = &state_.settings;
  settingsThread_ = std::thread([this, connection, settings] {
    readSiteSettings(connection, *settings);
    settingsDone_.store(true, std::memory_order_release);
  });
  waited_.start();
  settingsPoll_.start();
}

void LoginSequence::checkSettingsRead() {
  if (waited_.elapsed() < kMinimumSettingsWaitMilliseconds || !settingsDone_.load(std::memory_order_acquire)) return;
  settingsPoll_.stop();
  settingsThread_.join();
  settingsRead_();
}

}  // namespace qimubox
