#include "tests/site/running_site.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <map>

namespace qimubox::site {
namespace {

namespace fs = std::filesystem;

// A store in memory that can be switched off, for the replies of the endpoint.
class MemoryUsage final : public UsageStore {
 public:
  bool countOneUse() override {
    if (!available) return false;
    ++count;
    return true;
  }
  std::optional<std::uint64_t> total() override {
    if (!available) return std::nullopt;
    return count.load();
  }
  std::atomic<bool> available = true;
  std::atomic<std::uint64_t> count = 0;
};

struct Reply {
  int status = 0;
  std::map<std::string, std::string> headers;
  std::string body;

  std::string header(const std::string& name) const {
    const auto found = headers.find(name);
    return found == headers.end() ? "" : found->second;
  }
};

Reply parseReply(const std::string& raw) {
  Reply reply;
  const std::size_t headEnd = raw.find("\r\n\r\n");
  if (raw.size() < 12 || headEnd == std::string::npos) return reply;
  reply.status = std::stoi(raw.substr(9, 3));
  std::size_t at = raw.find("\r\n") + 2;
  while (at < headEnd) {
    const std::size_t end = raw.find("\r\n", at);
    const std::string line = raw.substr(at, end - at);
    const std::size_t colon = line.find(": ");
    if (colon != std::string::npos) reply.headers[line.substr(0, colon)] = line.substr(colon + 2);
    at = end + 2;
  }
  reply.body = raw.substr(headEnd + 4);
  return reply;
}

class SiteServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() / ("site-server-" + std::to_string(getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "update");
    for (int i = 0; i < 1000; ++i) package.push_back(static_cast<char>('a' + i % 26));
    std::ofstream(root / "update/package.zip", std::ios::binary) << package;
    site = std::make_unique<RunningSite>(root, usage);
  }
  void TearDown() override {
    site.reset();
    fs::remove_all(root);
  }

  Reply get(const std::string& target, const std::string& extraHeaders = "", const std::string& verb = "GET") {
    return parseReply(exchangeRaw(site->port(), verb + " " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" +
                                                    extraHeaders + "Connection: close\r\n\r\n"));
  }

