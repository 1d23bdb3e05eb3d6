#include "browser/main_window.h"

#include <QCursor>
#include <QPushButton>
#include <utility>

#include "browser/form_control.h"
#include "browser/usage_statistics.h"
#include "browser/version_check.h"
#include "forms/controls/part_status_bar.h"
#include "forms/controls/super_list_box.h"
#include "platform/gbk_convert.h"
#include "platform/gui_thread.h"
#include "platform/http_read.h"
#include "platform/message_box.h"
#include "platform/shell_open.h"
#include "qimubox/build_values.h"

namespace qimubox {

namespace {

constexpr int kRunningVersionPart = 1;
constexpr int kLatestVersionPart = 3;
constexpr int kUsageCountPart = 7;

const char* const kUpToDate =
    "\xB5\xB1\xC7\xB0\xCE\xAA\xD7\xEE\xD0\xC2\xB0\xE6\xB1\xBE\xCE\xDE\xD0\xE8\xB8\xFC\xD0\xC2";  // 当前为最新版本无需更新

QPushButton& button(QWidget& form, const std::string& name) {
  return formControl<QPushButton>(form, name.c_str());
}

}  // namespace

MainWindowHooks defaultMainWindowHooks(std::function<void()> openUpdater, std::function<void(int)> exitProgram) {
  MainWindowHooks hooks;
  hooks.openUpdater = std::move(openUpdater);
  hooks.exitProgram = std::move(exitProgram);
  hooks.statsHost = build::statsHost;
  hooks.statsFetch = httpReadFile;
  return hooks;
}

MainWindow::MainWindow(ProgramState& state, MainWindowHooks hooks)
    : state_(state),
      hooks_(std::move(hooks)),
      pages_(*this, state.connection),
      details_(*this),
      navigation_(*this, pages_),
      search_(*this, state.connection) {
  connectHandlers();
  PartStatusBar& statusBar = formControl<PartStatusBar>(*this, "状态条1");

  state_.statsBaseUrl = "http://" + hooks_.statsHost + "/hezi/tongji.php";
  for (int view = 0; view < kCategoryCount; ++view) pages_.list(view).setRowHeight(listRowHeight);
  // The first tick comes at once; the carousel sets its own period then.
  bannerTimer().start(1);
  labelBinding_ = std::jthread([this] { bindAnnouncementLabel(); });
  startStatistics();
  pages_.setPageSize(kPageSize);
  pages_.countPages(kHomeView);
  pages_.loadPage(kHomeView);
  readBannerSlots();
  new BannerCarousel(*this, state_.bannerSlots, hooks_.bannerFetch);  // a child of the window
  sidePanelSwitch_ = std::jthread([this] { applySidePanelSwitch(); });
  pages_.list(kHomeView).selectRow(0);
  statusBar.setPartText(kRunningVersionPart, state_.runningVersion);
  statusBar.setPartText(kLatestVersionPart, state_.settings.zxbb);
  ui().标签1->setText(toDisplay(state_.settings.ggnr));
}

MainWindow::~MainWindow() {
  // A count that arrives from now on finds nobody; the threads that post to
  // the controls are joined (they are the last members) before the controls go.
  usageCount_->close();
}

void MainWindow::connectHandlers() {
  for (int view = 0; view < kCategoryCount; ++view) {
    SuperListBox& list = pages_.list(view);
    connect(&list, &SuperListBox::currentRowChanged, this, [this, &list] { details_.showEntryDetails(list); });
    connect(&list, &SuperListBox::rightClicked, this, [this] { listMenu().popup(QCursor::pos()); });
    const std::string suffix = categories()[static_cast<std::size_t>(view)].buttonSuffix;
    connect(&button(*this, "按钮_首页" + suffix), &QPushButton::clicked, this, [this, view] { pages_.goFirstPage(view); });
    connect(&button(*this, "按钮_上一页" + suffix), &QPushButton::clicked, this,
            [this, view] { pages_.goPreviousPage(view); });
    connect(&button(*this, "按钮_下一页" + suffix), &QPushButton::clicked, this, [this, view] { pages_.goNextPage(view); });
    connect(&button(*this, "按钮_尾页" + suffix), &QPushButton::clicked, this, [this, view] { pages_.goLastPage(view); });
    connect(&button(*this, "按钮_跳转" + suffix), &QPushButton::clicked, this, [this, view] { pages_.goToPage(view); });
  }
  connect(&refreshAction(), &QAction::triggered, this, [this] { pages_.refreshAll(); });
  connect(ui().下载, &QPushButton::clicked, this, [this] { details_.openDownloadAddress(); });
  connect(ui().按钮_搜索, &QPushButton::clicked, this, [this] { searchAndShowHome(); });
  connect(ui().关闭, &QPushButton::clicked, this, [this] { closeProgram(); });
  connect(ui().关闭1, &QPushButton::clicked, this, [this] { showMinimized(); });
  connect(ui().加群1, &QPushButton::clicked, this, [this] { shellOpen(state_.settings.qlj); });
  connect(ui().更新, &QPushButton::clicked, this, [this] { checkForUpdate(); });
}

void MainWindow::readBannerSlots() {
  execute(state_.connection.get(), "SELECT * FROM ggw");
  std::unique_ptr<RecordSet> row = storeResult(state_.connection.get());
  // Column hdpggw<N>tp, dz and bt of slot N; read all pictures, then all links, then all titles.
  const auto column = [](std::size_t slot, const char* kind) { return "hdpggw" + std::to_string(slot + 1) + kind; };
  for (std::size_t slot = 0; slot < state_.bannerSlots.size(); ++slot)
    readField(row.get(), column(slot, "tp"), state_.bannerSlots[slot].pictureAddress);
  for (std::size_t slot = 0; slot < state_.bannerSlots.size(); ++slot)
    readField(row.get(), column(slot, "dz"), state_.bannerSlots[slot].linkAddress);
  for (std::size_t slot = 0; slot < state_.bannerSlots.size(); ++slot)
    readField(row.get(), column(slot, "bt"), state_.bannerSlots[slot].title);
  freeResult(row);
}

void MainWindow::bindAnnouncementLabel() {
  if (!state_.announcementLabel) return;
  // The label object carries each call, in order, to the GUI thread.
  RichTextLabel& label = *state_.announcementLabel;
  label.AttachWindow(ui().标签1, 1, 1);
  label.SetMargin(5);
  label.SetScrollInterval(600);
  label.SetPlainTextColor(0);
  label.SetLinkColor(255u * 65536u);
}

void MainWindow::applySidePanelSwitch() {
  if (!isSwitchOn(state_.settings.tgkg)) return;
  runOnThreadOf(this, [this] {
    ui().更新->setVisible(true);
    ui().加群1->setVisible(true);
  });
}

void MainWindow::startStatistics() {
  usageCount_ = std::make_shared<UsageCountMailbox>(this, [this](const std::string& count) {
    state_.usageCountText = count;
    formControl<PartStatusBar>(*this, "状态条1").setPartText(kUsageCountPart, count);
  });
  UsageStatisticsPing ping;
  ping.baseUrl = state_.statsBaseUrl;
  ping.fetch = hooks_.statsFetch;
  ping.retryWait = hooks_.statsRetryWait;
  startUsageStatistics(std::move(ping), usageCount_);
}

void MainWindow::searchAndShowHome() {
  search_.runSearch();
  // Replacing the thread joins the previous follow-up, which only queues a call.
  searchFollowUp_ = std::jthread([this] { runOnThreadOf(this, [this] { navigation_.showHomeView(); }); });
}

void MainWindow::checkForUpdate() {
  if (isRunningVersion(state_.runningVersion, state_.settings.zxbb)) {
    messageBox(kUpToDate);
    return;
  }
  if (messageBox(kUpdateQuestion, kMessageYesNo, kDefaultMessageTitle, this) != kAnswerYes) return;
  hooks_.openUpdater();
  hide();
}

void MainWindow::closeProgram() {
  qimubox::close(state_.connection);
  hooks_.exitProgram(0);
}

}  // namespace qimubox
