#include "richlabel/label_painting.h"

#include <QFontMetrics>
#include <QPainter>

#include "platform/gbk_convert.h"
#include "richlabel/shared_handles.h"

namespace qimubox {
namespace {

QColor textColourOf(const TextRun& run, const LabelColours& colours) {
  if (run.colorSource == kPlainTextColour) return colourOf(colours.plainText);
  if (run.colorSource == kLinkColour) return colourOf(colours.link);
  return colourOf(static_cast<std::uint32_t>(run.colorSource));
}

void drawRun(QPainter& painter, const TextRun& run, const QString& shown, const RunRect& content,
             const LabelColours& colours) {
  if (content.bottom < run.rect.top || run.rect.bottom < content.top) return;
  switch (run.kind) {
    case RunKind::LineBreak:
      return;
    case RunKind::Rule: {
      const int y = run.rect.top + (run.rect.bottom - run.rect.top) / 2;
      painter.setPen(QPen(colourOf(kRuleColour), 1));
      // The line ends before its right edge, as a pixel row [left, right).
      if (run.rect.right > run.rect.left) painter.drawLine(run.rect.left, y, run.rect.right - 1, y);
      return;
    }
    case RunKind::Text:
    case RunKind::Link:
      if (shown.isEmpty()) return;
      painter.setPen(textColourOf(run, colours));
      painter.setFont(CreateSharedHandles().font(run.font));
      painter.drawText(QRect(QPoint(run.rect.left, run.rect.top), QPoint(run.rect.right - 1, run.rect.bottom - 1)),
                       Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
      return;
  }
}

}  // namespace

void PaintBuffers::release() {
  back_ = QImage();
  front_ = QImage();
  size_ = QSize();
}

void PaintBuffers::make(QSize size, qreal devicePixelRatio) {
  size_ = size;
  const QSize pixels = (QSizeF(size) * devicePixelRatio).toSize();
  back_ = QImage(pixels, QImage::Format_RGB32);
  front_ = QImage(pixels, QImage::Format_RGB32);
  back_.setDevicePixelRatio(devicePixelRatio);
  front_.setDevicePixelRatio(devicePixelRatio);
}

void drawBackground(QImage& back, std::uint32_t backColour, const StreamImage& picture, int pictureMode) {
  if (back.isNull()) return;
  const QSize size = back.deviceIndependentSize().toSize();
  {
    QPainter painter(&back);
    painter.fillRect(QRect(QPoint(0, 0), size), colourOf(backColour));
  }
  if (picture.IsLoaded()) picture.DrawModeToDC(&back, 0, 0, size.width(), size.height(), pictureMode);
}

std::vector<QString> shownTexts(const std::vector<TextRun>& runs) {
  const SharedHandles& handles = CreateSharedHandles();
  std::vector<QString> shown;
  shown.reserve(runs.size());
  for (const TextRun& run : runs) {
    QString text = toDisplay(run.text);
    const int room = run.rect.right - run.rect.left;
    if (!text.isEmpty() && run.width > room)
      text = QFontMetrics(handles.font(run.font)).elidedText(text, Qt::ElideRight, room);
    shown.push_back(std::move(text));
  }
  return shown;
}

void compose(QImage& front, const QImage& back, const std::vector<TextRun>& runs,
             const std::vector<QString>& shown, int margin, const LabelColours& colours) {
  if (front.isNull()) return;
  QPainter painter(&front);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(0, 0, back);
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  const QSize size = front.deviceIndependentSize().toSize();
  const RunRect content = contentRectOf(size.width(), size.height(), margin);
  if (margin > 0)
    painter.setClipRect(QRect(QPoint(content.left, content.top), QPoint(content.right - 1, content.bottom - 1)));
  for (std::size_t i = 0; i < runs.size(); ++i) {
    static const QString none;
    drawRun(painter, runs[i], i < shown.size() ? shown[i] : none, content, colours);
  }
}

}  // namespace qimubox
