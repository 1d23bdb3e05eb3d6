#include "platform/files.h"

#include <filesystem>
#include <system_error>

#include "platform/gbk_convert.h"

namespace qimubox {

namespace fs = std::filesystem;

bool fileExists(std::string_view gbkPath) {
  std::error_code error;
  return !gbkPath.empty() && fs::exists(toFilePath(gbkPath), error);
}

std::int64_t fileSize(std::string_view gbkPath) {
  std::error_code error;
  const auto size = fs::file_size(toFilePath(gbkPath), error);
  return error ? -1 : static_cast<std::int64_t>(size);
}

bool deleteFile(std::string_view gbkPath) {
  std::error_code error;
  return fs::remove(toFilePath(gbkPath), error) && !error;
}

bool renameFile(std::string_view fromGbkPath, std::string_view toGbkPath) {
  std::error_code error;
  const fs::path target = toFilePath(toGbkPath);
  if (fs::exists(target, error)) return false;
  fs::rename(toFilePath(fromGbkPath), target, error);
  return !error;
}

bool OutputFile::open(std::string_view gbkPath, Mode mode) {
  close();
  const fs::path path = toFilePath(gbkPath);
  const bool truncate = mode == Mode::CreateTruncate;
#ifdef _WIN32
  file_.reset(_wfopen(path.c_str(), truncate ? L"wb" : L"ab"));
#else
  file_.reset(std::fopen(path.c_str(), truncate ? "wb" : "ab"));
#endif
  // Every write is flushed at once anyway; without a buffer it is one system
  // call instead of a copy, a partial write and a flush.
  if (file_) std::setvbuf(file_.get(), nullptr, _IONBF, 0);
  return isOpen();
}

bool OutputFile::write(const char* data, std::size_t size) {
  if (!file_) return false;
  if (size > 0 && std::fwrite(data, 1, size, file_.get()) != size) return false;
  return std::fflush(file_.get()) == 0;
}

std::int64_t OutputFile::position() const {
  if (!file_) return -1;
  std::fseek(file_.get(), 0, SEEK_END);
  return static_cast<std::int64_t>(std::ftell(file_.get()));
}

void OutputFile::close() { file_.reset(); }

}  // namespace qimubox
