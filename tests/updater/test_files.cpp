#include "tests/updater/test_files.h"

#include <atomic>
#include <fstream>
#include <iterator>
#include <sstream>
#include <unistd.h>

namespace qimubox::testing {

TemporaryFolder::TemporaryFolder() {
  static std::atomic<int> counter{0};
  std::ostringstream name;
  name << "qimubox-updater-" << ::getpid() << "-" << counter++;
  folder_ = std::filesystem::temp_directory_path() / name.str();
  std::filesystem::remove_all(folder_);
  std::filesystem::create_directories(folder_);
}

TemporaryFolder::~TemporaryFolder() {
  std::error_code error;
  std::filesystem::remove_all(folder_, error);
}

std::string readWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeWholeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace qimubox::testing
