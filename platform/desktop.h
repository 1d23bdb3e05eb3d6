// Special folders and the clock of the run time.
#pragma once

#include <cstdint>
#include <string>

namespace qimubox {

// The user's desktop folder as a GBK path ending in the native separator.
std::string desktopFolder();

// Milliseconds since the system started (monotonic).
std::int64_t uptimeMilliseconds();

}  // namespace qimubox
