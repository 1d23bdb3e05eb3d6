// The database layer against the test run's private server.
#include "catalogdb/db_connection.h"

#include "qimubox/build_values.h"
#include "tests/support/db/test_database.h"

#include <gtest/gtest.h>
#include <mysql.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

namespace qimubox {
namespace {

using testdb::CatalogFixture;
using testdb::connectAsTool;
using testdb::loadCatalog;
using testdb::loadCatalogSql;

CatalogEntry entry(int id, const std::string& fl, const std::string& mc) {
  CatalogEntry e;
  e.id = id;
  e.fl = fl;
  e.mc = mc;
  e.jj = "jj" + std::to_string(id);
  e.gxsj = "2026-11-03";
  e.rjdx = "12.5MB";
  return e;
}

// The ids of the result in row order, read through moveToRow and readField.
std::vector<int> idsOf(RecordSet* records) {
  std::vector<int> ids;
  for (std::int64_t row = 0; row < rowCount(records); ++row) {
    int id = -1;
    EXPECT_TRUE(moveToRow(records, row));
    EXPECT_TRUE(readField(records, "id", id));
    ids.push_back(id);
  }
  return ids;
}

class DbConnectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CatalogFixture fixture;
    fixture.entries = {entry(1, "1", "alpha"), entry(2, "3", "beta"), entry(3, "3", "gamma")};
    ASSERT_TRUE(loadCatalog(fixture));
    connection_ = connectAsTool();
    ASSERT_NE(connection_, nullptr);
  }

  std::unique_ptr<RecordSet> query(const std::string& statement) {
    EXPECT_TRUE(execute(connection_.get(), statement)) << statement;
    return storeResult(connection_.get());
  }

  std::unique_ptr<DbConnection> connection_;
};

TEST(DbConnectionNone, EveryOperationGivenNoneFailsQuietly) {
  std::string text = "kept";
  int number = 7;
  EXPECT_FALSE(selectDatabase(nullptr, "tool"));
  EXPECT_FALSE(execute(nullptr, "select 1"));
  EXPECT_EQ(storeResult(nullptr), nullptr);
  EXPECT_EQ(selectRows(nullptr, "wzsj", "id", "id>0", "id DESC"), nullptr);
  EXPECT_EQ(rowCount(nullptr), 0);
  EXPECT_FALSE(moveToRow(nullptr, 0));
  EXPECT_FALSE(readField(nullptr, "mc", text));
  EXPECT_FALSE(readField(nullptr, "id", number));
  EXPECT_EQ(escapeText(nullptr, "a'b"), "");
  std::unique_ptr<RecordSet> noRecords;
  freeResult(noRecords);
  std::unique_ptr<DbConnection> noConnection;
  close(noConnection);
  EXPECT_EQ(text, "kept");
  EXPECT_EQ(number, 7);
}

TEST(SelectStatement, BuildsFromItsFourTexts) {
  struct Case {
    const char* table;
    const char* columns;
    const char* condition;
    const char* order;
    const char* statement;
  };
  const Case cases[] = {
      {"wzsj", "id", "id>0", "id DESC", "select id from wzsj where id>0 order by id DESC"},
      {"wzsj", "fl", "fl=3", "", "select fl from wzsj where fl=3"},
      {"wzsj", "*", "", "id DESC", "select * from wzsj order by id DESC"},
      {"ht", "*", "", "", "select * from ht"},
      {"ht", "", "", "", "select  from ht"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(selectStatement(c.table, c.columns, c.condition, c.order), c.statement);
  }
}

TEST_F(DbConnectionTest, SelectRowsWithAndWithoutConditionAndOrder) {
  struct Case {
    const char* condition;
    const char* order;
    std::vector<int> ids;
  };
  const Case cases[] = {
      {"", "", {1, 2, 3}},
      {"fl=3", "", {2, 3}},
      {"", "id DESC", {3, 2, 1}},
      {"id>1", "id DESC", {3, 2}},
  };
  for (const Case& c : cases) {
    std::unique_ptr<RecordSet> records = selectRows(connection_.get(), "wzsj", "id", c.condition, c.order);
    ASSERT_NE(records, nullptr) << c.condition << " / " << c.order;
    std::vector<int> ids = idsOf(records.get());
    // Without an order the server returns the rows in any order it likes.
    if (std::string(c.order).empty()) std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids, c.ids) << c.condition << " / " << c.order;
    freeResult(records);
    EXPECT_EQ(records, nullptr);
  }
  EXPECT_EQ(selectRows(connection_.get(), "no_such_table", "id", "", ""), nullptr);
  EXPECT_EQ(selectRows(connection_.get(), "wzsj", "", "", ""), nullptr);
}

