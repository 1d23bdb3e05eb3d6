#include "site/server/site_options.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace qimubox::site {
namespace {

using Outcome = ParsedOptions::Outcome;

TEST(SiteOptions, DefaultsListenOnLoopbackPort8087) {
  const ParsedOptions parsed = parseSiteOptions({}, "/srv/www");
  EXPECT_EQ(parsed.outcome, Outcome::run);
  EXPECT_EQ(parsed.options.address, "127.0.0.1");
  EXPECT_EQ(parsed.options.port, 8087);
  EXPECT_EQ(parsed.options.root, "/srv/www");
  EXPECT_EQ(parsed.options.database.port, 3306u);
  EXPECT_EQ(parsed.options.database.user, "tongji");
  EXPECT_EQ(parsed.options.database.name, "tool");
}

TEST(SiteOptions, ReadsEveryOption) {
  const ParsedOptions parsed = parseSiteOptions(
      {"--address", "0.0.0.0", "--port", "0", "--root", "/w", "--db-host", "db", "--db-port", "3307", "--db-user",
       "u", "--db-password", "p", "--db-name", "n"},
      "/srv/www");
  ASSERT_EQ(parsed.outcome, Outcome::run) << parsed.message;
  const SiteOptions& o = parsed.options;
  EXPECT_EQ(o.address, "0.0.0.0");
  EXPECT_EQ(o.port, 0);
  EXPECT_EQ(o.root, "/w");
  EXPECT_EQ(o.database.host, "db");
  EXPECT_EQ(o.database.port, 3307u);
  EXPECT_EQ(o.database.user, "u");
  EXPECT_EQ(o.database.password, "p");
  EXPECT_EQ(o.database.name, "n");
}

TEST(SiteOptions, TakesTheDatabasePortFromTheStateFile) {
  const std::filesystem::path state =
      std::filesystem::temp_directory_path() / ("site-state-" + std::to_string(getpid()));
  std::ofstream(state) << "socket=/tmp/s\nport=41234\nadmin_user=a\n";
  const ParsedOptions parsed = parseSiteOptions({"--db-state", state.string()}, "/w");
  std::filesystem::remove(state);
  ASSERT_EQ(parsed.outcome, Outcome::run) << parsed.message;
  EXPECT_EQ(parsed.options.database.port, 41234u);
}

TEST(SiteOptions, RefusesWhatItCannotUse) {
  const std::vector<std::vector<std::string>> cases = {
      {"--port", "65536"}, {"--port", "80x"}, {"--db-port", "0"},           {"--port"},
      {"--color", "red"},  {"--db-state", "/nonexistent/state"},
  };
  for (const auto& arguments : cases) {
    const ParsedOptions parsed = parseSiteOptions(arguments, "/w");
    EXPECT_EQ(parsed.outcome, Outcome::error) << arguments.front();
    EXPECT_FALSE(parsed.message.empty());
  }
  EXPECT_EQ(parseSiteOptions({"--port", "1", "--help"}, "/w").outcome, Outcome::help);
}

}  // namespace
}  // namespace qimubox::site
