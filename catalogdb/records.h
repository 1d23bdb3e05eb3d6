// The records read from the catalog tables: the settings row of ht, one entry
// of wzsj and one of the six banner slots of ggw. Texts are GBK bytes; a text
// never read is empty.
#pragma once

#include <string>

namespace qimubox {

class RecordSet;

// The single row of table ht.
struct SiteSettings {
  std::string ggnr;    // announcement, rich text with links
  std::string zxbb;    // latest published version, e.g. "V1.0"
  std::string tgkg;    // side-panel switch
  std::string qzgx;    // forced-update switch
  std::string qlj;     // group link
  std::string gxdz;    // update package address
  std::string gxrz;    // update log
  std::string zxbbmc;  // update file name without extension
};

// One row of table wzsj.
struct CatalogEntry {
  int id = 0;
  std::string fl;    // category number 1..7, as text
  std::string mc;    // name
  std::string jj;    // introduction
  std::string tb;    // icon address
  std::string xzdz;  // download address
  std::string gxsj;  // update time
  std::string rjdx;  // size
};

// The entry at the cursor of `records`, its eight columns read in the order
// mc, jj, tb, xzdz, gxsj, rjdx, id, fl; a column that cannot be read stays
// empty (0 for id).
CatalogEntry readCatalogEntry(RecordSet* records);

// One of the six slots of table ggw: columns hdpggwNtp, hdpggwNdz, hdpggwNbt.
struct BannerSlot {
  std::string pictureAddress;
  std::string linkAddress;
  std::string title;
};

// A switch column is on only when it holds exactly the character for "on".
bool isSwitchOn(const std::string& value);

}  // namespace qimubox
