#include "richlabel/label_tooltips.h"

#include <algorithm>

namespace qimubox {

void LabelTooltips::add(const std::string& text, const QRect& rect, bool useRect, const QRect& clientRect) {
  made_ = true;
  if (useRect) {
    ++count_;
    tools_.push_back({count_, text, rect});
  } else {
    tools_.push_back({0, text, clientRect});
  }
}

void LabelTooltips::removeAll() {
  if (!made_) return;
  const int last = count_;
  std::erase_if(tools_, [last](const Tool& tool) { return last == 0 ? tool.id == 0 : tool.id >= 1 && tool.id <= last; });
  count_ = 0;
}

const std::string* LabelTooltips::textAt(QPoint point, QRect* area) const {
  const auto found = std::find_if(tools_.begin(), tools_.end(), [point](const Tool& tool) { return tool.rect.contains(point); });
  if (found == tools_.end()) return nullptr;
  if (area != nullptr) *area = found->rect;
  return &found->text;
}

}  // namespace qimubox
