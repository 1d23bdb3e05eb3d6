#include "forms/controls/picture_box.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QMouseEvent>
#include <QMovie>
#include <QPixmap>

namespace qimubox {

namespace {

// The formats a picture box accepts; anything else empties it, even when an
// image plugin could read it.
bool isAcceptedFormat(const QByteArray& format) {
  return format == "png" || format == "jpeg" || format == "jpg" || format == "bmp" ||
         format == "gif";
}

}  // namespace

PictureBox::PictureBox(QWidget* parent) : QLabel(parent) {
  setAlignment(Qt::AlignCenter);
}

PictureBox::~PictureBox() {
  // QLabel keeps a pointer to the movie; detach it before the movie dies.
  clearPicture();
}

void PictureBox::setPictureBytes(const std::string& bytes) {
  resource_.clear();
  showData(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

void PictureBox::setPictureResource(const QString& path) {
  resource_ = path;
  QFile file(path);
  showData(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
}

void PictureBox::clearPicture() {
  QLabel::clear();
  movie_.reset();
  movieBuffer_.reset();
  movieData_.clear();
}

bool PictureBox::hasPicture() const {
  return movie_ != nullptr || !pixmap().isNull();
}

void PictureBox::showData(QByteArray data) {
  clearPicture();
  if (data.isEmpty()) return;

  QBuffer probe(&data);
  probe.open(QIODevice::ReadOnly);
  QImageReader reader(&probe);
  reader.setDecideFormatFromContent(true);
  if (!isAcceptedFormat(reader.format())) return;

  // Animations are played by a movie, but only when their first frame decodes.
  const bool animated = reader.supportsAnimation() && reader.imageCount() > 1;
  const QSize frameSize = reader.size();
  const QImage first = reader.read();
  if (first.isNull()) return;
  if (!animated) {
    showStill(first);
    return;
  }
  probe.close();
  showAnimation(std::move(data), frameSize);
}

void PictureBox::showStill(const QImage& image) {
  QPixmap pixmap = QPixmap::fromImage(image);
  if (pixmap.width() > width() || pixmap.height() > height()) {
    pixmap = pixmap.scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
  }
  setPixmap(pixmap);
}

void PictureBox::showAnimation(QByteArray data, QSize frameSize) {
  movieData_ = std::move(data);
  movieBuffer_ = std::make_unique<QBuffer>(&movieData_);
  movieBuffer_->open(QIODevice::ReadOnly);
  movie_ = std::make_unique<QMovie>(movieBuffer_.get());
  if (!movie_->isValid()) {
    clearPicture();
    return;
  }
  if (frameSize.width() > width() || frameSize.height() > height()) {
    movie_->setScaledSize(frameSize.scaled(size(), Qt::KeepAspectRatio));
  }
  setMovie(movie_.get());
  movie_->start();
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
  Q_EMIT pressed(event->button());
  event->ignore();
}

}  // namespace qimubox
