#include "browser/detail_panel.h"

#include <QLabel>
#include <QPlainTextEdit>

#include "browser/catalog_rows.h"
#include "browser/form_control.h"
#include "forms/controls/picture_box.h"
#include "forms/controls/super_list_box.h"
#include "forms/main_form.h"
#include "platform/gbk_convert.h"
#include "platform/shell_open.h"
#include "web/web_request.h"

namespace qimubox {

DetailPanel::DetailPanel(MainForm& form)
    : name_(formControl<QLabel>(form, "透明标签1")),
      updateTime_(formControl<QLabel>(form, "透明标签2")),
      size_(formControl<QLabel>(form, "透明标签3")),
      introduction_(formControl<QPlainTextEdit>(form, "编辑框1")),
      icon_(formControl<PictureBox>(form, "图片框2")) {}

void DetailPanel::showEntryDetails(const SuperListBox& list) {
  const int row = list.currentRow();
  name_.setText(toDisplay(list.cellText(row, kColumnName)));
  introduction_.setPlainText(toDisplay(list.cellText(row, kColumnIntroduction)));
  updateTime_.setText(toDisplay(list.cellText(row, kColumnUpdateTime)));
  size_.setText(toDisplay(list.cellText(row, kColumnSize)));
  WebRequest iconRequest;
  iconRequest.url = list.cellText(row, kColumnIcon);
  icon_.setPictureBytes(sendWebRequest(iconRequest));
  downloadAddress_ = list.cellText(row, kColumnDownload);
}

void DetailPanel::openDownloadAddress() const { shellOpen(downloadAddress_); }

}  // namespace qimubox
