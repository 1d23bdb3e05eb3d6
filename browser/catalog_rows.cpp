#include "browser/catalog_rows.h"

#include <string>

#include "forms/controls/super_list_box.h"

namespace qimubox {

void appendEntryRows(RecordSet* records, SuperListBox& list) {
  const std::int64_t rows = rowCount(records);
  for (std::int64_t row = 0; row < rows; ++row) {
    moveToRow(records, row);
    const CatalogEntry entry = readCatalogEntry(records);
    const int at = list.insertRow();
    list.setCellText(at, kColumnId, std::to_string(entry.id));
    list.setCellText(at, kColumnName, entry.mc);
    list.setCellText(at, kColumnIntroduction, entry.jj);
    list.setCellText(at, kColumnUpdateTime, entry.gxsj);
    list.setCellText(at, kColumnSize, entry.rjdx);
    list.setCellText(at, kColumnIcon, entry.tb);
    list.setCellText(at, kColumnDownload, entry.xzdz);
    list.setCellText(at, kColumnCategory, entry.fl);
  }
}

}  // namespace qimubox
