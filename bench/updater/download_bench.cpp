// Throughput of the resumable download engine against the curl command-line
// tool fetching the same file from the same local server, and the engine's
// peak memory. The files are made in a temporary folder and deleted after.
//
//   updater_bench --benchmark_repetitions=5
#include <benchmark/benchmark.h>
#include <httplib.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "updater/resumable_download.h"

namespace {

namespace fs = std::filesystem;

constexpr std::int64_t kMiB = 1024 * 1024;
const std::int64_t kSizes[] = {64 * kMiB, 1024 * kMiB};

fs::path benchFolder;
int serverPort = 0;

std::string fileName(std::int64_t size) { return std::to_string(size / kMiB) + "MiB.bin"; }
std::string urlOf(std::int64_t size) { return "http://127.0.0.1:" + std::to_string(serverPort) + "/" + fileName(size); }

void makeFile(std::int64_t size) {
  std::ofstream out(benchFolder / fileName(size), std::ios::binary);
  std::vector<char> block(kMiB);
  for (std::int64_t written = 0; written < size; written += kMiB) {
    for (std::size_t i = 0; i < block.size(); i += 4096) block[i] = static_cast<char>(written / kMiB + i);
    out.write(block.data(), kMiB);
  }
}

// Serves the folder's files (with ranges) from mapped memory; runs in a
// process of its own, so its pages never count towards the engine's memory.
[[noreturn]] void serveFiles(int portPipe) {
  httplib::Server server;
  server.Get(R"(/(\w+\.bin))", [](const httplib::Request& request, httplib::Response& response) {
    const fs::path path = benchFolder / request.matches[1].str();
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) {
      response.status = 404;
      return;
    }
    const std::size_t size = fs::file_size(path);
    void* mapped = ::mmap(nullptr, size, PROT_READ, MAP_SHARED, fd, 0);
    ::close(fd);
    const char* data = static_cast<const char*>(mapped);
    response.set_content_provider(
        size, "application/zip",
        [data](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
          return sink.write(data + offset, std::min<std::size_t>(length, 256 * 1024));
        },
        [mapped, size](bool) { ::munmap(mapped, size); });
  });
  const int port = server.bind_to_any_port("127.0.0.1");
  if (::write(portPipe, &port, sizeof port) != sizeof port) ::_exit(1);
  server.listen_after_bind();
  ::_exit(0);
}

// Resets the high-water mark of this process's resident memory.
void resetPeakMemory() {
  std::ofstream("/proc/self/clear_refs") << "5";
}

// The high-water mark of resident memory since the last reset, in KiB.
double peakMemoryKiB() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6));
  return 0;
}

void BM_EngineDownload(benchmark::State& state) {
  const std::int64_t size = state.range(0);
  const std::string temp = (benchFolder / "engine.temp").string();
  double peakGrowthKiB = 0;
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove(temp);
    resetPeakMemory();
    const double before = peakMemoryKiB();
    state.ResumeTiming();
    qimubox::DownloadState progress;
    const int result = qimubox::resumableDownload(urlOf(size), temp, 0, progress);
    state.PauseTiming();
    if (result != qimubox::kDownloadComplete || progress.downloadedBytes.load() != size)
      state.SkipWithError("download incomplete");
    peakGrowthKiB = std::max(peakGrowthKiB, peakMemoryKiB() - before);
    state.ResumeTiming();
  }
  fs::remove(temp);
  state.SetBytesProcessed(state.iterations() * size);
  state.counters["peak_rss_growth_KiB"] = peakGrowthKiB;
}

void BM_CurlToolDownload(benchmark::State& state) {
  const std::int64_t size = state.range(0);
  const std::string out = (benchFolder / "curl.out").string();
  const std::string command = "curl -s -o '" + out + "' '" + urlOf(size) + "'";
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove(out);
    state.ResumeTiming();
    if (std::system(command.c_str()) != 0) state.SkipWithError("curl failed");
  }
  fs::remove(out);
  state.SetBytesProcessed(state.iterations() * size);
}

BENCHMARK(BM_EngineDownload)->Arg(64 * kMiB)->Arg(1024 * kMiB)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_CurlToolDownload)->Arg(64 * kMiB)->Arg(1024 * kMiB)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  benchFolder = fs::temp_directory_path() / ("qimubox-updater-bench-" + std::to_string(::getpid()));
  fs::create_directories(benchFolder);
  for (const std::int64_t size : kSizes) makeFile(size);

  int portPipe[2];
  if (::pipe(portPipe) != 0) return 1;
  const pid_t server = ::fork();
  if (server == 0) serveFiles(portPipe[1]);
  if (::read(portPipe[0], &serverPort, sizeof serverPort) != sizeof serverPort) return 1;

  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();

  ::kill(server, SIGTERM);
  ::waitpid(server, nullptr, 0);
  fs::remove_all(benchFolder);
  return 0;
}
