#include "site/server/static_files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>

namespace qimubox::site {
namespace {

namespace fs = std::filesystem;

// A site folder with a few files, and a file beside it that must stay out of reach.
class StaticFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    base = fs::temp_directory_path() / ("site-static-" + std::to_string(getpid()));
    fs::remove_all(base);
    fs::create_directories(base / "www/icons");
    fs::create_directories(base / "www/.hidden");
    write(base / "www/icons/a.png", "png");
    write(base / "www/.hidden/x", "x");
    write(base / "secret.txt", "secret");
    fs::create_symlink(base / "secret.txt", base / "www/icons/out.png");
    fs::create_symlink(base / "www/icons/a.png", base / "www/in.png");
    root = fs::canonical(base / "www");
  }
  void TearDown() override { fs::remove_all(base); }

  static void write(const fs::path& file, const std::string& bytes) { std::ofstream(file) << bytes; }

  fs::path base;
  fs::path root;
};

TEST_F(StaticFolder, ServesOnlyRegularFilesBelowTheRoot) {
  const struct {
    std::string_view requestPath;
    const char* file;  // below root, or null for none
  } cases[] = {
      {"/icons/a.png", "icons/a.png"},
      {"//icons//a.png", "icons/a.png"},
      {"/in.png", "icons/a.png"},
      {"/icons/missing.png", nullptr},
      {"/icons", nullptr},
      {"/", nullptr},
      {"/../secret.txt", nullptr},
      {"/icons/../../secret.txt", nullptr},
      {"/icons/./a.png", nullptr},
      {"/.hidden/x", nullptr},
      {"/icons/out.png", nullptr},
      {"/icons\\a.png", nullptr},
      {std::string_view("/icons/a.png\0x", 14), nullptr},
      {"icons/a.png", nullptr},
  };
  for (const auto& c : cases) {
    const auto found = staticFilePath(root, c.requestPath);
    if (c.file) {
      ASSERT_TRUE(found) << c.requestPath;
      EXPECT_EQ(*found, root / c.file) << c.requestPath;
    } else {
      EXPECT_FALSE(found) << c.requestPath;
    }
  }
}

TEST(FitRanges, CutsRangesToTheFileOrRefusesThem) {
  const struct {
    httplib::Ranges asked;
    std::uint64_t size;
    bool satisfiable;
    httplib::Ranges fitted;
  } cases[] = {
      {{{90, -1}}, 100, true, {{90, 99}}},
      {{{0, -1}}, 100, true, {{0, 99}}},
      {{{99, -1}}, 100, true, {{99, 99}}},
      {{{100, -1}}, 100, false, {}},
      {{{0, -1}}, 0, false, {}},
      {{{10, 20}}, 100, true, {{10, 20}}},
      {{{90, 500}}, 100, true, {{90, 99}}},
      {{{20, 10}}, 100, false, {}},
      {{{-1, 5}}, 100, true, {{95, 99}}},
      {{{-1, 500}}, 100, true, {{0, 99}}},
      {{{-1, 0}}, 100, false, {}},
      {{{0, 1}, {98, -1}}, 100, true, {{0, 1}, {98, 99}}},
      {{{0, 1}, {100, -1}}, 100, false, {}},
  };
  for (const auto& c : cases) {
    httplib::Ranges ranges = c.asked;
    EXPECT_EQ(fitRanges(ranges, c.size), c.satisfiable) << c.asked.front().first << " of " << c.size;
    if (c.satisfiable) {
      EXPECT_EQ(ranges, c.fitted) << c.asked.front().first;
    }
  }
}

TEST(ContentType, FollowsTheExtension) {
  EXPECT_EQ(contentTypeFor("a/b.PNG"), "image/png");
  EXPECT_EQ(contentTypeFor("u/qimubox-v1.1.zip"), "application/zip");
  EXPECT_EQ(contentTypeFor("noextension"), "application/octet-stream");
}

}  // namespace
}  // namespace qimubox::site
