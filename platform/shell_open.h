// The shell-open seam: addresses handed to the desktop (download addresses,
// the group link, banner and announcement links). Tests record them instead.
#pragma once

#include <functional>
#include <string>

namespace qimubox {

struct ShellOpenRequest {
  std::string address;  // GBK, passed on unchanged, an empty one included
  std::string verb;     // "open" / "Open"
};

using ShellOpenHandler = std::function<void(const ShellOpenRequest&)>;

// Hands the address to the desktop's handler; the result is not examined.
// Callable from any thread.
void shellOpen(const std::string& address, const std::string& verb = "open");

// Installs a handler (an empty one restores the desktop) and returns the previous one.
ShellOpenHandler setShellOpenHandler(ShellOpenHandler handler);

}  // namespace qimubox
