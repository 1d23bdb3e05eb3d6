#include "site/server/static_files.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

namespace qimubox::site {

namespace fs = std::filesystem;

std::optional<fs::path> staticFilePath(const fs::path& root, std::string_view requestPath) {
  if (!requestPath.starts_with('/')) return std::nullopt;
  if (requestPath.find_first_of(std::string_view("\\\0", 2)) != std::string_view::npos) return std::nullopt;

  fs::path candidate = root;
  std::size_t from = 1;
  while (from <= requestPath.size()) {
    const std::size_t slash = std::min(requestPath.find('/', from), requestPath.size());
    const std::string_view name = requestPath.substr(from, slash - from);
    if (name.starts_with('.')) return std::nullopt;  // also "." and ".."
    if (!name.empty()) candidate /= fs::path(std::string(name));
    from = slash + 1;
  }

  std::error_code error;
  const fs::path real = fs::canonical(candidate, error);
  if (error || !fs::is_regular_file(real, error)) return std::nullopt;
  // A link may point anywhere; only what really lies below the root is served.
  const auto [rootEnd, realAt] = std::mismatch(root.begin(), root.end(), real.begin(), real.end());
  if (rootEnd != root.end()) return std::nullopt;
  return real;
}

std::string contentTypeFor(const fs::path& file) {
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 10> types = {{
      {".png", "image/png"},
      {".jpg", "image/jpeg"},
      {".jpeg", "image/jpeg"},
      {".gif", "image/gif"},
      {".bmp", "image/bmp"},
      {".ico", "image/x-icon"},
      {".zip", "application/zip"},
      {".html", "text/html"},
      {".txt", "text/plain"},
      {".css", "text/css"},
  }};
  std::string extension = file.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (const auto& [known, type] : types) {
    if (extension == known) return std::string(type);
  }
  return "application/octet-stream";
}

bool fitRanges(httplib::Ranges& ranges, std::uint64_t size) {
  const auto last = static_cast<ssize_t>(size) - 1;
  for (httplib::Range& range : ranges) {
    auto [first, end] = range;
    if (first < 0) {  // a suffix: the last `end` bytes
      if (end <= 0 || size == 0) return false;
      first = std::max<ssize_t>(0, last + 1 - end);
      end = last;
    } else {
      if (first > last || (end >= 0 && end < first)) return false;
      if (end < 0 || end > last) end = last;
    }
    range = {first, end};
  }
  return true;
}

}  // namespace qimubox::site
