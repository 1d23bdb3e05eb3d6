#include "catalogdb/records.h"

#include "catalogdb/db_connection.h"

namespace qimubox {

CatalogEntry readCatalogEntry(RecordSet* records) {
  CatalogEntry entry;
  readField(records, "mc", entry.mc);
  readField(records, "jj", entry.jj);
  readField(records, "tb", entry.tb);
  readField(records, "xzdz", entry.xzdz);
  readField(records, "gxsj", entry.gxsj);
  readField(records, "rjdx", entry.rjdx);
  readField(records, "id", entry.id);
  readField(records, "fl", entry.fl);
  return entry;
}

bool isSwitchOn(const std::string& value) {
  return value == "\xBF\xAA";  // 开
}

}  // namespace qimubox
