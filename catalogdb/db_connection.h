// The catalog database layer: one client connection to the MySQL/MariaDB
// server, plain statement texts, and results stored whole in client memory,
// read row by row and column by column name.
//
// Every operation is a free function that takes a pointer which may be null
// ("none"): given none, or when the server refuses or is gone, it fails
// quietly with false, none (nullptr), 0 or an empty text and changes nothing.
// No operation reports the client library's error code or text.
//
// Threads: a connection serves one thread at a time. connect and close take
// a lock inside the layer; everything else takes none. A RecordSet belongs to
// the thread that made it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

struct st_mysql;
struct st_mysql_res;

namespace qimubox {

// The one open client connection. Made by connect, released by close (or
// when its owner goes).
class DbConnection {
 public:
  explicit DbConnection(st_mysql* handle);
  ~DbConnection();
  DbConnection(const DbConnection&) = delete;
  DbConnection& operator=(const DbConnection&) = delete;

  st_mysql* handle() const { return handle_.get(); }

 private:
  struct Closer {
    void operator()(st_mysql* handle) const;
  };
  std::unique_ptr<st_mysql, Closer> handle_;
};

// All rows of one statement's result with a cursor on one row. The cursor
// starts on the first row; only moveToRow moves it.
class RecordSet {
 public:
  explicit RecordSet(st_mysql_res* result);
  ~RecordSet();
  RecordSet(const RecordSet&) = delete;
  RecordSet& operator=(const RecordSet&) = delete;

  st_mysql_res* handle() const { return result_.get(); }
  // Row number of the cursor, from 0.
  std::int64_t cursorRow() const { return cursorRow_; }

 private:
  friend bool moveToRow(RecordSet* records, std::int64_t row);

  struct Freer {
    void operator()(st_mysql_res* result) const;
  };
  std::unique_ptr<st_mysql_res, Freer> result_;
  std::int64_t cursorRow_ = 0;
};

// Opens a connection with a 20-second connect time-out and no other client
// option. An empty host, user, password or database is passed as not given,
// port 0 as the default port. None when the server cannot be reached or
// refuses the account.
std::unique_ptr<DbConnection> connect(const std::string& host, const std::string& user,
                                      const std::string& password, const std::string& database,
                                      unsigned port);

// Makes `database` the default database. False when refused or given none.
bool selectDatabase(DbConnection* connection, const std::string& database);

// Sends one statement (its bytes as they are, GBK after "SET NAMES GBK").
// True when the server accepted it.
bool execute(DbConnection* connection, const std::string& statement);

// The result of the last statement, stored whole; none when it produced no
// result set or failed. A result with no rows is a RecordSet with 0 rows.
std::unique_ptr<RecordSet> storeResult(DbConnection* connection);

// The statement selectRows sends: "select " columns, " from " table, then
// " where " condition and " order by " order when they are not empty.
// Nothing is quoted or escaped.
std::string selectStatement(const std::string& table, const std::string& columns,
                            const std::string& condition, const std::string& order);

// Runs selectStatement(...) and stores its result; none when it fails.
std::unique_ptr<RecordSet> selectRows(DbConnection* connection, const std::string& table,
                                      const std::string& columns, const std::string& condition,
                                      const std::string& order);

// Number of rows; 0 for none.
std::int64_t rowCount(const RecordSet* records);

// Puts the cursor on row `row` (from 0). False, the cursor unmoved, when the
// row does not exist or given none.
bool moveToRow(RecordSet* records, std::int64_t row);

// Reads the column named exactly `column` (case matters) of the cursor's row
// without moving the cursor. A text value is taken up to its first zero
// byte; NULL reads as an empty text. False, `target` unchanged, when there
// is no such column, no row, or given none.
bool readField(RecordSet* records, const std::string& column, std::string& target);

// The same into an integer: leading blanks, an optional sign, then decimal
// digits up to the first other character; 0 when there are none, and for
// NULL. Values beyond the range of int are clamped to it.
bool readField(RecordSet* records, const std::string& column, int& target);

// Releases the record set (nothing for none); `records` becomes none.
void freeResult(std::unique_ptr<RecordSet>& records);

// Closes the connection (nothing for none); `connection` becomes none.
void close(std::unique_ptr<DbConnection>& connection);

// `text` escaped for a quoted string literal in the connection's character
// set, so that user text is passed as data: quotes, backslashes and control
// bytes are escaped, double-byte characters are kept whole. Empty for none.
std::string escapeText(DbConnection* connection, const std::string& text);

// Test hook: `observer` hears the text of every statement that execute (and
// so selectRows) sends, on the sending thread, before it is sent. An empty
// observer removes it. Returns the previous one.
using StatementObserver = std::function<void(const std::string& statement)>;
StatementObserver setStatementObserver(StatementObserver observer);

}  // namespace qimubox
