// The client against a private server holding 1 000 or 100 000 synthetic
// entries: a paging click until list and detail panel are filled (the icon
// addresses point at a loopback port nobody serves), the login click until
// the main window is filled, and searches until the list is filled.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <memory>

#include "browser/main_window.h"
#include "forms/controls/super_list_box.h"
#include "platform/gbk_convert.h"
#include "qimubox/build_values.h"
#include "startup/client_program.h"
#include "tests/support/db/test_database.h"
#include "tests/support/scripted_seams.h"

namespace qimubox {
namespace {

const std::string kSoft = "\xC8\xED\xBC\xFE";  // 软件, the synthetic names' prefix

testdb::PrivateServer& server() {
  static testdb::PrivateServer instance("bench-browser-mariadb", "schema-only");
  return instance;
}

bool catalogOf(benchmark::State& state, int entries) {
  static int loaded = -1;
  if (!server().running()) {
    state.SkipWithError("the private server did not start");
    return false;
  }
  if (loaded == entries) return true;
  testdb::CatalogFixture fixture;
  SiteSettings settings;
  settings.zxbb = "V1.0";
  fixture.settings = {settings};
  if (!testdb::loadCatalog(fixture, server().state()) || !testdb::insertSyntheticEntries(entries, server().state())) {
    state.SkipWithError("loading the catalog failed");
    return false;
  }
  loaded = entries;
  return true;
}

MainWindowHooks quietHooks() {
  MainWindowHooks hooks;
  hooks.openUpdater = [] {};
  hooks.exitProgram = [](int) {};
  hooks.statsHost = "127.0.0.1:1";
  hooks.statsFetch = [](const std::string&) { return std::string(); };
  hooks.statsRetryWait = std::chrono::milliseconds(1);
  hooks.bannerFetch = [](const std::string&) { return std::string(); };
  return hooks;
}

// A main window on the bench catalog.
struct OpenWindow {
  ProgramState program;
  std::unique_ptr<MainWindow> window;

  OpenWindow() {
    program.connection = testdb::connectAsTool(server().state());
    program.runningVersion = "V1.0";
    program.announcementLabel = std::make_unique<RichTextLabel>();
    window = std::make_unique<MainWindow>(program, quietHooks());
    window->show();
    QCoreApplication::processEvents();
  }
};

void BM_PagingClick(benchmark::State& state) {
  if (!catalogOf(state, static_cast<int>(state.range(0)))) return;
  OpenWindow open;
  auto* jumpBox = open.window->findChild<QLineEdit*>(QStringLiteral("编辑框2"));
  auto* jump = open.window->findChild<QPushButton*>(QStringLiteral("按钮_跳转"));
  int page = 2;
  for (auto _ : state) {
    state.PauseTiming();
    jumpBox->setText(QString::number(page));
    page = page == 2 ? 3 : 2;
    state.ResumeTiming();
    jump->click();  // loads the page, selects row 0, fills the panel
  }
  state.counters["rows"] = open.window->pages().list(0).rowCount();
}
BENCHMARK(BM_PagingClick)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_LoginToMainWindow(benchmark::State& state) {
  if (!catalogOf(state, static_cast<int>(state.range(0)))) return;
  testing::ScriptedMessageBoxes boxes;
  for (auto _ : state) {
    ClientOptions options;
    options.database = {testdb::serverHost, server().state().port, build::databaseUser, build::databasePassword};
    options.endProgram = [](int) {};
    options.mainWindow = quietHooks();
    ClientProgram program(std::move(options));
    QElapsedTimer clock;
    clock.start();
    program.splash().ui().login->click();
    while (program.mainWindow() == nullptr) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);  // the exit routine is not part of it
  }
}
BENCHMARK(BM_LoginToMainWindow)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

void searchFor(benchmark::State& state, const std::string& typed) {
  if (!catalogOf(state, static_cast<int>(state.range(0)))) return;
  testing::ScriptedMessageBoxes boxes;
  OpenWindow open;
  open.window->findChild<QLineEdit*>(QStringLiteral("编辑框4"))->setText(toDisplay(typed));
  for (auto _ : state) open.window->search().runSearch();
  state.counters["rows"] = open.window->pages().list(0).rowCount();
}

void BM_SearchOneTerm(benchmark::State& state) { searchFor(state, kSoft + "123"); }
BENCHMARK(BM_SearchOneTerm)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_SearchTwoTerms(benchmark::State& state) { searchFor(state, kSoft + "123," + kSoft + "456"); }
BENCHMARK(BM_SearchTwoTerms)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qimubox

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
