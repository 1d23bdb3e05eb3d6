#include "tests/browser/browser_fixture.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTest>

#include "forms/controls/part_status_bar.h"
#include "platform/gbk_convert.h"
#include "platform/http_read.h"

namespace qimubox::testing {

StatementLog::StatementLog() {
  setStatementObserver([this](const std::string& statement) {
    const std::lock_guard<std::mutex> hold(mutex_);
    statements_.push_back(statement);
  });
}

StatementLog::~StatementLog() { setStatementObserver({}); }

std::vector<std::string> StatementLog::statements() const {
  const std::lock_guard<std::mutex> hold(mutex_);
  return statements_;
}

bool StatementLog::contains(const std::string& statement) const {
  const std::lock_guard<std::mutex> hold(mutex_);
  return std::find(statements_.begin(), statements_.end(), statement) != statements_.end();
}

void StatementLog::clear() {
  const std::lock_guard<std::mutex> hold(mutex_);
  statements_.clear();
}

std::vector<CatalogEntry> entries(int count, const std::string& fl, const std::string& prefix) {
  std::vector<CatalogEntry> made;
  for (int n = 1; n <= count; ++n) {
    CatalogEntry entry;
    entry.fl = fl;
    entry.mc = prefix + std::to_string(n);
    entry.jj = "intro " + prefix + std::to_string(n);
    entry.xzdz = "http://127.0.0.1:1/" + prefix + std::to_string(n) + ".zip";
    entry.gxsj = "2026-01-" + std::to_string(n % 28 + 1);
    entry.rjdx = std::to_string(n) + "MB";
    made.push_back(entry);
  }
  return made;
}

SiteSettings settingsWithVersion(const std::string& zxbb) {
  SiteSettings settings;
  settings.ggnr = "notice <a href=\"http://127.0.0.1:1/\">link</a>";
  settings.zxbb = zxbb;
  settings.qlj = "http://127.0.0.1:1/group";
  return settings;
}

MainWindowHooks MainWindowTest::testHooks() {
  MainWindowHooks made;
  made.openUpdater = [this] { ++updaterOpened; };
  made.exitProgram = [this](int code) { exitCodes.push_back(code); };
  made.statsHost = "127.0.0.1:1";  // refused at once
  made.statsFetch = httpReadFile;
  made.statsRetryWait = std::chrono::milliseconds(1);
  made.bannerFetch = [](const std::string&) { return std::string(); };
  return made;
}

void MainWindowTest::open(const std::vector<CatalogEntry>& catalog, const SiteSettings& settings) {
  window.reset();
  log.reset();
  testdb::CatalogFixture fixture;
  fixture.settings = {settings};
  fixture.entries = catalog;
  ASSERT_TRUE(testdb::loadCatalog(fixture));
  state.connection = testdb::connectAsTool();
  ASSERT_NE(state.connection, nullptr);
  state.settings = settings;
  state.runningVersion = "V1.0";
  if (!state.announcementLabel) state.announcementLabel = std::make_unique<RichTextLabel>();
  log = std::make_unique<StatementLog>();
  window = std::make_unique<MainWindow>(state, hooks);
  window->show();
}

void MainWindowTest::TearDown() {
  window.reset();
  log.reset();
}

std::string MainWindowTest::text(const char* labelName) { return fromDisplay(find<QLabel>(labelName).text()); }

void MainWindowTest::click(const char* buttonName) { find<QAbstractButton>(buttonName).click(); }

std::string MainWindowTest::statusPart(int part) { return find<PartStatusBar>("状态条1").partText(part); }

}  // namespace qimubox::testing
