// A label that lets its parent show through, unless a background colour is
// given (the banner's dots and the navigation slider are such labels).
#pragma once

#include <QLabel>

namespace qimubox {

class TransparentLabel : public QLabel {
  Q_OBJECT
  // Colour value (red + green × 256 + blue × 65536), or -1 for transparent.
  Q_PROPERTY(int backgroundColor READ backgroundColor WRITE setBackgroundColor)

 public:
  static constexpr int transparent = -1;

  explicit TransparentLabel(QWidget* parent = nullptr);

  int backgroundColor() const { return backgroundColor_; }
  void setBackgroundColor(int colourValue);

 private:
  int backgroundColor_ = transparent;
};

}  // namespace qimubox
