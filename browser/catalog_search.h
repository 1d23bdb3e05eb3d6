// The name search: 编辑框4's text, up to two comma-separated terms, every
// entry whose name contains one of them listed in 首页's list, newest first
// and without paging.
#pragma once

#include <memory>

#include "catalogdb/db_connection.h"

class QLineEdit;

namespace qimubox {

class MainForm;
class SuperListBox;

class CatalogSearch {
 public:
  CatalogSearch(MainForm& form, std::unique_ptr<DbConnection>& connection);

  // Empties 首页's list first, then searches; tells the user when the text is
  // empty or nothing matched. Selects no row and leaves 首页's page state and
  // labels alone.
  void runSearch();

 private:
  MainForm& form_;
  std::unique_ptr<DbConnection>& connection_;
  QLineEdit& searchBox_;
  SuperListBox& homeList_;
};

}  // namespace qimubox
