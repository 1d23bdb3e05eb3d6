// What the program holds from start-up to exit: the one connection, the
// settings read at login, the running version, the announcement's label
// object, the banner slots and the statistics texts. One object, owned by
// main(); worker threads get copies or shared pieces, never this.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "catalogdb/db_connection.h"
#include "catalogdb/records.h"
#include "richlabel/rich_text_label.h"

namespace qimubox {

struct ProgramState {
  std::unique_ptr<DbConnection> connection;  // none until login, none again after 关闭
  SiteSettings settings;                     // written only by the settings thread
  std::string runningVersion;                // set by the version gate
  std::unique_ptr<RichTextLabel> announcementLabel;
  std::array<BannerSlot, 6> bannerSlots;
  std::string statsBaseUrl;
  std::string usageCountText;  // the last count reply, written on the GUI thread
};

}  // namespace qimubox
