// Page loads, page counts and long result walks against a private server
// holding a synthetic catalog of 1 000 or 100 000 entries.
#include "catalogdb/db_connection.h"
#include "catalogdb/records.h"
#include "tests/support/db/test_database.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

namespace qimubox {
namespace {

testdb::PrivateServer& server() {
  static testdb::PrivateServer instance("bench-mariadb", "schema-only");
  return instance;
}

// A tool connection to a catalog of `entries` synthetic rows, filled anew
// only when the size changes.
DbConnection* catalogOf(benchmark::State& state, int entries) {
  static int loaded = -1;
  static std::unique_ptr<DbConnection> tool;
  if (!server().running()) {
    state.SkipWithError("the private server did not start");
    return nullptr;
  }
  if (loaded != entries) {
    if (!testdb::loadCatalog({}, server().state()) || !testdb::insertSyntheticEntries(entries, server().state())) {
      state.SkipWithError("loading the catalog failed");
      return nullptr;
    }
    loaded = entries;
  }
  if (tool == nullptr) tool = testdb::connectAsTool(server().state());
  return tool.get();
}

void readAll(benchmark::State& state, DbConnection* connection, const std::string& statement) {
  std::int64_t rows = 0;
  for (auto _ : state) {
    execute(connection, statement);
    std::unique_ptr<RecordSet> records = storeResult(connection);
    const std::int64_t count = rowCount(records.get());
    for (std::int64_t row = 0; row < count; ++row) {
      moveToRow(records.get(), row);
      benchmark::DoNotOptimize(readCatalogEntry(records.get()));
    }
    freeResult(records);
    rows += count;
  }
  state.counters["rows"] = benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kAvgIterations);
}

void BM_FirstPage(benchmark::State& state) {
  if (DbConnection* c = catalogOf(state, static_cast<int>(state.range(0)))) {
    readAll(state, c, "select * from wzsj ORDER BY id DESC limit 0,10");
  }
}

void BM_LastPageOfCategory(benchmark::State& state) {
  const int entries = static_cast<int>(state.range(0));
  if (DbConnection* c = catalogOf(state, entries)) {
    const int inCategory = (entries + 4) / 7;
    readAll(state, c, "select * from wzsj WHERE fl=3 ORDER BY id DESC limit " +
                          std::to_string(inCategory / 10 * 10) + ",10");
  }
}

void BM_CountHomePages(benchmark::State& state) {
  if (DbConnection* c = catalogOf(state, static_cast<int>(state.range(0)))) {
    for (auto _ : state) {
      std::unique_ptr<RecordSet> records = selectRows(c, "wzsj", "id", "id>0", "id DESC");
      benchmark::DoNotOptimize(rowCount(records.get()));
      freeResult(records);
    }
  }
}

void BM_ReadWholeCatalog(benchmark::State& state) {
  if (DbConnection* c = catalogOf(state, static_cast<int>(state.range(0)))) {
    readAll(state, c, "select * from wzsj ORDER BY id DESC");
  }
}

// Grouped by catalog size so that each size is loaded once.
BENCHMARK(BM_FirstPage)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LastPageOfCategory)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CountHomePages)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadWholeCatalog)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FirstPage)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LastPageOfCategory)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CountHomePages)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadWholeCatalog)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qimubox

BENCHMARK_MAIN();
