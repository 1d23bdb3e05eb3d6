// The private MariaDB server of a test run and helpers to fill its catalog.
//
// The CTest fixture catalog_db (see CMakeLists.txt here) starts one server
// per ctest run through site/catalog.sh and names its state file in the
// environment variable QIMUBOX_TEST_DB_STATE. Tests connect to it as "tool"
// to read, and load the rows they need as the admin account, which replaces
// what an earlier test left: every test loads its own fixture.
#pragma once

#include "catalogdb/db_connection.h"
#include "catalogdb/records.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qimubox::testdb {

inline constexpr const char* serverHost = "127.0.0.1";

// What site/catalog.sh wrote into DIR/state.
struct ServerState {
  unsigned port = 0;
  std::string socket;
  std::string adminUser;
  std::string adminPassword;
};

std::optional<ServerState> readServerState(const std::string& stateFile);

// The fixture's server. Fails the calling test (and returns an empty state)
// when the test runs without the fixture.
ServerState testServer();

// Connects as tool with the build's password, selects "tool" and switches to
// GBK, as the client's login does. None on failure.
std::unique_ptr<DbConnection> connectAsTool(const ServerState& server = testServer());

// The same as the admin account, which may write.
std::unique_ptr<DbConnection> connectAsAdmin(const ServerState& server = testServer());

// `text` as a quoted SQL literal for `connection` (GBK after connect*).
std::string quoted(DbConnection* connection, const std::string& text);

// Rows for the three tables. An entry with id 0 gets the next free id.
struct CatalogFixture {
  std::vector<SiteSettings> settings;
  std::vector<CatalogEntry> entries;
  std::vector<std::array<BannerSlot, 6>> banners;
};

// Empties ht, wzsj and ggw, then inserts the fixture's rows in order.
bool loadCatalog(const CatalogFixture& fixture, const ServerState& server = testServer());

// Empties ht, wzsj and ggw, then runs the statements (GBK) as admin; for rows
// a struct cannot express, such as NULL values.
bool loadCatalogSql(const std::vector<std::string>& statements,
                    const ServerState& server = testServer());

// Appends `count` made-up entries (categories 1..7 in turn, names with their
// number) in bulk, for tests and benchmarks of large catalogs.
bool insertSyntheticEntries(int count, const ServerState& server = testServer());

// A server of the test's own (its own data folder and a free port), for tests
// that must stop a server under a running client. Stopped when it goes.
class PrivateServer {
 public:
  // `name` names the data folder under the build's test folder; `dataSet` is
  // "demo" or "schema-only".
  PrivateServer(const std::string& name, const std::string& dataSet);
  ~PrivateServer();
  PrivateServer(const PrivateServer&) = delete;
  PrivateServer& operator=(const PrivateServer&) = delete;

  bool running() const { return state_.has_value(); }
  // Empty (port 0) when the server did not start.
  ServerState state() const { return state_.value_or(ServerState{}); }
  // Shuts the server down cleanly and waits until it has ended.
  bool stop();

 private:
  std::string dataFolder_;
  std::optional<ServerState> state_;
};

}  // namespace qimubox::testdb
