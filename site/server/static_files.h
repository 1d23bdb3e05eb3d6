// The static part of the site: which file a request path names and which
// byte ranges of it a request can be given.
#pragma once

#include <httplib.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace qimubox::site {

// The regular file that the (decoded) request path names below `root`, which
// must be canonical. None for paths with "..", hidden names, back slashes or
// zero bytes, for directories, and for links that lead out of `root`.
std::optional<std::filesystem::path> staticFilePath(const std::filesystem::path& root, std::string_view requestPath);

// The media type by file name extension.
std::string contentTypeFor(const std::filesystem::path& file);

// Rewrites the requested ranges as first and last byte of a file of `size`
// bytes (an end past the file is cut to its last byte). False when a range
// starts at or after the end of the file, ends before it starts, or asks for
// an empty suffix: the request then cannot be satisfied.
bool fitRanges(httplib::Ranges& ranges, std::uint64_t size);

}  // namespace qimubox::site
