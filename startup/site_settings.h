// Reading the settings row of table ht, once per run, on the settings thread.
#pragma once

#include "catalogdb/db_connection.h"
#include "catalogdb/records.h"

namespace qimubox {

// Fills `settings` from the first row of "SELECT * FROM ht". A failed query
// or an empty table leaves every field as it was.
void readSiteSettings(DbConnection* connection, SiteSettings& settings);

}  // namespace qimubox
