// The main window, 991 × 613 at (50, 50) without a title bar: the left pane,
// the navigation bar, the banner, the search row, the eight catalog pages of
// `选择夹1`, the detail panel, the announcement and the status bar. The
// browser, the banner and the announcement label attach the behaviour.
#pragma once

#include <QAction>
#include <QMenu>
#include <QTimer>
#include <QWidget>

#include "forms/ui_main_form.h"

namespace qimubox {

class MainForm : public QWidget {
  Q_OBJECT

 public:
  static constexpr int listRowHeight = 29;

  explicit MainForm(QWidget* parent = nullptr);

  Ui::MainForm& ui() { return ui_; }
  // `时钟1`, the banner's timer, stopped until the window is set up.
  QTimer& bannerTimer() { return *bannerTimer_; }
  // `菜单`, popped up by a right click on a list, and its one item `刷新`.
  QMenu& listMenu() { return *listMenu_; }
  QAction& refreshAction() { return *refreshAction_; }

 private:
  Ui::MainForm ui_;
  QTimer* bannerTimer_;
  QMenu* listMenu_;
  QAction* refreshAction_;
};

}  // namespace qimubox
