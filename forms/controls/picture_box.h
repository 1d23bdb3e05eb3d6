// A box that shows one picture: still pictures given as bytes (PNG, JPEG, BMP,
// GIF), animated GIFs (played in a loop), or a picture of the forms' resources.
// Pictures larger than the box are scaled down to fit, keeping their
// proportions; smaller ones are centred. GUI thread only.
#pragma once

#include <QByteArray>
#include <QLabel>
#include <QString>
#include <memory>
#include <string>

class QBuffer;
class QMovie;

namespace qimubox {

class PictureBox : public QLabel {
  Q_OBJECT
  // Lets a .ui file name a form picture, e.g. ":/forms/splash_logo.png".
  Q_PROPERTY(QString pictureResource READ pictureResource WRITE setPictureResource)

 public:
  explicit PictureBox(QWidget* parent = nullptr);
  ~PictureBox() override;

  // Shows the picture in `bytes`; empty bytes, or bytes that are no picture of
  // the four formats, leave the box empty.
  void setPictureBytes(const std::string& bytes);
  // Shows a picture of the resources (or a file); a missing one empties the box.
  void setPictureResource(const QString& path);
  QString pictureResource() const { return resource_; }
  void clearPicture();

  bool hasPicture() const;
  bool isAnimated() const { return movie_ != nullptr; }

 Q_SIGNALS:
  // A mouse button went down on the box. The press still reaches the parent,
  // so a background picture box lets its window be dragged.
  void pressed(Qt::MouseButton button);

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void showData(QByteArray data);
  void showStill(const QImage& image);
  void showAnimation(QByteArray data, QSize frameSize);

  QString resource_;
  // The movie reads from the buffer, the buffer from the bytes: destroyed in
  // the reverse order of these declarations, the movie goes first.
  QByteArray movieData_;
  std::unique_ptr<QBuffer> movieBuffer_;
  std::unique_ptr<QMovie> movie_;
};

}  // namespace qimubox
