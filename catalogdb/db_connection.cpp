#include "catalogdb/db_connection.h"

#include "platform/gbk_text.h"

#include <mysql.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <mutex>
#include <optional>
#include <string_view>

namespace qimubox {

namespace {

// connect and close run one at a time: the client library's first-use set-up
// inside mysql_init is not safe to run on two threads at once.
std::mutex connectionLock;

constexpr unsigned connectTimeoutSeconds = 20;

std::mutex observerLock;
StatementObserver statementObserver;

void reportStatement(const std::string& statement) {
  const std::lock_guard<std::mutex> hold(observerLock);
  if (statementObserver) statementObserver(statement);
}

const char* givenOrNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

// One field of the cursor's row: absent for SQL NULL.
using FieldBytes = std::optional<std::string>;

// Reads the column `column` of the cursor's row and puts the cursor back, so
// that reading never moves it. Empty when there is no such column or no row.
// The cursor is never past the last row (moveToRow checks the row number and
// every read puts it back), so no row at the cursor means no rows at all.
std::optional<FieldBytes> fieldAtCursor(RecordSet* records, const std::string& column) {
  if (records == nullptr) return std::nullopt;
  MYSQL_RES* result = records->handle();
  const MYSQL_FIELD* fields = mysql_fetch_fields(result);
  const unsigned fieldCount = mysql_num_fields(result);
  unsigned index = 0;
  while (index < fieldCount &&
         std::string_view(fields[index].name, fields[index].name_length) != column) {
    ++index;
  }
  if (index == fieldCount) return std::nullopt;

  const MYSQL_ROW_OFFSET cursor = mysql_row_tell(result);
  const MYSQL_ROW row = mysql_fetch_row(result);
  if (row == nullptr) return std::nullopt;
  const unsigned long* lengths = mysql_fetch_lengths(result);
  FieldBytes value;
  if (row[index] != nullptr) {
    // A text ends at its first zero byte.
    value.emplace(row[index], strnlen(row[index], lengths[index]));
  }
  mysql_row_seek(result, cursor);
  return value;
}

// Leading blanks, an optional sign, then decimal digits up to the first other
// character; clamped to the range of int.
int decimalPrefixValue(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size() && (text[at] == ' ' || (text[at] >= '\t' && text[at] <= '\r'))) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
    negative = text[at] == '-';
    ++at;
  }
  constexpr long long limit = static_cast<long long>(INT_MAX) + 1;
  long long magnitude = 0;
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
    magnitude = std::min(limit, magnitude * 10 + (text[at] - '0'));
  }
  if (negative) return static_cast<int>(-magnitude);
  return static_cast<int>(std::min<long long>(magnitude, INT_MAX));
}

// "SET NAMES GBK" switches the server side of the connection; the client
// library hears of it only from servers that report session variables, yet
// escapeText must know it to keep double-byte characters whole.
bool switchesToGbk(std::string_view statement) {
  constexpr std::string_view setNamesGbk = "SET NAMES GBK";
  return statement.size() == setNamesGbk.size() && findText(statement, setNamesGbk, 1, true) == 1;
}

}  // namespace

DbConnection::DbConnection(st_mysql* handle) : handle_(handle) {}
DbConnection::~DbConnection() = default;

void DbConnection::Closer::operator()(st_mysql* handle) const {
  const std::lock_guard<std::mutex> hold(connectionLock);
  mysql_close(handle);
}

RecordSet::RecordSet(st_mysql_res* result) : result_(result) {}
RecordSet::~RecordSet() = default;

void RecordSet::Freer::operator()(st_mysql_res* result) const { mysql_free_result(result); }

