#include "forms/controls/frameless_drag.h"

#include <QMouseEvent>
#include <QWidget>

namespace qimubox {

void FramelessDrag::install(QWidget* window) {
  window->installEventFilter(new FramelessDrag(window));
}

FramelessDrag::FramelessDrag(QWidget* window) : QObject(window), window_(window) {}

bool FramelessDrag::eventFilter(QObject* watched, QEvent* event) {
  if (watched != window_) return false;
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() != Qt::LeftButton) return false;
      dragging_ = true;
      grabOffset_ = mouse->globalPosition().toPoint() - window_->pos();
      return true;
    }
    case QEvent::MouseMove: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (!dragging_ || !(mouse->buttons() & Qt::LeftButton)) return false;
      window_->move(mouse->globalPosition().toPoint() - grabOffset_);
      return true;
    }
    case QEvent::MouseButtonRelease:
      if (!dragging_) return false;
      dragging_ = false;
      return true;
    default:
      return false;
  }
}

}  // namespace qimubox
