// Lets a window without a title bar be moved by dragging its background with
// the left mouse button. Presses that a control takes for itself (buttons,
// edit boxes, lists, links) never reach the window and start no drag; presses
// on labels, picture boxes, group boxes and frames pass up to it and do.
#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

namespace qimubox {

class FramelessDrag : public QObject {
  Q_OBJECT

 public:
  // Makes `window` draggable for its lifetime (the filter is its child).
  static void install(QWidget* window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  explicit FramelessDrag(QWidget* window);

  QWidget* window_;
  bool dragging_ = false;
  QPoint grabOffset_;  // from the window's top-left corner to the pointer
};

}  // namespace qimubox
