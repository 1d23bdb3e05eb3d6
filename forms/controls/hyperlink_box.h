// A clickable coloured text. It reacts when a mouse button goes down, not on
// release, and shows the hand cursor.
#pragma once

#include <QLabel>

namespace qimubox {

class HyperlinkBox : public QLabel {
  Q_OBJECT
  // Colour value: red + green × 256 + blue × 65536.
  Q_PROPERTY(int textColor READ textColor WRITE setTextColor)

 public:
  explicit HyperlinkBox(QWidget* parent = nullptr);

  int textColor() const { return textColor_; }
  void setTextColor(int colourValue);

 Q_SIGNALS:
  void pressed(Qt::MouseButton button);

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  int textColor_ = 0;
};

}  // namespace qimubox
