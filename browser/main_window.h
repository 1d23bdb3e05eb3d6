// The main window, the catalog browser: creation in its fixed order, the
// chrome, and the handlers of the views, the paging buttons, the detail
// panel, the navigation bar and the search.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "banner/banner_carousel.h"
#include "browser/catalog_pages.h"
#include "browser/catalog_search.h"
#include "browser/detail_panel.h"
#include "browser/navigation_bar.h"
#include "browser/program_state.h"
#include "forms/main_form.h"

namespace qimubox {

class UsageCountMailbox;

// What the window needs from outside the browser.
struct MainWindowHooks {
  // Loads the updater window (the Yes of 检查更新).
  std::function<void()> openUpdater;
  // Ends the program with the exit code (关闭, after closing the connection).
  std::function<void(int code)> exitProgram;
  // host[:port] of the statistics endpoint.
  std::string statsHost;
  std::function<std::string(const std::string& url)> statsFetch;
  std::chrono::milliseconds statsRetryWait{10000};
  BannerPictureFetcher bannerFetch = fetchBannerPicture;
};

// The hooks of the real program: the build's statistics host, HTTP reads.
MainWindowHooks defaultMainWindowHooks(std::function<void()> openUpdater, std::function<void(int)> exitProgram);

class MainWindow : public MainForm {
  Q_OBJECT

 public:
  static constexpr int kPageSize = 10;

  // Runs the creation steps; `state` must outlive the window and hold the
  // open connection and the settings.
  MainWindow(ProgramState& state, MainWindowHooks hooks);
  ~MainWindow() override;

  CatalogPages& pages() { return pages_; }
  DetailPanel& details() { return details_; }
  NavigationBar& navigation() { return navigation_; }
  CatalogSearch& search() { return search_; }

  // 检查更新.
  void checkForUpdate();

 private:
  void connectHandlers();
  void readBannerSlots();
  void bindAnnouncementLabel();
  void applySidePanelSwitch();
  void startStatistics();
  // 按钮_搜索: the search, then the 首页 action from a thread of its own.
  void searchAndShowHome();
  void closeProgram();

  ProgramState& state_;
  MainWindowHooks hooks_;
  CatalogPages pages_;
  DetailPanel details_;
  NavigationBar navigation_;
  CatalogSearch search_;
  std::shared_ptr<UsageCountMailbox> usageCount_;
  // Last: joined first when the window goes, before any control they post to.
  std::jthread labelBinding_;
  std::jthread sidePanelSwitch_;
  std::jthread searchFollowUp_;
};

}  // namespace qimubox
