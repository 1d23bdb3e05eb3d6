#include "browser/page_state.h"

#include <algorithm>
#include <limits>

namespace qimubox {

int pageCountAfter(std::int64_t entries, int pageSize, int previous) {
  if (entries <= 0 || pageSize <= 0) return previous;
  const std::int64_t pages = entries / pageSize + 1;
  return static_cast<int>(std::min<std::int64_t>(pages, std::numeric_limits<int>::max()));
}

int jumpTarget(std::int64_t typed, int pageCount) {
  const std::int64_t lastPage = static_cast<std::int64_t>(pageCount) - 1;
  if (typed > lastPage) return static_cast<int>(std::max<std::int64_t>(lastPage, 0));
  return typed < 1 ? 0 : static_cast<int>(typed - 1);
}

}  // namespace qimubox
