// Fills a catalog list box from a stored result of table wzsj, in the
// eight-column layout every list box shares.
#pragma once

#include "catalogdb/db_connection.h"
#include "catalogdb/records.h"

namespace qimubox {

class SuperListBox;

// The columns of a catalog list box; the four of width 0 hold data only.
enum CatalogColumn : int {
  kColumnId = 0,
  kColumnName = 1,
  kColumnIntroduction = 2,
  kColumnUpdateTime = 3,
  kColumnSize = 4,
  kColumnIcon = 5,
  kColumnDownload = 6,
  kColumnCategory = 7,
};

// Appends one row per row of `records`, in order.
void appendEntryRows(RecordSet* records, SuperListBox& list);

}  // namespace qimubox
