#include "browser/navigation_bar.h"

#include <QTabWidget>

#include "browser/catalog_pages.h"
#include "browser/form_control.h"
#include "forms/controls/hyperlink_box.h"
#include "forms/controls/super_list_box.h"
#include "forms/controls/transparent_label.h"
#include "forms/main_form.h"

namespace qimubox {

NavigationBar::NavigationBar(MainForm& form, CatalogPages& pages)
    : pages_(pages),
      tabs_(formControl<QTabWidget>(form, "选择夹1")),
      slider_(formControl<TransparentLabel>(form, "滑块")) {
  for (int view = 0; view < kCategoryCount; ++view) {
    HyperlinkBox& link = formControl<HyperlinkBox>(form, categories()[static_cast<std::size_t>(view)].linkName);
    links_[static_cast<std::size_t>(view)] = &link;
    QObject::connect(&link, &HyperlinkBox::pressed, &link, [this, view](Qt::MouseButton button) {
      if (button == Qt::LeftButton) activateCategory(view);
    });
  }
}

void NavigationBar::showView(int view) {
  slider_.move(links_[static_cast<std::size_t>(view)]->x(), slider_.y());
  tabs_.setCurrentIndex(view);
  for (int other = 0; other < kCategoryCount; ++other) {
    links_[static_cast<std::size_t>(other)]->setTextColor(other == view ? kHighlightColour : kIdleColour);
  }
}

void NavigationBar::activateCategory(int view) {
  showView(view);
  if (view == kHomeView) return;  // 首页 shows what its list holds, a search result included
  pages_.loadPage(view);
  pages_.countPages(view);
  pages_.list(view).selectRow(0);
}

void NavigationBar::showHomeView() { showView(kHomeView); }

}  // namespace qimubox
