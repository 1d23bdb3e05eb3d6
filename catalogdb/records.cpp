#include "catalogdb/records.h"

namespace qimubox {

bool isSwitchOn(const std::string& value) {
  return value == "\xBF\xAA";  // 开
}

}  // namespace qimubox
