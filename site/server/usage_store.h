// Where the site server keeps the number of reported uses.
#pragma once

#include <cstdint>
#include <optional>

namespace qimubox::site {

class UsageStore {
 public:
  virtual ~UsageStore() = default;
  // Adds one use; true only when it has been durably recorded.
  virtual bool countOneUse() = 0;
  // The number of uses recorded so far; none when the store cannot be read.
  virtual std::optional<std::uint64_t> total() = 0;
};

}  // namespace qimubox::site
