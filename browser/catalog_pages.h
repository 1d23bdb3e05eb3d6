// The eight paged catalog views of the main window: counting a view's pages,
// loading its current page, 刷新 for all of them, and the five paging
// buttons of each view.
#pragma once

#include <array>
#include <memory>

#include "browser/category.h"
#include "browser/page_state.h"
#include "catalogdb/db_connection.h"

class QLabel;
class QLineEdit;

namespace qimubox {

class MainForm;
class PartStatusBar;
class PictureBox;
class SuperListBox;

class CatalogPages {
 public:
  // `connection` is the program's one connection, read at every use.
  CatalogPages(MainForm& form, std::unique_ptr<DbConnection>& connection);

  void setPageSize(int entries) { pageSize_ = entries; }
  int pageSize() const { return pageSize_; }
  const PageState& pageState(int view) const { return states_.at(static_cast<std::size_t>(view)); }
  SuperListBox& list(int view) const { return *views_.at(static_cast<std::size_t>(view)).list; }

  // Recounts the view: its page count label, and for 首页 the entry total in
  // status bar part 5.
  void countPages(int view);
  // Replaces the view's rows with its current page; selects nothing.
  void loadPage(int view);
  // 刷新: 首页 back to its first page, then every view recounted and reloaded.
  void refreshAll();

  // The paging buttons; each ends by selecting row 0 of the view's list.
  void goFirstPage(int view);
  void goPreviousPage(int view);
  void goNextPage(int view);
  void goLastPage(int view);
  void goToPage(int view);

 private:
  struct ViewControls {
    SuperListBox* list;
    QLabel* pageNumber;
    QLabel* pageCount;
    QLineEdit* jumpBox;
  };

  PageState& state(int view) { return states_.at(static_cast<std::size_t>(view)); }
  const ViewControls& controls(int view) const { return views_.at(static_cast<std::size_t>(view)); }
  // Writes the page number label, loads the page and selects its first row.
  void showPage(int view);
  void refuse(const char* gbkText);

  MainForm& form_;
  std::unique_ptr<DbConnection>& connection_;
  PartStatusBar& statusBar_;
  PictureBox& loadingPicture_;
  std::array<ViewControls, kCategoryCount> views_;
  std::array<PageState, kCategoryCount> states_{};
  int pageSize_ = 0;
};

}  // namespace qimubox
