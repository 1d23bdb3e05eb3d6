// The detail panel 分组框1: the entry of the row that last became current in
// any catalog list, with its icon, and 立即下载 for its download address.
#pragma once

#include <string>

class QLabel;
class QPlainTextEdit;

namespace qimubox {

class MainForm;
class PictureBox;
class SuperListBox;

class DetailPanel {
 public:
  explicit DetailPanel(MainForm& form);

  // The current row of `list` into the panel; its icon is fetched at once
  // (the call blocks until the icon host answers or times out).
  void showEntryDetails(const SuperListBox& list);
  // 立即下载: hands the kept download address to the shell, unchecked.
  void openDownloadAddress() const;

  const std::string& downloadAddress() const { return downloadAddress_; }

 private:
  QLabel& name_;
  QLabel& updateTime_;
  QLabel& size_;
  QPlainTextEdit& introduction_;
  PictureBox& icon_;
  std::string downloadAddress_;
};

}  // namespace qimubox
