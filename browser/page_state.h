// Where one catalog view stands: the page it shows and how many pages it had
// at its last count, and the rules that move it.
#pragma once

#include <cstdint>

namespace qimubox {

struct PageState {
  int currentPage = 0;  // from 0; the user sees currentPage + 1
  int pageCount = 0;    // as last counted; kept when a count finds nothing
};

// The page count after counting `entries`: floor(entries / pageSize) + 1 for a
// nonzero count (20 entries give 3 pages, 9 give 1), `previous` for none.
int pageCountAfter(std::int64_t entries, int pageSize, int previous);

// The page a jump to the typed number `typed` lands on: the last page beyond
// the count, otherwise typed - 1, and never below the first page (a jump to
// page 0 or below would send a negative offset the server rejects).
int jumpTarget(std::int64_t typed, int pageCount);

}  // namespace qimubox