  fs::path root;
  std::string package;
  MemoryUsage usage;
  std::unique_ptr<RunningSite> site;
};

TEST_F(SiteServerTest, FilesAreServedWholeOrFromARange) {
  const struct {
    const char* rangeHeader;
    int status;
    const char* contentRange;  // empty: no such header
    std::size_t from;          // the body is the package from here on
  } cases[] = {
      {"", 200, "", 0},
      {"Range:bytes=600-\r\n", 206, "bytes 600-999/1000", 600},
      {"Range: bytes=0-\r\n", 206, "bytes 0-999/1000", 0},
      {"Range: bytes=999-\r\n", 206, "bytes 999-999/1000", 999},
      {"Range: bytes=990-5000\r\n", 206, "bytes 990-999/1000", 990},
      {"Range: bytes=-10\r\n", 206, "bytes 990-999/1000", 990},
      {"Range:bytes=1000-\r\n", 416, "bytes */1000", 1000},
      {"Range: bytes=5000-\r\n", 416, "bytes */1000", 1000},
      {"Range: bytes=x-\r\n", 416, "", 1000},
  };
  for (const auto& c : cases) {
    const Reply reply = get("/update/package.zip", c.rangeHeader);
    EXPECT_EQ(reply.status, c.status) << c.rangeHeader;
    EXPECT_EQ(reply.header("Content-Range"), c.contentRange) << c.rangeHeader;
    EXPECT_EQ(reply.body, package.substr(c.from)) << c.rangeHeader;
    if (c.status == 200) {
      EXPECT_EQ(reply.header("Content-Type"), "application/zip");
    }
  }
  const Reply head = get("/update/package.zip", "", "HEAD");
  EXPECT_EQ(head.status, 200);
  EXPECT_EQ(head.header("Content-Length"), "1000");
  EXPECT_EQ(head.body, "");
}

TEST_F(SiteServerTest, StatisticsCountAndAnswerTheCount) {
  EXPECT_EQ(get("/hezi/tongji.php?return=times3").body, "0");
  for (int i = 0; i < 3; ++i) {
    const Reply reply = get("/hezi/tongji.php?var=times");
    EXPECT_EQ(reply.status, 200);
    EXPECT_EQ(reply.body, "true");
  }
  const Reply count = get("/hezi/tongji.php?return=times3");
  EXPECT_EQ(count.status, 200);
  EXPECT_EQ(count.body, "3");
  EXPECT_EQ(count.header("Cache-Control"), "no-store");
}

TEST_F(SiteServerTest, MalformedQueriesAndUnknownPathsAreRefused) {
  for (const char* query : {"", "?", "?var=time", "?var=TIMES", "?return=times", "?var=times&return=times3",
                            "?var=times&var=x", "?x=1", "?var", "?%zz=%zz"}) {
    EXPECT_EQ(get(std::string("/hezi/tongji.php") + query).status, 400) << query;
  }
  EXPECT_EQ(usage.count, 0u);
  for (const char* path : {"/hezi/other.php", "/missing.png", "/update", "/../etc/passwd", "/%2e%2e/etc/passwd",
                           "/update/%2e%2e/%2e%2e/etc/passwd"}) {
    EXPECT_EQ(get(path).status, 404) << path;
  }
}

TEST_F(SiteServerTest, AStoreThatFailsIsNeverReportedAsCounted) {
  usage.available = false;
  const Reply report = get("/hezi/tongji.php?var=times");
  EXPECT_EQ(report.status, 503);
  EXPECT_NE(report.body, "true");
  const Reply count = get("/hezi/tongji.php?return=times3");
  EXPECT_EQ(count.status, 503);
  EXPECT_EQ(count.body, "");
}

TEST_F(SiteServerTest, BadRequestsLeaveTheServerAnswering) {
  const std::string requests[] = {
      "GARBAGE\r\n\r\n",
      "GET\r\n\r\n",
      "GET /hezi/tongji.php?var=times HTTP/9.9\r\n\r\n",
      "GET /" + std::string(20000, 'a') + " HTTP/1.1\r\nHost: x\r\n\r\n",
      "GET / HTTP/1.1\r\nHost: x\r\n" + std::string(9000, 'h') + "\r\n\r\n",
      "POST /hezi/tongji.php?var=times HTTP/1.1\r\nHost: x\r\nContent-Length: 3\r\n\r\nabc",
      std::string("GET /\0 HTTP/1.1\r\n\r\n", 19),
  };
  for (const std::string& request : requests) {
    const std::string reply = exchangeRaw(site->port(), request);
    // Refused with a client error, or the connection closed without a reply.
    EXPECT_TRUE(reply.empty() || reply.starts_with("HTTP/1.1 4")) << request.substr(0, 40) << " -> " << reply;
  }
  EXPECT_EQ(usage.count, 0u);
  EXPECT_EQ(get("/hezi/tongji.php?var=times").body, "true");
}

TEST_F(SiteServerTest, LargeFilesArriveWhole) {
  std::string large(8 * 1024 * 1024 + 17, '\0');
  for (std::size_t i = 0; i < large.size(); ++i) large[i] = static_cast<char>(i * 7 % 251);
  std::ofstream(root / "update/large.zip", std::ios::binary) << large;
  const Reply reply = get("/update/large.zip", "Range:bytes=1000-\r\n");
  EXPECT_EQ(reply.status, 206);
  EXPECT_EQ(reply.body.size(), large.size() - 1000);
  EXPECT_TRUE(reply.body == large.substr(1000));
}

TEST_F(SiteServerTest, APortInUseIsNotTakenTwice) {
  SiteServer second(root, usage);
  EXPECT_EQ(second.bind("127.0.0.1", site->port()), -1);
  EXPECT_EQ(get("/hezi/tongji.php?var=times").body, "true");
}

}  // namespace
}  // namespace qimubox::site