TEST_F(DbConnectionTest, ResultWithNoRowsReadsNothing) {
  std::unique_ptr<RecordSet> records = query("select * from wzsj where fl=7");
  ASSERT_NE(records, nullptr);
  EXPECT_EQ(rowCount(records.get()), 0);
  EXPECT_FALSE(moveToRow(records.get(), 0));
  std::string text = "kept";
  int number = 7;
  EXPECT_FALSE(readField(records.get(), "mc", text));
  EXPECT_FALSE(readField(records.get(), "id", number));
  EXPECT_EQ(text, "kept");
  EXPECT_EQ(number, 7);
}

TEST_F(DbConnectionTest, StatementWithoutResultSetStoresNone) {
  EXPECT_TRUE(execute(connection_.get(), "SET @seen = 1"));
  EXPECT_EQ(storeResult(connection_.get()), nullptr);
  EXPECT_FALSE(execute(connection_.get(), "select * from no_such_table"));
  EXPECT_EQ(storeResult(connection_.get()), nullptr);
  // The connection goes on serving after a refused statement.
  std::unique_ptr<RecordSet> records = query("select count(*) AS n from wzsj");
  int count = 0;
  EXPECT_TRUE(readField(records.get(), "n", count));
  EXPECT_EQ(count, 3);
}

TEST_F(DbConnectionTest, ColumnNamesMatchExactly) {
  std::unique_ptr<RecordSet> records = query("select * from wzsj order by id");
  ASSERT_NE(records, nullptr);
  std::string text = "kept";
  EXPECT_FALSE(readField(records.get(), "MC", text));
  EXPECT_FALSE(readField(records.get(), "m", text));
  EXPECT_FALSE(readField(records.get(), "mc ", text));
  EXPECT_EQ(text, "kept");
  EXPECT_TRUE(readField(records.get(), "mc", text));
  EXPECT_EQ(text, "alpha");
}

TEST_F(DbConnectionTest, OnlyMoveToRowMovesTheCursor) {
  std::unique_ptr<RecordSet> records = query("select * from wzsj order by id");
  ASSERT_EQ(rowCount(records.get()), 3);
  std::string first;
  std::string second;
  int id = 0;
  EXPECT_TRUE(readField(records.get(), "mc", first));
  EXPECT_TRUE(readField(records.get(), "mc", second));
  EXPECT_TRUE(readField(records.get(), "id", id));
  EXPECT_EQ(first, "alpha");
  EXPECT_EQ(second, "alpha");
  EXPECT_EQ(id, 1);

  // Forward, backward and onto the same row again.
  const std::pair<std::int64_t, const char*> moves[] = {{2, "gamma"}, {1, "beta"}, {1, "beta"}, {0, "alpha"}, {2, "gamma"}};
  for (const auto& [row, name] : moves) {
    std::string text;
    EXPECT_TRUE(moveToRow(records.get(), row));
    EXPECT_EQ(records->cursorRow(), row);
    EXPECT_TRUE(readField(records.get(), "mc", text));
    EXPECT_TRUE(readField(records.get(), "mc", text));
    EXPECT_EQ(text, name) << "row " << row;
  }
}

TEST_F(DbConnectionTest, MoveToRowOutsideTheResultKeepsTheRow) {
  std::unique_ptr<RecordSet> records = query("select * from wzsj order by id");
  ASSERT_TRUE(moveToRow(records.get(), 1));
  for (const std::int64_t row : {rowCount(records.get()), rowCount(records.get()) + 1, std::int64_t{-1}}) {
    EXPECT_FALSE(moveToRow(records.get(), row)) << row;
    std::string text;
    EXPECT_TRUE(readField(records.get(), "mc", text));
    EXPECT_EQ(text, "beta") << "after moveToRow " << row;
  }
}

TEST_F(DbConnectionTest, NullReadsAsEmptyTextAndZero) {
  ASSERT_TRUE(loadCatalogSql({"INSERT INTO wzsj (id, fl, mc, jj) VALUES (5, 2, NULL, NULL)"}));
  std::unique_ptr<RecordSet> records = query("select id, mc, jj, NULL AS n from wzsj");
  ASSERT_EQ(rowCount(records.get()), 1);
  std::string text = "kept";
  int number = 7;
  EXPECT_TRUE(readField(records.get(), "mc", text));
  EXPECT_EQ(text, "");
  EXPECT_TRUE(readField(records.get(), "n", number));
  EXPECT_EQ(number, 0);
}

TEST_F(DbConnectionTest, TextEndsAtItsFirstZeroByte) {
  std::unique_ptr<RecordSet> records = query("select CONCAT('ab', CHAR(0), 'cd') AS v, '' AS e");
  std::string text = "kept";
  EXPECT_TRUE(readField(records.get(), "v", text));
  EXPECT_EQ(text, "ab");
  EXPECT_TRUE(readField(records.get(), "e", text));
  EXPECT_EQ(text, "");
}

