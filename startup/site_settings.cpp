#include "startup/site_settings.h"

#include <memory>

namespace qimubox {

void readSiteSettings(DbConnection* connection, SiteSettings& settings) {
  execute(connection, "SELECT * FROM ht");
  std::unique_ptr<RecordSet> row = storeResult(connection);
  readField(row.get(), "ggnr", settings.ggnr);
  readField(row.get(), "zxbb", settings.zxbb);
  readField(row.get(), "tgkg", settings.tgkg);
  readField(row.get(), "qzgx", settings.qzgx);
  readField(row.get(), "qlj", settings.qlj);
  readField(row.get(), "gxdz", settings.gxdz);
  readField(row.get(), "gxrz", settings.gxrz);
  readField(row.get(), "zxbbmc", settings.zxbbmc);
  freeResult(row);
}

}  // namespace qimubox
