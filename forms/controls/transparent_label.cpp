#include "forms/controls/transparent_label.h"

#include "forms/controls/colour_value.h"

namespace qimubox {

TransparentLabel::TransparentLabel(QWidget* parent) : QLabel(parent) {
  setAutoFillBackground(false);
}

void TransparentLabel::setBackgroundColor(int colourValue) {
  backgroundColor_ = colourValue < 0 ? transparent : colourValue;
  if (backgroundColor_ == transparent) {
    setAutoFillBackground(false);
    return;
  }
  QPalette colours = palette();
  colours.setColor(QPalette::Window, colourFromValue(backgroundColor_));
  setPalette(colours);
  setAutoFillBackground(true);
}

}  // namespace qimubox
