// File services over GBK paths.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace qimubox {

bool fileExists(std::string_view gbkPath);
// Size in bytes (64-bit, so files over 2 GiB are counted right); -1 when missing.
std::int64_t fileSize(std::string_view gbkPath);
bool deleteFile(std::string_view gbkPath);
// Renames; fails when the target exists.
bool renameFile(std::string_view fromGbkPath, std::string_view toGbkPath);

// A file opened for writing, closed when the object goes.
class OutputFile {
 public:
  enum class Mode { CreateTruncate, AppendOrCreate };

  OutputFile() = default;
  bool open(std::string_view gbkPath, Mode mode);
  bool isOpen() const { return file_ != nullptr; }
  // Writes all bytes and flushes them, so that what was written survives a
  // transfer that ends abruptly.
  bool write(const char* data, std::size_t size);
  std::int64_t position() const;
  void close();

 private:
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file_{nullptr, &std::fclose};
};

}  // namespace qimubox
