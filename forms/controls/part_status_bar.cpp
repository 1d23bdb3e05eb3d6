#include "forms/controls/part_status_bar.h"

#include <QLabel>

#include "platform/gbk_convert.h"

namespace qimubox {

PartStatusBar::PartStatusBar(QWidget* parent) : QWidget(parent) {}

QString PartStatusBar::partWidths() const {
  QStringList widths;
  for (const QLabel* part : parts_) widths << QString::number(part->width());
  return widths.join(QLatin1Char(','));
}

void PartStatusBar::setPartWidths(const QString& widths) {
  const QStringList texts = partTexts();
  for (QLabel* part : parts_) delete part;
  parts_.clear();

  int left = 0;
  for (const QString& width : widths.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
    auto* part = new QLabel(this);
    part->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    part->setGeometry(left, 0, width.trimmed().toInt(), height());
    part->show();
    left += part->width();
    parts_.push_back(part);
  }
  setPartTexts(texts);
}

QStringList PartStatusBar::partTexts() const {
  QStringList texts;
  for (const QLabel* part : parts_) texts << part->text();
  return texts;
}

void PartStatusBar::setPartTexts(const QStringList& texts) {
  for (int i = 0; i < partCount(); ++i) parts_[i]->setText(i < texts.size() ? texts[i] : QString());
}

int PartStatusBar::partWidth(int part) const {
  const QLabel* label = labelOf(part);
  return label == nullptr ? 0 : label->width();
}

void PartStatusBar::setPartText(int part, const std::string& gbk) {
  if (QLabel* label = labelOf(part)) label->setText(toDisplay(gbk));
}

std::string PartStatusBar::partText(int part) const {
  const QLabel* label = labelOf(part);
  return label == nullptr ? std::string() : fromDisplay(label->text());
}

void PartStatusBar::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  for (QLabel* part : parts_) part->resize(part->width(), height());
}

QLabel* PartStatusBar::labelOf(int part) const {
  return part >= 0 && part < partCount() ? parts_[part] : nullptr;
}

}  // namespace qimubox
