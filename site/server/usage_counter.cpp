#include "site/server/usage_counter.h"

#include <charconv>
#include <cstring>
#include <utility>

namespace qimubox::site {

namespace {

constexpr unsigned connectTimeoutSeconds = 5;
constexpr unsigned readWriteTimeoutSeconds = 10;
constexpr auto idleBeforePing = std::chrono::seconds(2);

using Result = std::unique_ptr<MYSQL_RES, decltype(&mysql_free_result)>;

bool run(MYSQL* connection, const char* statement) {
  return mysql_real_query(connection, statement, std::strlen(statement)) == 0;
}

}  // namespace

UsageCounter::UsageCounter(CounterDatabase database) : database_(std::move(database)) {
  // The library's own set-up is not safe to race from the worker threads.
  static std::once_flag once;
  std::call_once(once, [] { mysql_library_init(0, nullptr, nullptr); });
}

UsageCounter::Connection UsageCounter::connect() const {
  Connection connection(mysql_init(nullptr), &mysql_close);
  if (!connection) return connection;
  mysql_options(connection.get(), MYSQL_OPT_CONNECT_TIMEOUT, &connectTimeoutSeconds);
  mysql_options(connection.get(), MYSQL_OPT_READ_TIMEOUT, &readWriteTimeoutSeconds);
  mysql_options(connection.get(), MYSQL_OPT_WRITE_TIMEOUT, &readWriteTimeoutSeconds);
  if (!mysql_real_connect(connection.get(), database_.host.c_str(), database_.user.c_str(),
                          database_.password.c_str(), database_.name.c_str(), database_.port, nullptr, 0)) {
    connection.reset();
  }
  return connection;
}

UsageCounter::Connection UsageCounter::acquire() {
  for (;;) {
    IdleConnection idle{Connection(nullptr, &mysql_close), {}};
    {
      std::lock_guard lock(mutex_);
      if (idle_.empty()) break;
      idle = std::move(idle_.back());
      idle_.pop_back();
    }
    if (Clock::now() - idle.since < idleBeforePing || mysql_ping(idle.connection.get()) == 0) {
      return std::move(idle.connection);
    }
  }
  return connect();
}

void UsageCounter::release(Connection connection) {
  std::lock_guard lock(mutex_);
  idle_.push_back({std::move(connection), Clock::now()});
}

// A statement that fails drops its connection, which may be broken; the
// report is not repeated, since it may have been counted before the failure.
bool UsageCounter::countOneUse() {
  Connection connection = acquire();
  if (!connection) return false;
  if (!run(connection.get(), "UPDATE usage_counter SET n = n + 1 WHERE id = 1")) return false;
  const bool counted = mysql_affected_rows(connection.get()) == 1;
  release(std::move(connection));
  return counted;
}

std::optional<std::uint64_t> UsageCounter::total() {
  Connection connection = acquire();
  if (!connection) return std::nullopt;
  if (!run(connection.get(), "SELECT n FROM usage_counter WHERE id = 1")) return std::nullopt;
  const Result result(mysql_store_result(connection.get()), &mysql_free_result);
  if (!result) return std::nullopt;
  release(std::move(connection));

  MYSQL_ROW row = mysql_fetch_row(result.get());
  const unsigned long* lengths = row ? mysql_fetch_lengths(result.get()) : nullptr;
  if (!row || !row[0] || !lengths) return std::nullopt;
  std::uint64_t count = 0;
  const char* end = row[0] + lengths[0];
  const auto [stop, error] = std::from_chars(row[0], end, count);
  if (error != std::errc() || stop != end) return std::nullopt;
  return count;
}

}  // namespace qimubox::site
