// A main window over the test database: each test loads its own catalog,
// opens the window against it and reads the controls back. Boxes are
// answered by script, shell opens recorded, statements observed; the
// statistics endpoint is a refused loopback port unless a test gives one.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "browser/main_window.h"
#include "tests/support/db/test_database.h"
#include "tests/support/scripted_seams.h"

namespace qimubox::testing {

// GBK texts of the tests, by name.
inline const std::string kPlayer = "\xB2\xA5\xB7\xC5\xC6\xF7";  // 播放器
inline const std::string kMusic = "\xD2\xF4\xC0\xD6";           // 音乐
inline const std::string kVideo = "\xCA\xD3\xC6\xB5";           // 视频
inline const std::string kGame = "\xD3\xCE\xCF\xB7";            // 游戏
inline const std::string kOn = "\xBF\xAA";                      // 开
inline const std::string kHint = "\xCC\xE1\xCA\xBE";            // 提示

// Records every statement sent while it lives.
class StatementLog {
 public:
  StatementLog();
  ~StatementLog();
  std::vector<std::string> statements() const;
  bool contains(const std::string& statement) const;
  void clear();

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> statements_;
};

// `count` entries of category `fl` named prefix + number, newest id last.
std::vector<CatalogEntry> entries(int count, const std::string& fl, const std::string& prefix = "e");

SiteSettings settingsWithVersion(const std::string& zxbb);

class MainWindowTest : public ::testing::Test {
 protected:
  // Loads the catalog and opens the window on it.
  void open(const std::vector<CatalogEntry>& catalog, const SiteSettings& settings = settingsWithVersion("V1.0"));
  void TearDown() override;

  template <class Control>
  Control& find(const char* name) {
    auto* found = window->findChild<Control*>(QString::fromUtf8(name));
    if (found == nullptr) throw std::runtime_error(name);
    return *found;
  }
  std::string text(const char* labelName);
  void click(const char* buttonName);
  std::string statusPart(int part);

  ScriptedMessageBoxes boxes;
  RecordedShellOpens shellOpens;
  ProgramState state;
  MainWindowHooks hooks = testHooks();
  std::unique_ptr<MainWindow> window;
  std::vector<int> exitCodes;
  int updaterOpened = 0;
  std::unique_ptr<StatementLog> log;

 private:
  MainWindowHooks testHooks();
};

}  // namespace qimubox::testing
