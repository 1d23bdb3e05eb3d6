// The usage count kept in one row of the catalog database, changed only by
// single atomic UPDATE statements so that concurrent reports never lose one.
#pragma once

#include "site/server/usage_store.h"

#include <mysql.h>

#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace qimubox::site {

// The account and database of the counter (the row usage_counter.id = 1).
struct CounterDatabase {
  std::string host = "127.0.0.1";
  unsigned port = 3306;
  std::string user = "tongji";
  std::string password = "Tj5usageCount8087";  // that of the demo's schema
  std::string name = "tool";
};

class UsageCounter final : public UsageStore {
 public:
  explicit UsageCounter(CounterDatabase database);

  bool countOneUse() override;
  std::optional<std::uint64_t> total() override;

 private:
  using Clock = std::chrono::steady_clock;
  using Connection = std::unique_ptr<MYSQL, decltype(&mysql_close)>;
  struct IdleConnection {
    Connection connection;
    Clock::time_point since;
  };

  Connection connect() const;
  // A pooled connection when one is idle (checked first when it has been idle
  // long enough for the server to have dropped it), else a new one.
  Connection acquire();
  void release(Connection connection);

  CounterDatabase database_;
  std::mutex mutex_;
  std::vector<IdleConnection> idle_;
};

}  // namespace qimubox::site