std::unique_ptr<DbConnection> connect(const std::string& host, const std::string& user,
                                      const std::string& password, const std::string& database,
                                      unsigned port) {
  const std::lock_guard<std::mutex> hold(connectionLock);
  MYSQL* handle = mysql_init(nullptr);
  if (handle == nullptr) return nullptr;
  mysql_options(handle, MYSQL_OPT_CONNECT_TIMEOUT, &connectTimeoutSeconds);
  if (mysql_real_connect(handle, givenOrNull(host), givenOrNull(user), givenOrNull(password),
                         givenOrNull(database), port, nullptr, 0) == nullptr) {
    mysql_close(handle);
    return nullptr;
  }
  return std::make_unique<DbConnection>(handle);
}

bool selectDatabase(DbConnection* connection, const std::string& database) {
  return connection != nullptr && mysql_select_db(connection->handle(), database.c_str()) == 0;
}

bool execute(DbConnection* connection, const std::string& statement) {
  if (connection != nullptr) reportStatement(statement);
  if (connection == nullptr ||
      mysql_real_query(connection->handle(), statement.data(), statement.size()) != 0) {
    return false;
  }
  if (switchesToGbk(statement) && std::strcmp(mysql_character_set_name(connection->handle()), "gbk") != 0) {
    mysql_set_character_set(connection->handle(), "gbk");
  }
  return true;
}

std::unique_ptr<RecordSet> storeResult(DbConnection* connection) {
  if (connection == nullptr) return nullptr;
  MYSQL_RES* result = mysql_store_result(connection->handle());
  if (result == nullptr) return nullptr;
  return std::make_unique<RecordSet>(result);
}

std::string selectStatement(const std::string& table, const std::string& columns,
                            const std::string& condition, const std::string& order) {
  std::string statement = "select " + columns + " from " + table;
  if (!condition.empty()) statement += " where " + condition;
  if (!order.empty()) statement += " order by " + order;
  return statement;
}

std::unique_ptr<RecordSet> selectRows(DbConnection* connection, const std::string& table,
                                      const std::string& columns, const std::string& condition,
                                      const std::string& order) {
  if (!execute(connection, selectStatement(table, columns, condition, order))) return nullptr;
  return storeResult(connection);
}

std::int64_t rowCount(const RecordSet* records) {
  if (records == nullptr) return 0;
  return static_cast<std::int64_t>(mysql_num_rows(records->handle()));
}

bool moveToRow(RecordSet* records, std::int64_t row) {
  if (records == nullptr || row < 0 || row >= rowCount(records)) return false;
  MYSQL_RES* result = records->handle();
  if (row < records->cursorRow_) {
    mysql_data_seek(result, static_cast<unsigned long long>(row));
  } else {
    // Stored rows are a list that mysql_data_seek walks from the start; going
    // on from the cursor keeps reading a long result row by row linear.
    for (std::int64_t at = records->cursorRow_; at < row; ++at) mysql_fetch_row(result);
  }
  records->cursorRow_ = row;
  return true;
}

bool readField(RecordSet* records, const std::string& column, std::string& target) {
  const std::optional<FieldBytes> field = fieldAtCursor(records, column);
  if (!field) return false;
  target = field->value_or(std::string());
  return true;
}

bool readField(RecordSet* records, const std::string& column, int& target) {
  const std::optional<FieldBytes> field = fieldAtCursor(records, column);
  if (!field) return false;
  target = field->has_value() ? decimalPrefixValue(**field) : 0;
  return true;
}

void freeResult(std::unique_ptr<RecordSet>& records) { records.reset(); }

void close(std::unique_ptr<DbConnection>& connection) { connection.reset(); }

StatementObserver setStatementObserver(StatementObserver observer) {
  const std::lock_guard<std::mutex> hold(observerLock);
  std::swap(observer, statementObserver);
  return observer;
}

std::string escapeText(DbConnection* connection, const std::string& text) {
  if (connection == nullptr) return std::string();
  // The library writes at most two bytes per input byte and a final zero.
  std::string escaped(text.size() * 2 + 1, '\0');
  const unsigned long length =
      mysql_real_escape_string(connection->handle(), escaped.data(), text.data(), text.size());
  if (length == static_cast<unsigned long>(-1)) return std::string();
  escaped.resize(length);
  return escaped;
}

}  // namespace qimubox
