// The splash window's login and the version gate, against the test database.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <thread>

#include "forms/controls/picture_box.h"
#include "qimubox/build_values.h"
#include "startup/client_program.h"
#include "tests/browser/browser_fixture.h"

namespace qimubox::testing {
namespace {

const std::string kUpdateQuestion =
    "\xB5\xB1\xC7\xB0\xD2\xD1\xD3\xD0\xD0\xC2\xB0\xE6\xB1\xBE\xCA\xC7\xB7\xF1\xB8\xFC\xD0\xC2";  // 当前已有新版本是否更新
const std::string kConnectFailed =
    " \xCA\xFD\xBE\xDD\xBF\xE2\xC1\xB4\xBD\xD3\xCA\xA7\xB0\xDC\xA3\xAC\xC7\xEB\xBC\xEC\xB2\xE9\xCD\xF8\xC2\xE7";

class Login : public ::testing::Test {
 protected:
  ClientOptions options(unsigned port) {
    ClientOptions made;
    made.database = {testdb::serverHost, port, build::databaseUser, build::databasePassword};
    made.endProgram = [this](int code) { exitCodes.push_back(code); };
    made.mainWindow.statsHost = "127.0.0.1:1";
    made.mainWindow.statsFetch = [](const std::string&) { return std::string(); };
    made.mainWindow.statsRetryWait = std::chrono::milliseconds(1);
    made.mainWindow.bannerFetch = [](const std::string&) { return std::string(); };
    return made;
  }
  void start(const std::vector<SiteSettings>& settings) {
    testdb::CatalogFixture fixture;
    fixture.settings = settings;
    fixture.entries = entries(3, "1");
    ASSERT_TRUE(testdb::loadCatalog(fixture));
    log = std::make_unique<StatementLog>();
    program = std::make_unique<ClientProgram>(options(testdb::testServer().port));
  }
  void clickLogin() { program->splash().ui().login->click(); }
  bool handedOver() { return program->mainWindow() != nullptr || program->updaterWindow() != nullptr; }
  int sent(const std::string& statement) {
    const std::vector<std::string> all = log->statements();
    return static_cast<int>(std::count(all.begin(), all.end(), statement));
  }
  void TearDown() override {
    program.reset();
    log.reset();
  }

