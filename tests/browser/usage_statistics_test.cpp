// The statistics ping: what counts as a confirmed report, the retries, the
// count reply, and the thread that nobody waits for.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QObject>
#include <QTest>
#include <atomic>
#include <mutex>

#include "browser/usage_statistics.h"
#include "platform/http_read.h"
#include "tests/browser/local_http_server.h"

namespace qimubox {
namespace {

const std::string kBom = "\xEF\xBB\xBF";

TEST(StripUtf8Bom, RemovesOnlyOneLeadingMark) {
  EXPECT_EQ(stripUtf8Bom(kBom + "123"), "123");
  EXPECT_EQ(stripUtf8Bom("123" + kBom), "123" + kBom);
  EXPECT_EQ(stripUtf8Bom(kBom + kBom + "1"), kBom + "1");
  EXPECT_EQ(stripUtf8Bom(kBom), "");
  EXPECT_EQ(stripUtf8Bom("\xEF\xBB"), "\xEF\xBB");
  EXPECT_EQ(stripUtf8Bom(""), "");
}

// A scripted endpoint: report replies in turn (the last one repeats), a count reply.
struct ScriptedEndpoint {
  std::vector<std::string> reportReplies;
  std::string countReply;
  std::vector<std::string> requested;

  std::string operator()(const std::string& url) {
    requested.push_back(url);
    if (url.ends_with("?return=times3")) return countReply;
    const std::size_t reports = requested.size() - 1;
    return reportReplies[std::min(reports, reportReplies.size() - 1)];
  }
};

std::string ping(ScriptedEndpoint& endpoint) {
  UsageStatisticsPing settings;
  settings.baseUrl = "http://stats/hezi/tongji.php";
  settings.fetch = [&endpoint](const std::string& url) { return endpoint(url); };
  settings.retryWait = std::chrono::milliseconds(0);
  return pingUsageStatistics(settings);
}

TEST(PingUsageStatistics, ConfirmedReportsAndRetries) {
  struct Case {
    std::vector<std::string> replies;
    std::size_t reports;
  };
  const std::vector<Case> cases = {
      {{"true"}, 1},          {{kBom + "true"}, 1}, {{"TRUE"}, 4},           {{"true\n"}, 4},
      {{" true"}, 4},         {{""}, 4},            {{"no", "true"}, 2},     {{"no", "no", "no", "true"}, 4},
      {{kBom + kBom + "true"}, 4}, {{std::string("true\0x", 6)}, 1},
  };
  for (const Case& c : cases) {
    ScriptedEndpoint endpoint{c.replies, "7", {}};
    EXPECT_EQ(ping(endpoint), "7");
    ASSERT_EQ(endpoint.requested.size(), c.reports + 1) << c.replies.back();
    for (std::size_t n = 0; n < c.reports; ++n) EXPECT_EQ(endpoint.requested[n], "http://stats/hezi/tongji.php?var=times");
    EXPECT_EQ(endpoint.requested.back(), "http://stats/hezi/tongji.php?return=times3");
  }
}

TEST(PingUsageStatistics, CountReplyLosesOnlyALeadingMark) {
  for (const auto& [reply, shown] : std::vector<std::pair<std::string, std::string>>{
           {kBom + "123", "123"}, {"123" + kBom, "123" + kBom}, {"", ""}, {std::string("12\0" "3", 4), "12"}}) {
    ScriptedEndpoint endpoint{{"true"}, reply, {}};
    EXPECT_EQ(ping(endpoint), shown);
  }
}

TEST(PingUsageStatistics, WaitsBetweenReports) {
  ScriptedEndpoint endpoint{{"no"}, "1", {}};
  UsageStatisticsPing settings;
  settings.baseUrl = "http://stats/hezi/tongji.php";
  settings.fetch = [&endpoint](const std::string& url) { return endpoint(url); };
  settings.retryWait = std::chrono::milliseconds(30);
  const auto started = std::chrono::steady_clock::now();
  pingUsageStatistics(settings);
  EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(90));
  EXPECT_EQ(UsageStatisticsPing{}.retryWait, std::chrono::milliseconds(10000));
}

// Against a real HTTP endpoint on loopback.
class StatisticsEndpoint : public ::testing::Test {
 protected:
  void SetUp() override {
    server_.routes().Get("/hezi/tongji.php", [this](const httplib::Request& request, httplib::Response& response) {
      const std::lock_guard<std::mutex> hold(mutex_);
      if (request.has_param("var")) {
        ++reports_;
        response.set_content(kBom + "true", "text/plain");
      } else {
        ++counts_;
        response.set_content(kBom + "4711", "text/plain");
      }
    });
    server_.start();
  }

  testing::LocalHttpServer server_;
  std::mutex mutex_;
  int reports_ = 0;
  int counts_ = 0;
};

TEST_F(StatisticsEndpoint, ThreadDeliversTheCountToTheReceiversThread) {
  QObject receiver;
  std::string delivered;
  std::atomic<bool> onReceiverThread{false};
  auto mailbox = std::make_shared<UsageCountMailbox>(&receiver, [&](const std::string& count) {
    delivered = count;
    onReceiverThread = QThread::currentThread() == receiver.thread();
  });
  UsageStatisticsPing settings;
  settings.baseUrl = server_.url("/hezi/tongji.php");
  settings.fetch = httpReadFile;
  startUsageStatistics(settings, mailbox);
  QTRY_COMPARE(delivered, std::string("4711"));
  EXPECT_TRUE(onReceiverThread);
  const std::lock_guard<std::mutex> hold(mutex_);
  EXPECT_EQ(reports_, 1);
  EXPECT_EQ(counts_, 1);
}

TEST(PingUsageStatistics, UnreachableEndpointGivesFourReportsOneCountAndNothing) {
  std::vector<std::string> requested;
  std::mutex requestedLock;
  UsageStatisticsPing settings;
  settings.baseUrl = "http://127.0.0.1:1/hezi/tongji.php";  // nothing listens on port 1
  settings.fetch = [&](const std::string& url) {
    {
      const std::lock_guard<std::mutex> hold(requestedLock);
      requested.push_back(url);
    }
    return httpReadFile(url);
  };
  settings.retryWait = std::chrono::milliseconds(1);
  EXPECT_EQ(pingUsageStatistics(settings), "");
  ASSERT_EQ(requested.size(), 5u);
  EXPECT_EQ(std::count(requested.begin(), requested.end(), settings.baseUrl + "?var=times"), 4);
  EXPECT_EQ(requested.back(), settings.baseUrl + "?return=times3");
}

TEST(UsageCountMailbox, ClosedMailboxDropsTheCount) {
  int delivered = 0;
  {
    QObject receiver;
    UsageCountMailbox mailbox(&receiver, [&](const std::string&) { ++delivered; });
    mailbox.post("1");  // queued while the receiver lives
    mailbox.close();
    mailbox.post("2");  // dropped
  }  // the receiver goes with the first call still queued
  QCoreApplication::processEvents();
  EXPECT_EQ(delivered, 0);
}

}  // namespace
}  // namespace qimubox
