// The catalog's list box: a report view of rows and columns with single
// selection, whose cells hold GBK texts. The columns and their titles come
// from the form. GUI thread only.
#pragma once

#include <QTreeWidget>
#include <string>

namespace qimubox {

class SuperListBox : public QTreeWidget {
  Q_OBJECT
  // Height of every row in pixels; 0 leaves the style's height.
  Q_PROPERTY(int rowHeight READ rowHeight WRITE setRowHeight)
  // Column widths in pixels, separated by commas ("0,120,205"); a column of
  // width 0 holds data the user does not see.
  Q_PROPERTY(QString columnWidths READ columnWidths WRITE setColumnWidths)

 public:
  explicit SuperListBox(QWidget* parent = nullptr);

  int rowCount() const { return topLevelItemCount(); }
  // Removes every row without raising currentRowChanged.
  void deleteAllRows();
  // Appends an empty row and returns its index.
  int insertRow();
  // Cells of missing rows or columns are ignored on writing and read empty.
  void setCellText(int row, int column, const std::string& gbk);
  std::string cellText(int row, int column) const;

  // The current row, -1 when there is none.
  int currentRow() const;
  // Makes `row` the selected and current row; a missing row changes nothing.
  void selectRow(int row);

  int rowHeight() const { return rowHeight_; }
  void setRowHeight(int pixels);
  QString columnWidths() const;
  void setColumnWidths(const QString& widths);

 Q_SIGNALS:
  // Another row became current: by the mouse, the keys or selectRow.
  void currentRowChanged(int row);
  void rightClicked();

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void reportCurrentItem(QTreeWidgetItem* current);

  int rowHeight_ = 0;
};

}  // namespace qimubox
