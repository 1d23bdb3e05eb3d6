// Refused connections, a read-only account, a server that goes away under a
// running client, and the demo catalog as site/catalog.sh loads it.
#include "catalogdb/db_connection.h"
#include "catalogdb/records.h"
#include "qimubox/build_values.h"
#include "tests/support/db/test_database.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace qimubox {
namespace {

using testdb::PrivateServer;
using testdb::serverHost;

// A socket bound to a free loopback port; listening when asked to. The
// kernel completes connections to a listening socket by itself, so a server
// that never answers needs no thread.
class LoopbackSocket {
 public:
  explicit LoopbackSocket(bool listening) : socket_(socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    sockaddr* generic = reinterpret_cast<sockaddr*>(&address);
    if (bind(socket_, generic, length) == 0 && getsockname(socket_, generic, &length) == 0 &&
        (!listening || listen(socket_, 4) == 0)) {
      port_ = ntohs(address.sin_port);
    }
  }
  ~LoopbackSocket() { ::close(socket_); }
  LoopbackSocket(const LoopbackSocket&) = delete;
  LoopbackSocket& operator=(const LoopbackSocket&) = delete;

  unsigned port() const { return port_; }

 private:
  int socket_;
  unsigned port_ = 0;
};

// A loopback port with nothing listening on it: bound once to learn a free
// number, then released.
unsigned closedLoopbackPort() { return LoopbackSocket(false).port(); }

std::string textOf(DbConnection* connection, const std::string& statement, const std::string& column) {
  std::string text;
  if (execute(connection, statement)) {
    std::unique_ptr<RecordSet> records = storeResult(connection);
    readField(records.get(), column, text);
  }
  return text;
}

TEST(ConnectionFaults, ConnectToAClosedPortFailsQuickly) {
  const unsigned port = closedLoopbackPort();
  ASSERT_NE(port, 0u);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(connect(serverHost, "tool", build::databasePassword, "", port), nullptr);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(ConnectionFaults, ConnectToAServerThatNeverAnswersGivesUpAfterTwentySeconds) {
  const LoopbackSocket silent(true);
  ASSERT_NE(silent.port(), 0u);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(connect(serverHost, "tool", build::databasePassword, "", silent.port()), nullptr);
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_GE(waited, std::chrono::seconds(19));
  EXPECT_LT(waited, std::chrono::seconds(40));
}

TEST(ConnectionFaults, WrongAccountsAreRefused) {
  const unsigned port = testdb::testServer().port;
  const std::pair<const char*, const char*> accounts[] = {
      {"tool", "Qm7vT2kx9LpR4sWx"},
      {"tool", ""},
      {"TOOL", build::databasePassword},
      {"nobody", build::databasePassword},
      {"", ""},  // no anonymous account
  };
  for (const auto& [user, password] : accounts) {
    EXPECT_EQ(connect(serverHost, user, password, "", port), nullptr) << user << " / " << password;
  }
  EXPECT_NE(connect(serverHost, "tool", build::databasePassword, "tool", port), nullptr);
}

TEST(ConnectionFaults, ConnectAndCloseOnSeveralThreadsAtOnce) {
  const testdb::ServerState server = testdb::testServer();
  std::atomic<int> connected{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&server, &connected] {
      for (int round = 0; round < 5; ++round) {
        std::unique_ptr<DbConnection> connection =
            connect(serverHost, "tool", build::databasePassword, "tool", server.port);
        if (connection != nullptr && execute(connection.get(), "select 1")) {
          std::unique_ptr<RecordSet> records = storeResult(connection.get());
          if (rowCount(records.get()) == 1) ++connected;
        }
        close(connection);
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(connected.load(), 20);
}

TEST(ConnectionFaults, ToolAccountCannotChangeAnything) {
  testdb::CatalogFixture fixture;
  fixture.settings.resize(1);
  fixture.settings[0].zxbb = "V1.0";
  fixture.entries.resize(1);
  fixture.entries[0].fl = "1";
  fixture.entries[0].mc = "alpha";
  ASSERT_TRUE(testdb::loadCatalog(fixture));
  std::unique_ptr<DbConnection> tool = testdb::connectAsTool();
  ASSERT_NE(tool, nullptr);

  const char* const refused[] = {
      "INSERT INTO wzsj (fl, mc) VALUES (2, 'beta')",
      "UPDATE ht SET zxbb = 'V9.9'",
      "DELETE FROM wzsj",
      "TRUNCATE TABLE wzsj",
      "DROP TABLE ggw",
      "ALTER TABLE wzsj ADD COLUMN extra INT",
      "CREATE TABLE tool.extra (a INT)",
      "CREATE DATABASE extra",
      "GRANT SELECT ON mysql.* TO 'tool'@'%'",
      "select * from mysql.user",
  };
  for (const char* statement : refused) EXPECT_FALSE(execute(tool.get(), statement)) << statement;

  std::unique_ptr<DbConnection> admin = testdb::connectAsAdmin();
  EXPECT_EQ(textOf(admin.get(), "select count(*) AS n from wzsj", "n"), "1");
  EXPECT_EQ(textOf(admin.get(), "select zxbb from ht", "zxbb"), "V1.0");
  EXPECT_EQ(textOf(admin.get(), "select count(*) AS n from information_schema.columns "
                                "where table_schema='tool' and table_name='ggw'", "n"),
            "18");
}

TEST(ConnectionFaults, ServerStoppedMidRunFailsEveryOperationQuietly) {
  PrivateServer server("test-mariadb-stopped", "schema-only");
  ASSERT_TRUE(server.running());
  std::unique_ptr<DbConnection> connection = testdb::connectAsTool(server.state());
  ASSERT_NE(connection, nullptr);
  ASSERT_TRUE(execute(connection.get(), "select 'x' AS v, 5 AS n"));
  std::unique_ptr<RecordSet> earlier = storeResult(connection.get());
  ASSERT_NE(earlier, nullptr);

  const testdb::ServerState stopped = server.state();
  ASSERT_TRUE(server.stop());

  EXPECT_FALSE(selectDatabase(connection.get(), "tool"));
  EXPECT_FALSE(execute(connection.get(), "select * from wzsj"));
  EXPECT_EQ(storeResult(connection.get()), nullptr);
  std::unique_ptr<RecordSet> counted = selectRows(connection.get(), "wzsj", "id", "id>0", "id DESC");
  EXPECT_EQ(counted, nullptr);
  EXPECT_EQ(rowCount(counted.get()), 0);
  std::string text = "kept";
  EXPECT_FALSE(readField(counted.get(), "mc", text));
  EXPECT_EQ(text, "kept");
  // A result stored before the server went is in client memory and stays readable.
  int number = 0;
  EXPECT_TRUE(readField(earlier.get(), "n", number));
  EXPECT_EQ(number, 5);
  freeResult(earlier);
  close(connection);
  EXPECT_EQ(connection, nullptr);
  // And the server cannot be reached any more.
  EXPECT_EQ(testdb::connectAsTool(stopped), nullptr);
}

TEST(DemoCatalog, LoadsReadableAndReadOnly) {
  PrivateServer server("test-mariadb-demo", "demo");
  ASSERT_TRUE(server.running());
  std::unique_ptr<DbConnection> tool = testdb::connectAsTool(server.state());
  ASSERT_NE(tool, nullptr);

  std::unique_ptr<RecordSet> entries = selectRows(tool.get(), "wzsj", "*", "id>0", "id DESC");
  EXPECT_GE(rowCount(entries.get()), 60);
  for (int category = 1; category <= 7; ++category) {
    std::unique_ptr<RecordSet> inCategory =
        selectRows(tool.get(), "wzsj", "fl", "fl=" + std::to_string(category), "id DESC");
    EXPECT_GE(rowCount(inCategory.get()), 5) << "category " << category;
  }
  CatalogEntry newest;
  for (const auto& [column, field] : {std::pair{"mc", &newest.mc}, {"jj", &newest.jj}, {"tb", &newest.tb},
                                      {"xzdz", &newest.xzdz}, {"gxsj", &newest.gxsj}, {"rjdx", &newest.rjdx}}) {
    EXPECT_TRUE(readField(entries.get(), column, *field)) << column;
    EXPECT_FALSE(field->empty()) << column;
  }
  EXPECT_EQ(newest.tb.rfind("http://127.0.0.1:8087/icons/icon", 0), 0u) << newest.tb;

  ASSERT_TRUE(execute(tool.get(), "SELECT * FROM ht"));
  std::unique_ptr<RecordSet> settingsRow = storeResult(tool.get());
  ASSERT_EQ(rowCount(settingsRow.get()), 1);
  SiteSettings settings;
  readField(settingsRow.get(), "ggnr", settings.ggnr);
  readField(settingsRow.get(), "zxbb", settings.zxbb);
  readField(settingsRow.get(), "tgkg", settings.tgkg);
  readField(settingsRow.get(), "qzgx", settings.qzgx);
  readField(settingsRow.get(), "gxdz", settings.gxdz);
  readField(settingsRow.get(), "zxbbmc", settings.zxbbmc);
  EXPECT_EQ(settings.zxbb, "V1.0");
  EXPECT_TRUE(isSwitchOn(settings.tgkg));
  EXPECT_FALSE(isSwitchOn(settings.qzgx));
  EXPECT_EQ(settings.gxdz, "http://127.0.0.1:8087/update/qimubox-v1.1.zip");
  EXPECT_EQ(settings.zxbbmc, "\xC6\xDC\xC4\xBE\xB7\xBB\xC8\xED\xBC\xFE\xBA\xD0\xD7\xD3v1.1");  // 栖木坊软件盒子v1.1
  for (const char* markup : {"<a href=\"http://127.0.0.1:8087/", "<b>", "\r\n<hr>\r\n"}) {
    EXPECT_NE(settings.ggnr.find(markup), std::string::npos) << markup;
  }

  ASSERT_TRUE(execute(tool.get(), "SELECT * FROM ggw"));
  std::unique_ptr<RecordSet> banners = storeResult(tool.get());
  for (int slot = 1; slot <= 6; ++slot) {
    const std::string prefix = "hdpggw" + std::to_string(slot);
    BannerSlot banner;
    EXPECT_TRUE(readField(banners.get(), prefix + "tp", banner.pictureAddress));
    EXPECT_TRUE(readField(banners.get(), prefix + "dz", banner.linkAddress));
    EXPECT_TRUE(readField(banners.get(), prefix + "bt", banner.title));
    EXPECT_EQ(banner.pictureAddress, "http://127.0.0.1:8087/banners/banner" + std::to_string(slot) + ".png");
    EXPECT_FALSE(banner.linkAddress.empty());
    EXPECT_FALSE(banner.title.empty());
  }

  EXPECT_FALSE(execute(tool.get(), "UPDATE ht SET zxbb = 'V2.0'"));
  EXPECT_FALSE(execute(tool.get(), "DELETE FROM wzsj"));
}

}  // namespace
}  // namespace qimubox
