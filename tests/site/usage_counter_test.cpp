#include "site/server/usage_counter.h"
#include "tests/site/running_site.h"
#include "tests/support/db/test_database.h"

#include <httplib.h>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace qimubox::site {
namespace {

CounterDatabase testCounterDatabase() {
  CounterDatabase database;
  database.port = testdb::testServer().port;
  return database;
}

class UsageCounterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto admin = testdb::connectAsAdmin();
    ASSERT_NE(admin, nullptr);
    ASSERT_TRUE(execute(admin.get(), "UPDATE tool.usage_counter SET n = 0 WHERE id = 1"));
  }

  static std::string statistics(int port, const char* query) {
    httplib::Client client("127.0.0.1", port);
    const auto reply = client.Get(std::string("/hezi/tongji.php?") + query);
    return reply ? reply->body : "(no reply)";
  }

  const std::filesystem::path root = std::filesystem::temp_directory_path();
};

TEST_F(UsageCounterTest, ReportsAreCountedAndTheCountAnswered) {
  UsageCounter counter(testCounterDatabase());
  RunningSite site(root, counter);
  EXPECT_EQ(statistics(site.port(), "return=times3"), "0");
  EXPECT_EQ(statistics(site.port(), "var=times"), "true");
  EXPECT_EQ(statistics(site.port(), "var=times"), "true");
  EXPECT_EQ(statistics(site.port(), "return=times3"), "2");
}

TEST_F(UsageCounterTest, ConcurrentReportsAreAllCountedAndSurviveARestart) {
  constexpr int clients = 20;
  constexpr int reportsEach = 50;
  {
    UsageCounter counter(testCounterDatabase());
    RunningSite site(root, counter);
    std::atomic<int> confirmed = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < clients; ++t) {
      threads.emplace_back([&] {
        httplib::Client client("127.0.0.1", site.port());
        client.set_keep_alive(true);
        for (int i = 0; i < reportsEach; ++i) {
          const auto reply = client.Get("/hezi/tongji.php?var=times");
          if (reply && reply->status == 200 && reply->body == "true") ++confirmed;
        }
      });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(confirmed, clients * reportsEach);
    EXPECT_EQ(statistics(site.port(), "return=times3"), std::to_string(clients * reportsEach));
  }
  // A new server with a new counter finds the count where the old one left it.
  UsageCounter counter(testCounterDatabase());
  RunningSite site(root, counter);
  EXPECT_EQ(statistics(site.port(), "return=times3"), std::to_string(clients * reportsEach));
  EXPECT_EQ(statistics(site.port(), "var=times"), "true");
  EXPECT_EQ(statistics(site.port(), "return=times3"), std::to_string(clients * reportsEach + 1));
}

TEST_F(UsageCounterTest, TheCounterAccountMayOnlyReadAndUpdateTheCounter) {
  const CounterDatabase database = testCounterDatabase();
  const auto tongji = connect(testdb::serverHost, database.user, database.password, database.name, database.port);
  ASSERT_NE(tongji, nullptr);
  EXPECT_TRUE(execute(tongji.get(), "UPDATE usage_counter SET n = n + 1 WHERE id = 1"));
  EXPECT_TRUE(execute(tongji.get(), "SELECT n FROM usage_counter"));
  EXPECT_NE(storeResult(tongji.get()), nullptr);
  for (const char* refused : {"DELETE FROM usage_counter", "INSERT INTO usage_counter VALUES (2, 0)",
                              "SELECT * FROM wzsj", "UPDATE ht SET zxbb = 'V9'", "DROP TABLE usage_counter"}) {
    EXPECT_FALSE(execute(tongji.get(), refused)) << refused;
  }
}

TEST_F(UsageCounterTest, AnUnreachableOrRefusingDatabaseCountsNothing) {
  CounterDatabase wrongPassword = testCounterDatabase();
  wrongPassword.password = "wrong";
  CounterDatabase closedPort = testCounterDatabase();
  closedPort.port = 1;
  for (const CounterDatabase& database : {wrongPassword, closedPort}) {
    UsageCounter counter(database);
    EXPECT_FALSE(counter.countOneUse());
    EXPECT_FALSE(counter.total());
  }
  UsageCounter counter(testCounterDatabase());
  EXPECT_EQ(counter.total(), 0u);
}

}  // namespace
}  // namespace qimubox::site
