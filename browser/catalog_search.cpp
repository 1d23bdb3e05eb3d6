#include "browser/catalog_search.h"

#include <QLineEdit>

#include "browser/catalog_rows.h"
#include "browser/form_control.h"
#include "browser/messages.h"
#include "browser/search_query.h"
#include "forms/controls/super_list_box.h"
#include "forms/main_form.h"
#include "platform/gbk_convert.h"
#include "platform/message_box.h"

namespace qimubox {

CatalogSearch::CatalogSearch(MainForm& form, std::unique_ptr<DbConnection>& connection)
    : form_(form),
      connection_(connection),
      searchBox_(formControl<QLineEdit>(form, "编辑框4")),
      homeList_(formControl<SuperListBox>(form, "超级列表框1")) {}

void CatalogSearch::runSearch() {
  homeList_.deleteAllRows();
  const std::string text = fromDisplay(searchBox_.text());
  if (text.empty()) {
    messageBox("\xC7\xEB\xCA\xE4\xC8\xEB\xD0\xE8\xD2\xAA\xCB\xD1\xCB\xF7\xB5\xC4\xC4\xDA\xC8\xDD",  // 请输入需要搜索的内容
               kMessageOk, kDefaultMessageTitle, &form_);
    return;
  }
  // The terms are data: escaped by the client library for the connection's
  // character set (GBK), so no typed text can end the literal.
  DbConnection* connection = connection_.get();
  const std::string statement = searchStatement(
      searchTerms(text), [connection](const std::string& term) { return escapeText(connection, term); });
  execute(connection, statement);
  std::unique_ptr<RecordSet> found = storeResult(connection);
  if (rowCount(found.get()) == 0) {
    freeResult(found);
    messageBox("\xD4\xDD\xCA\xB1\xC3\xBB\xD3\xD0\xCF\xE0\xB9\xD8\xCA\xFD\xBE\xDD",  // 暂时没有相关数据
               kMessageInformation, kHintTitle, &form_);
    return;
  }
  appendEntryRows(found.get(), homeList_);
  freeResult(found);
}

}  // namespace qimubox
