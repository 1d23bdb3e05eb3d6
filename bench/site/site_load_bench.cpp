// The site server under load: 50 keep-alive clients on loopback reporting
// uses (one durable UPDATE each) or reading the count, against a private
// MariaDB of the bench's own. Reports the rate, the 99th percentile latency
// and whether the final count is exact.
#include "site/server/usage_counter.h"
#include "tests/site/running_site.h"
#include "tests/support/db/test_database.h"

#include <benchmark/benchmark.h>
#include <httplib.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

namespace qimubox::site {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int clients = 50;

testdb::PrivateServer& database() {
  static testdb::PrivateServer instance("bench-site-mariadb", "schema-only");
  return instance;
}

// Runs `requestsEach` requests of `target` from every client at once; the
// latencies of all of them in milliseconds and the number answered with `expected`.
struct LoadResult {
  std::vector<double> latenciesMs;
  int expectedReplies = 0;
  double seconds = 0;
};

LoadResult load(int port, const std::string& target, int requestsEach, const std::string& expected) {
  std::vector<std::vector<double>> latencies(clients);
  std::vector<int> matches(clients, 0);
  std::vector<std::thread> threads;
  const Clock::time_point start = Clock::now();
  for (int c = 0; c < clients; ++c) {
    threads.emplace_back([&, c] {
      httplib::Client client("127.0.0.1", port);
      client.set_keep_alive(true);
      for (int i = 0; i < requestsEach; ++i) {
        const Clock::time_point sent = Clock::now();
        const auto reply = client.Get(target);
        latencies[c].push_back(std::chrono::duration<double, std::milli>(Clock::now() - sent).count());
        if (reply && reply->status == 200 && (expected.empty() || reply->body == expected)) ++matches[c];
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  LoadResult result;
  result.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  for (int c = 0; c < clients; ++c) {
    result.latenciesMs.insert(result.latenciesMs.end(), latencies[c].begin(), latencies[c].end());
    result.expectedReplies += matches[c];
  }
  return result;
}

double percentile(std::vector<double> values, double fraction) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const auto at = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1));
  return values[at];
}

CounterDatabase benchCounter() {
  CounterDatabase counter;
  counter.port = database().state().port;
  return counter;
}

bool resetCounter() {
  const auto admin = testdb::connectAsAdmin(database().state());
  return admin && execute(admin.get(), "UPDATE tool.usage_counter SET n = 0 WHERE id = 1");
}

void reportCounters(benchmark::State& state, const LoadResult& result, int requests) {
  state.counters["requests_per_s"] = static_cast<double>(requests) / result.seconds;
  state.counters["p50_ms"] = percentile(result.latenciesMs, 0.50);
  state.counters["p99_ms"] = percentile(result.latenciesMs, 0.99);
  state.counters["confirmed"] = result.expectedReplies;
}

void BM_UsageReports(benchmark::State& state) {
  const int requestsEach = static_cast<int>(state.range(0));
  if (!database().running() || !resetCounter()) {
    state.SkipWithError("the private database did not start");
    return;
  }
  UsageCounter counter(benchCounter());
  RunningSite site(std::filesystem::temp_directory_path(), counter);
  std::uint64_t expectedTotal = 0;
  for (auto _ : state) {
    const LoadResult result = load(site.port(), "/hezi/tongji.php?var=times", requestsEach, "true");
    expectedTotal += static_cast<std::uint64_t>(clients * requestsEach);
    state.SetIterationTime(result.seconds);
    reportCounters(state, result, clients * requestsEach);
  }
  const auto total = counter.total();
  state.counters["count_exact"] = total && *total == expectedTotal ? 1 : 0;
  if (!total || *total != expectedTotal) state.SkipWithError("the final count is not exact");
}
BENCHMARK(BM_UsageReports)->Arg(100)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_CountReads(benchmark::State& state) {
  const int requestsEach = static_cast<int>(state.range(0));
  if (!database().running()) {
    state.SkipWithError("the private database did not start");
    return;
  }
  UsageCounter counter(benchCounter());
  RunningSite site(std::filesystem::temp_directory_path(), counter);
  for (auto _ : state) {
    const LoadResult result = load(site.port(), "/hezi/tongji.php?return=times3", requestsEach, "");
    state.SetIterationTime(result.seconds);
    reportCounters(state, result, clients * requestsEach);
  }
}
BENCHMARK(BM_CountReads)->Arg(200)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qimubox::site

BENCHMARK_MAIN();