TEST_F(DbConnectionTest, IntegersReadAsPlainDecimal) {
  struct Case {
    const char* value;  // an SQL expression
    int expected;
  };
  const Case cases[] = {
      {"42", 42},
      {"-17", -17},
      {"'  +8'", 8},
      {"' -12abc'", -12},
      {"'3.9'", 3},
      {"'abc'", 0},
      {"''", 0},
      {"'-'", 0},
      {"'\xA3\xB1\xA3\xB2'", 0},  // full-width digits 12 are not digits here
      {"2147483647", INT_MAX},
      {"-2147483648", INT_MIN},
      {"99999999999", INT_MAX},
      {"-99999999999", INT_MIN},
  };
  for (const Case& c : cases) {
    std::unique_ptr<RecordSet> records = query(std::string("select ") + c.value + " AS v");
    int number = 7;
    EXPECT_TRUE(readField(records.get(), "v", number)) << c.value;
    EXPECT_EQ(number, c.expected) << c.value;
  }
}

TEST_F(DbConnectionTest, ChineseTextComesBackByteExact) {
  // 聊天 + a character whose second byte is a backslash + a quote.
  const std::string name = "\xC1\xC4\xCC\xEC\x95\x5C'\xB2\xA5\xB7\xC5\xC6\xF7";
  CatalogFixture fixture;
  fixture.entries = {entry(9, "1", name)};
  ASSERT_TRUE(loadCatalog(fixture));

  std::unique_ptr<RecordSet> records = query("select mc, HEX(mc) AS stored from wzsj");
  std::string text;
  std::string stored;
  EXPECT_TRUE(readField(records.get(), "mc", text));
  EXPECT_TRUE(readField(records.get(), "stored", stored));
  EXPECT_EQ(text, name);
  EXPECT_EQ(stored, "C1C4CCEC955C27B2A5B7C5C6F7");  // GBK in the table, not converted
}

// The escaping must know that the connection is GBK: a backslash may be the
// second byte of a character and must then not be doubled.
void expectGbkEscaping(DbConnection* connection) {
  EXPECT_STREQ(mysql_character_set_name(connection->handle()), "gbk");
  const std::string text = "\x95\x5C'\\\x95\x5C";
  const std::string escaped = escapeText(connection, text);
  EXPECT_EQ(escaped, "\x95\x5C\\'\\\\\x95\x5C");
  ASSERT_TRUE(execute(connection, "select '" + escaped + "' AS v"));
  std::unique_ptr<RecordSet> records = storeResult(connection);
  std::string back;
  EXPECT_TRUE(readField(records.get(), "v", back));
  EXPECT_EQ(back, text);
}

TEST_F(DbConnectionTest, EscapingKeepsGbkCharactersWhole) { expectGbkEscaping(connection_.get()); }

TEST_F(DbConnectionTest, EscapingKnowsGbkWithoutTheServerReportingIt) {
  // Servers that do not report session variables leave the client to know
  // by itself that SET NAMES GBK switched the connection.
  std::unique_ptr<DbConnection> connection =
      connect(testdb::serverHost, "tool", build::databasePassword, "", testdb::testServer().port);
  ASSERT_NE(connection, nullptr);
  ASSERT_TRUE(execute(connection.get(), "SET SESSION session_track_system_variables = ''"));
  ASSERT_TRUE(execute(connection.get(), "SET NAMES GBK"));
  expectGbkEscaping(connection.get());
}

TEST_F(DbConnectionTest, EscapedTextFindsWhatItSpells) {
  const std::string name = "\xC1\xC4\xCC\xEC\x95\x5C'x";
  CatalogFixture fixture;
  fixture.entries = {entry(1, "1", name), entry(2, "1", "other")};
  ASSERT_TRUE(loadCatalog(fixture));
  std::unique_ptr<RecordSet> records =
      query("select * from wzsj where mc like '%" + escapeText(connection_.get(), "\x95\x5C'") + "%'");
  EXPECT_EQ(idsOf(records.get()), std::vector<int>{1});
}

TEST_F(DbConnectionTest, WalksALongResultInOrder) {
  ASSERT_TRUE(loadCatalog({}));
  constexpr int count = 3000;
  ASSERT_TRUE(testdb::insertSyntheticEntries(count));
  std::unique_ptr<RecordSet> records = query("select * from wzsj ORDER BY id DESC");
  ASSERT_EQ(rowCount(records.get()), count);
  const std::vector<int> ids = idsOf(records.get());
  for (int row = 0; row < count; ++row) ASSERT_EQ(ids[row], count - row) << "row " << row;
  std::unique_ptr<RecordSet> counted = selectRows(connection_.get(), "wzsj", "fl", "fl=3", "id DESC");
  EXPECT_EQ(rowCount(counted.get()), (count + 4) / 7);
}

}  // namespace
}  // namespace qimubox
