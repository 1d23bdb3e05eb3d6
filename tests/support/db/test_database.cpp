#include "tests/support/db/test_database.h"

#include "qimubox/build_values.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace qimubox::testdb {

namespace {

const char* const catalogTables[] = {"ht", "wzsj", "ggw"};

std::unique_ptr<DbConnection> connectGbk(const ServerState& server, const std::string& user,
                                         const std::string& password) {
  std::unique_ptr<DbConnection> connection = connect(serverHost, user, password, "", server.port);
  if (!selectDatabase(connection.get(), "tool") || !execute(connection.get(), "SET NAMES GBK")) {
    return nullptr;
  }
  return connection;
}

bool runAll(DbConnection* connection, const std::vector<std::string>& statements) {
  for (const std::string& statement : statements) {
    if (!execute(connection, statement)) {
      ADD_FAILURE() << "statement refused: " << statement;
      return false;
    }
  }
  return true;
}

// Connects as admin and empties the three catalog tables.
std::unique_ptr<DbConnection> emptyCatalog(const ServerState& server) {
  std::unique_ptr<DbConnection> admin = connectAsAdmin(server);
  if (admin == nullptr) {
    ADD_FAILURE() << "cannot connect as admin to port " << server.port;
    return nullptr;
  }
  for (const char* table : catalogTables) {
    if (!runAll(admin.get(), {std::string("TRUNCATE TABLE ") + table})) return nullptr;
  }
  return admin;
}

std::string valuesOf(DbConnection* connection, const std::vector<const std::string*>& texts) {
  std::string values = "(";
  for (const std::string* text : texts) {
    if (values.size() > 1) values += ',';
    values += quoted(connection, *text);
  }
  return values + ')';
}

std::string entryValues(DbConnection* connection, const CatalogEntry& entry) {
  const std::string id = entry.id == 0 ? std::string("NULL") : std::to_string(entry.id);
  return "(" + id + "," +
         valuesOf(connection, {&entry.fl, &entry.mc, &entry.jj, &entry.tb, &entry.xzdz, &entry.gxsj,
                               &entry.rjdx})
             .substr(1);
}

constexpr const char* entryColumns = "INSERT INTO wzsj (id, fl, mc, jj, tb, xzdz, gxsj, rjdx) VALUES ";

}  // namespace

std::optional<ServerState> readServerState(const std::string& stateFile) {
  std::ifstream in(stateFile);
  if (!in) return std::nullopt;
  ServerState state;
  std::string line;
  while (std::getline(in, line)) {
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    const std::string key = line.substr(0, equals);
    const std::string value = line.substr(equals + 1);
    if (key == "port") state.port = static_cast<unsigned>(std::strtoul(value.c_str(), nullptr, 10));
    if (key == "socket") state.socket = value;
    if (key == "admin_user") state.adminUser = value;
    if (key == "admin_password") state.adminPassword = value;
  }
  if (state.port == 0 || state.adminUser.empty()) return std::nullopt;
  return state;
}

ServerState testServer() {
  const char* stateFile = std::getenv("QIMUBOX_TEST_DB_STATE");
  std::optional<ServerState> state = readServerState(stateFile == nullptr ? "" : stateFile);
  if (!state) {
    ADD_FAILURE() << "no test database: run through ctest (fixture catalog_db), "
                     "QIMUBOX_TEST_DB_STATE="
                  << (stateFile == nullptr ? "(unset)" : stateFile);
    return ServerState{};
  }
  return *state;
}

std::unique_ptr<DbConnection> connectAsTool(const ServerState& server) {
  return connectGbk(server, build::databaseUser, build::databasePassword);
}

std::unique_ptr<DbConnection> connectAsAdmin(const ServerState& server) {
  return connectGbk(server, server.adminUser, server.adminPassword);
}

std::string quoted(DbConnection* connection, const std::string& text) {
  return "'" + escapeText(connection, text) + "'";
}

bool loadCatalog(const CatalogFixture& fixture, const ServerState& server) {
  std::unique_ptr<DbConnection> admin = emptyCatalog(server);
  if (admin == nullptr) return false;
  std::vector<std::string> statements;
  for (const SiteSettings& s : fixture.settings) {
    statements.push_back("INSERT INTO ht (ggnr, zxbb, tgkg, qzgx, qlj, gxdz, gxrz, zxbbmc) VALUES " +
                         valuesOf(admin.get(), {&s.ggnr, &s.zxbb, &s.tgkg, &s.qzgx, &s.qlj, &s.gxdz,
                                                &s.gxrz, &s.zxbbmc}));
  }
  for (const CatalogEntry& entry : fixture.entries) {
    statements.push_back(entryColumns + entryValues(admin.get(), entry));
  }
  for (const std::array<BannerSlot, 6>& slots : fixture.banners) {
    std::vector<const std::string*> texts;
    for (const BannerSlot& slot : slots) {
      texts.insert(texts.end(), {&slot.pictureAddress, &slot.linkAddress, &slot.title});
    }
    statements.push_back("INSERT INTO ggw VALUES " + valuesOf(admin.get(), texts));
  }
  return runAll(admin.get(), statements);
}

bool loadCatalogSql(const std::vector<std::string>& statements, const ServerState& server) {
  std::unique_ptr<DbConnection> admin = emptyCatalog(server);
  return admin != nullptr && runAll(admin.get(), statements);
}

bool insertSyntheticEntries(int count, const ServerState& server) {
  std::unique_ptr<DbConnection> admin = connectAsAdmin(server);
  if (admin == nullptr) return false;
  constexpr int rowsPerStatement = 1000;
  for (int first = 0; first < count; first += rowsPerStatement) {
    std::string statement = entryColumns;
    for (int n = first; n < std::min(count, first + rowsPerStatement); ++n) {
      CatalogEntry entry;
      entry.fl = std::to_string(n % 7 + 1);
      entry.mc = "\xC8\xED\xBC\xFE" + std::to_string(n);  // 软件
      entry.jj = "\xBC\xF2\xBD\xE9 " + std::to_string(n);  // 简介
      entry.tb = "http://127.0.0.1/icons/icon01.png";
      entry.xzdz = "http://127.0.0.1/downloads/soft" + std::to_string(n) + ".zip";
      entry.gxsj = "2026-11-03";
      entry.rjdx = "12.5MB";
      if (n > first) statement += ',';
      statement += entryValues(admin.get(), entry);
    }
    if (!runAll(admin.get(), {statement})) return false;
  }
  return true;
}

PrivateServer::PrivateServer(const std::string& name, const std::string& dataSet)
    : dataFolder_(std::string(QIMUBOX_TEST_DATA_DIR) + "/" + name) {
  const std::string command = std::string("bash '") + QIMUBOX_CATALOG_SCRIPT +
                              "' start --port auto --data " + dataSet + " --password " +
                              build::databasePassword + " --datadir '" + dataFolder_ + "' >'" +
                              dataFolder_ + ".log' 2>&1";
  if (std::system(command.c_str()) == 0) state_ = readServerState(dataFolder_ + "/state");
}

PrivateServer::~PrivateServer() { stop(); }

bool PrivateServer::stop() {
  if (!state_) return true;
  state_.reset();
  const std::string command = std::string("bash '") + QIMUBOX_CATALOG_SCRIPT + "' stop --datadir '" +
                              dataFolder_ + "' >>'" + dataFolder_ + ".log' 2>&1";
  return std::system(command.c_str()) == 0;
}

}  // namespace qimubox::testdb
