// Titles the browser's message boxes share.
#pragma once

#include <string>

namespace qimubox {

// 提示: the title of refusals and empty results, shown with the information icon.
inline const std::string kHintTitle = "\xCC\xE1\xCA\xBE";

}  // namespace qimubox
