#include "forms/controls/super_list_box.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QStyledItemDelegate>

#include "platform/gbk_convert.h"

namespace qimubox {

namespace {

// Gives every row the list's row height.
class FixedRowHeightDelegate : public QStyledItemDelegate {
 public:
  explicit FixedRowHeightDelegate(SuperListBox* list) : QStyledItemDelegate(list), list_(*list) {}

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize hint = QStyledItemDelegate::sizeHint(option, index);
    if (list_.rowHeight() > 0) hint.setHeight(list_.rowHeight());
    return hint;
  }

 private:
  const SuperListBox& list_;
};

}  // namespace

SuperListBox::SuperListBox(QWidget* parent) : QTreeWidget(parent) {
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  header()->setMinimumSectionSize(0);
  header()->setStretchLastSection(false);
  setItemDelegate(new FixedRowHeightDelegate(this));
  connect(this, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* current, QTreeWidgetItem*) { reportCurrentItem(current); });
}

void SuperListBox::deleteAllRows() {
  // Clearing leaves no current row, which reportCurrentItem does not report.
  clear();
}

int SuperListBox::insertRow() {
  auto* item = new QTreeWidgetItem(this);
  return indexOfTopLevelItem(item);
}

void SuperListBox::setCellText(int row, int column, const std::string& gbk) {
  QTreeWidgetItem* item = topLevelItem(row);
  if (item == nullptr || column < 0 || column >= columnCount()) return;
  item->setText(column, toDisplay(gbk));
}

std::string SuperListBox::cellText(int row, int column) const {
  const QTreeWidgetItem* item = topLevelItem(row);
  if (item == nullptr || column < 0 || column >= columnCount()) return {};
  return fromDisplay(item->text(column));
}

int SuperListBox::currentRow() const {
  QTreeWidgetItem* item = currentItem();
  return item == nullptr ? -1 : indexOfTopLevelItem(item);
}

void SuperListBox::selectRow(int row) {
  QTreeWidgetItem* item = topLevelItem(row);
  if (item == nullptr) return;
  setCurrentItem(item);
}

void SuperListBox::setRowHeight(int pixels) {
  rowHeight_ = pixels < 0 ? 0 : pixels;
  // Uniform row heights are cached by the view; a fresh layout measures again.
  scheduleDelayedItemsLayout();
}

QString SuperListBox::columnWidths() const {
  QStringList widths;
  for (int column = 0; column < columnCount(); ++column) widths << QString::number(columnWidth(column));
  return widths.join(QLatin1Char(','));
}

void SuperListBox::setColumnWidths(const QString& widths) {
  const QStringList pieces = widths.split(QLatin1Char(','), Qt::SkipEmptyParts);
  if (pieces.size() > columnCount()) setColumnCount(static_cast<int>(pieces.size()));
  for (int column = 0; column < pieces.size(); ++column) {
    header()->resizeSection(column, pieces[column].trimmed().toInt());
  }
}

void SuperListBox::contextMenuEvent(QContextMenuEvent* event) {
  event->accept();
  Q_EMIT rightClicked();
}

void SuperListBox::reportCurrentItem(QTreeWidgetItem* current) {
  if (current == nullptr) return;
  Q_EMIT currentRowChanged(indexOfTopLevelItem(current));
}

}  // namespace qimubox
