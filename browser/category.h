// The eight catalog views of the main window: 首页 with every entry and the
// seven categories of column fl. Each row names the view's controls (the
// form's object names) and the statements that count and page it.
#pragma once

#include <array>
#include <string>

namespace qimubox {

struct Category {
  const char* linkName;        // the navigation link (object names are UTF-8)
  const char* listName;        // its list box
  const char* pageNumberName;  // label 第 … 页: currentPage + 1
  const char* pageCountName;   // label 共 … 页: pageCount
  const char* jumpBoxName;     // the jump box
  const char* buttonSuffix;    // "" for 首页, "1" … "7" for the categories
  const char* countColumn;
  const char* countCondition;
  const char* pagePrefix;      // the page statement up to its offset
};

inline constexpr int kCategoryCount = 8;
inline constexpr int kHomeView = 0;

// The view index equals the tab page of 选择夹1.
const std::array<Category, kCategoryCount>& categories();

// The page statement of `view`: its prefix, the offset pageSize × page, ","
// and pageSize.
std::string pageStatement(int view, int page, int pageSize);

}  // namespace qimubox