  ScriptedMessageBoxes boxes;
  std::vector<int> exitCodes;
  std::unique_ptr<StatementLog> log;
  std::unique_ptr<ClientProgram> program;
};

SiteSettings settings(const std::string& zxbb, const std::string& qzgx) {
  SiteSettings made = settingsWithVersion(zxbb);
  made.qzgx = qzgx;
  made.gxdz = "http://127.0.0.1:1/update.zip";
  made.zxbbmc = "qimubox-update";
  return made;
}

TEST_F(Login, VersionGateBranches) {
  struct Case {
    const char* what;
    std::vector<SiteSettings> rows;
    int answer;  // to the question, when one is asked
    bool asked;
    bool mainWindow;
  };
  const std::vector<Case> cases = {
      {"same version", {settings("V1.0", "")}, kAnswerNo, false, true},
      {"same version, forced", {settings("V1.0", kOn)}, kAnswerNo, false, true},
      {"newer, forced", {settings("V1.1", kOn)}, kAnswerNo, false, false},
      {"older, No", {settings("V0.9", "")}, kAnswerNo, true, true},
      {"older, Yes", {settings("V0.9", "")}, kAnswerYes, true, false},
      {"lower case", {settings("v1.0", "")}, kAnswerNo, true, true},
      {"trailing blank", {settings("V1.0 ", "")}, kAnswerNo, true, true},
      {"switch not exactly on", {settings("V1.1", "ON")}, kAnswerNo, true, true},
      {"empty ht", {}, kAnswerNo, true, true},
      {"two rows, the first counts", {settings("V1.0", ""), settings("V2.0", kOn)}, kAnswerNo, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScriptedMessageBoxes caseBoxes;  // answers this case's boxes only
    caseBoxes.answerNext(c.answer);
    start(c.rows);
    clickLogin();
    QTRY_VERIFY(handedOver());
    EXPECT_EQ(caseBoxes.count(), c.asked ? 1u : 0u);
    if (caseBoxes.count() == 1) {
      EXPECT_EQ(caseBoxes.shown()[0].text, kUpdateQuestion);
      EXPECT_EQ(caseBoxes.shown()[0].style, kMessageYesNo);
      EXPECT_EQ(caseBoxes.shown()[0].title, kDefaultMessageTitle);
    }
    EXPECT_EQ(program->mainWindow() != nullptr, c.mainWindow);
    EXPECT_EQ(program->updaterWindow() != nullptr, !c.mainWindow);
    if (program->mainWindow() != nullptr) {
      EXPECT_TRUE(program->mainWindow()->isVisible());
    }
    if (program->updaterWindow() != nullptr) {
      EXPECT_TRUE(program->updaterWindow()->isVisible());
    }
    EXPECT_FALSE(program->splash().isVisible());
    EXPECT_EQ(program->state().runningVersion, "V1.0");
    EXPECT_TRUE(exitCodes.empty());
    program.reset();
  }
}

TEST_F(Login, SequenceOfStatementsAndSecondClickIgnored) {
  start({settings("V1.0", "")});
  EXPECT_FALSE(program->splash().ui().图片框1->isVisible());
  clickLogin();
  EXPECT_TRUE(program->splash().ui().图片框1->isVisible());
  EXPECT_FALSE(program->splash().ui().图片框13->isVisible());
  clickLogin();  // during the wait for the settings thread
  QTRY_VERIFY(handedOver());
  clickLogin();
  const std::vector<std::string> all = log->statements();
  ASSERT_GE(all.size(), 2u);
  EXPECT_EQ(all[0], "SET NAMES GBK");
  EXPECT_EQ(all[1], "SELECT * FROM ht");
  EXPECT_EQ(sent("SET NAMES GBK"), 1);
  EXPECT_EQ(sent("SELECT * FROM ht"), 1);
  EXPECT_EQ(program->state().settings.qlj, settings("V1.0", "").qlj);
}

TEST_F(Login, WaitsAtLeast200MillisecondsAndForASlowSettingsRead) {
  start({settings("V1.0", "")});
  log.reset();
  // The observer runs on the sending thread before the statement goes: the settings read takes 400 ms.
  setStatementObserver([](const std::string& statement) {
    if (statement == "SELECT * FROM ht") std::this_thread::sleep_for(std::chrono::milliseconds(400));
  });
  QElapsedTimer clock;
  clock.start();
  clickLogin();
  EXPECT_FALSE(handedOver());
  QTRY_VERIFY_WITH_TIMEOUT(handedOver(), 5000);
  EXPECT_GE(clock.elapsed(), 400);
  setStatementObserver({});
  EXPECT_NE(program->mainWindow(), nullptr);  // the gate saw V1.0: it ran after the read
  EXPECT_EQ(boxes.count(), 0u);
}

TEST_F(Login, QuickSettingsReadStillWaits200Milliseconds) {
  start({settings("V1.0", "")});
  QElapsedTimer clock;
  clock.start();
  clickLogin();
  QTRY_VERIFY(handedOver());
  EXPECT_GE(clock.elapsed(), 200);
}

TEST_F(Login, UnreachableServerTellsTheUserAndEndsWithZero) {
  log = std::make_unique<StatementLog>();
  program = std::make_unique<ClientProgram>(options(1));  // nothing listens on port 1
  clickLogin();
  ASSERT_EQ(boxes.count(), 1u);
  EXPECT_EQ(boxes.shown()[0].text, kConnectFailed);
  EXPECT_EQ(boxes.shown()[0].style, kMessageOk);
  EXPECT_EQ(boxes.shown()[0].title, kDefaultMessageTitle);
  EXPECT_EQ(boxes.shown()[0].owner, nullptr);
  EXPECT_EQ(exitCodes, std::vector<int>{0});
  EXPECT_FALSE(handedOver());
  EXPECT_TRUE(log->statements().empty());
  EXPECT_EQ(program->state().connection, nullptr);
}

TEST_F(Login, CloseBeforeLoginEndsWithoutDatabaseTraffic) {
  start({settings("V1.0", "")});
  program->splash().ui().关闭2->click();
  EXPECT_EQ(exitCodes, std::vector<int>{0});
  EXPECT_FALSE(program->splash().isVisible());
  EXPECT_TRUE(log->statements().empty());
  EXPECT_EQ(program->state().connection, nullptr);
}

TEST_F(Login, MinimiseButton) {
  start({settings("V1.0", "")});
  program->splash().ui().关闭3->click();
  EXPECT_TRUE(program->splash().windowState() & Qt::WindowMinimized);
  EXPECT_TRUE(exitCodes.empty());
}

TEST_F(Login, UpdateCheckFromTheMainWindowOpensTheUpdaterAndHidesIt) {
  SiteSettings newer = settings("V1.1", "");
  newer.tgkg = kOn;
  boxes.answerNext(kAnswerNo);  // the gate's question: stay with the main window
  start({newer});
  clickLogin();
  QTRY_VERIFY(program->mainWindow() != nullptr);
  boxes.answerNext(kAnswerYes);
  program->mainWindow()->ui().更新->click();
  ASSERT_NE(program->updaterWindow(), nullptr);
  EXPECT_TRUE(program->updaterWindow()->isVisible());
  EXPECT_FALSE(program->mainWindow()->isVisible());
  EXPECT_EQ(boxes.shown().back().owner, program->mainWindow());
}

TEST_F(Login, MainWindowCloseEndsWithZeroAndTheExitRoutineReleasesAll) {
  start({settings("V1.0", "")});
  clickLogin();
  QTRY_VERIFY(program->mainWindow() != nullptr);
  program->mainWindow()->ui().关闭->click();
  EXPECT_EQ(exitCodes, std::vector<int>{0});
  EXPECT_EQ(program->state().connection, nullptr);
  program.reset();  // the exit routine, with the statistics thread possibly still running
}

}  // namespace
}  // namespace qimubox::testing
