// A private folder per test and whole-file reads and writes.
#pragma once

#include <filesystem>
#include <string>

namespace qimubox::testing {

class TemporaryFolder {
 public:
  TemporaryFolder();
  ~TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  // The path of `name` inside the folder (ASCII names, so also valid GBK).
  std::string path(const std::string& name) const { return (folder_ / name).string(); }

 private:
  std::filesystem::path folder_;
};

std::string readWholeFile(const std::string& path);
void writeWholeFile(const std::string& path, const std::string& bytes);

}  // namespace qimubox::testing
