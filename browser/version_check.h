// The running version and the one comparison of versions: byte for byte,
// with no ordering, so any other text (older, newer, "v1.0", empty) is new.
#pragma once

#include <string>

namespace qimubox {

inline const std::string kRunningVersion = "V1.0";

// The question asked when the published version is another one.
inline const std::string kUpdateQuestion =
    "\xB5\xB1\xC7\xB0\xD2\xD1\xD3\xD0\xD0\xC2\xB0\xE6\xB1\xBE\xCA\xC7\xB7\xF1\xB8\xFC\xD0\xC2";  // 当前已有新版本是否更新

// True when the published version `latest` is the running one.
inline bool isRunningVersion(const std::string& runningVersion, const std::string& latest) {
  return runningVersion == latest;
}

}  // namespace qimubox
