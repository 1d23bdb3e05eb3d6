// Rectangle tooltips of a taken-over widget: tools with an id (0 for the
// whole client area), found by point when the widget asks for a tooltip.
#pragma once

#include <QPoint>
#include <QRect>
#include <string>
#include <vector>

namespace qimubox {

class LabelTooltips {
 public:
  // The first tool makes the tooltip set; with `useRect` the tool gets the
  // next id and `rect`, otherwise id 0 and `clientRect`.
  void add(const std::string& text, const QRect& rect, bool useRect, const QRect& clientRect);
  // Removes the tools with ids 1 to count, or the id-0 tools when no
  // rectangle tool was added; nothing before the first add.
  void removeAll();
  int count() const { return count_; }
  // The text of the first tool holding the point, or null.
  const std::string* textAt(QPoint point, QRect* area = nullptr) const;

 private:
  struct Tool {
    int id;
    std::string text;
    QRect rect;
  };
  bool made_ = false;
  int count_ = 0;
  std::vector<Tool> tools_;
};

}  // namespace qimubox
