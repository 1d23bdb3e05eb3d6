#include "browser/catalog_pages.h"

#include <QLabel>
#include <QLineEdit>
#include <string>

#include "browser/catalog_rows.h"
#include "browser/form_control.h"
#include "browser/messages.h"
#include "forms/controls/part_status_bar.h"
#include "forms/controls/picture_box.h"
#include "forms/controls/super_list_box.h"
#include "forms/main_form.h"
#include "platform/gbk_convert.h"
#include "platform/message_box.h"
#include "platform/numbers.h"

namespace qimubox {

namespace {

constexpr int kEntryTotalPart = 5;
const char* const kFirstPageText = "\xD5\xE2\xCA\xC7\xB5\xDA\xD2\xBB\xD2\xB3";                // 这是第一页
const char* const kLastPageText = "\xD2\xD1\xBE\xAD\xCA\xC7\xD7\xEE\xBA\xF3\xD2\xBB\xD2\xB3\xC1\xCB";  // 已经是最后一页了

}  // namespace

CatalogPages::CatalogPages(MainForm& form, std::unique_ptr<DbConnection>& connection)
    : form_(form),
      connection_(connection),
      statusBar_(formControl<PartStatusBar>(form, "状态条1")),
      loadingPicture_(formControl<PictureBox>(form, "图片框4")) {
  for (int view = 0; view < kCategoryCount; ++view) {
    const Category& category = categories()[static_cast<std::size_t>(view)];
    views_[static_cast<std::size_t>(view)] = {
        &formControl<SuperListBox>(form, category.listName), &formControl<QLabel>(form, category.pageNumberName),
        &formControl<QLabel>(form, category.pageCountName), &formControl<QLineEdit>(form, category.jumpBoxName)};
  }
}

void CatalogPages::countPages(int view) {
  const Category& category = categories()[static_cast<std::size_t>(view)];
  std::unique_ptr<RecordSet> rows =
      selectRows(connection_.get(), "wzsj", category.countColumn, category.countCondition, "id DESC");
  const std::int64_t entries = rowCount(rows.get());
  freeResult(rows);
  if (view == kHomeView) statusBar_.setPartText(kEntryTotalPart, std::to_string(entries));
  PageState& counted = state(view);
  counted.pageCount = pageCountAfter(entries, pageSize_, counted.pageCount);
  controls(view).pageCount->setText(toDisplay(std::to_string(counted.pageCount)));
}

void CatalogPages::loadPage(int view) {
  SuperListBox& rows = *controls(view).list;
  rows.deleteAllRows();
  loadingPicture_.setVisible(true);
  // A refused statement stores no result, which has no rows.
  execute(connection_.get(), pageStatement(view, state(view).currentPage, pageSize_));
  std::unique_ptr<RecordSet> page = storeResult(connection_.get());
  appendEntryRows(page.get(), rows);
  freeResult(page);
  loadingPicture_.setVisible(false);
}

void CatalogPages::refreshAll() {
  state(kHomeView).currentPage = 0;
  // The home view's label follows its page back to 1.
  controls(kHomeView).pageNumber->setText(toDisplay("1"));
  for (const ViewControls& view : views_) view.list->deleteAllRows();
  for (int view = 0; view < kCategoryCount; ++view) {
    countPages(view);
    loadPage(view);
  }
}

void CatalogPages::showPage(int view) {
  controls(view).pageNumber->setText(toDisplay(std::to_string(state(view).currentPage + 1)));
  loadPage(view);
  controls(view).list->selectRow(0);
}

void CatalogPages::refuse(const char* gbkText) {
  messageBox(gbkText, kMessageInformation, kHintTitle, &form_);
}

void CatalogPages::goFirstPage(int view) {
  state(view).currentPage = 0;
  showPage(view);
}

void CatalogPages::goPreviousPage(int view) {
  PageState& moving = state(view);
  if (moving.currentPage == 0) {
    refuse(kFirstPageText);
    return;
  }
  --moving.currentPage;
  showPage(view);
}

void CatalogPages::goNextPage(int view) {
  PageState& moving = state(view);
  if (moving.currentPage + 1 >= moving.pageCount) {
    refuse(kLastPageText);
    return;
  }
  ++moving.currentPage;
  showPage(view);
}

void CatalogPages::goLastPage(int view) {
  PageState& moving = state(view);
  if (moving.currentPage + 1 >= moving.pageCount) {
    refuse(kLastPageText);
    return;
  }
  moving.currentPage = moving.pageCount - 1;
  showPage(view);
}

void CatalogPages::goToPage(int view) {
  const std::int64_t typed = textToInteger(fromDisplay(controls(view).jumpBox->text()));
  state(view).currentPage = jumpTarget(typed, state(view).pageCount);
  showPage(view);
}

}  // namespace qimubox
