// The navigation bar: eight links over the catalog views with the slider
// 滑块 above the active one. A press (not a release) on a link shows its
// view; a category link also reloads and recounts it.
#pragma once

#include <array>

#include "browser/category.h"

class QTabWidget;

namespace qimubox {

class CatalogPages;
class HyperlinkBox;
class MainForm;
class TransparentLabel;

class NavigationBar {
 public:
  static constexpr int kHighlightColour = 0 + 107 * 256 + 196 * 65536;  // RGB(0, 107, 196)
  static constexpr int kIdleColour = 120 + 130 * 256 + 180 * 65536;     // RGB(120, 130, 180)

  NavigationBar(MainForm& form, CatalogPages& pages);

  // The link of `view` was pressed.
  void activateCategory(int view);
  // What pressing 首页 does to the controls: tab page 0, the slider above
  // 首页, the colours. Touches neither the database nor a page state. GUI thread.
  void showHomeView();

 private:
  void showView(int view);

  CatalogPages& pages_;
  QTabWidget& tabs_;
  TransparentLabel& slider_;
  std::array<HyperlinkBox*, kCategoryCount> links_{};
};

}  // namespace qimubox
