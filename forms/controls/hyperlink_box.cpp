#include "forms/controls/hyperlink_box.h"

#include <QMouseEvent>

#include "forms/controls/colour_value.h"

namespace qimubox {

HyperlinkBox::HyperlinkBox(QWidget* parent) : QLabel(parent) {
  setCursor(Qt::PointingHandCursor);
  setTextColor(textColor_);
}

void HyperlinkBox::setTextColor(int colourValue) {
  textColor_ = colourValue & 0xFFFFFF;
  QPalette colours = palette();
  colours.setColor(QPalette::WindowText, colourFromValue(textColor_));
  setPalette(colours);
}

void HyperlinkBox::mousePressEvent(QMouseEvent* event) {
  // Accepted, so a press on a link never starts dragging the window.
  event->accept();
  Q_EMIT pressed(event->button());
}

}  // namespace qimubox
