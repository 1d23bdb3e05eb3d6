// What every label shares: the four fonts made from the application's
// default GUI font, the two cursors, and the measurer over those fonts.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <Qt>

#include "richlabel/markup_layout.h"

namespace qimubox {

struct SharedHandles {
  QFont plainFont;     // the application's default GUI font
  QFont linkFont;      // weight 400, underlined
  QFont boldFont;      // weight 700
  QFont boldLinkFont;  // weight 700, underlined
  Qt::CursorShape arrowCursor = Qt::ArrowCursor;
  Qt::CursorShape handCursor = Qt::PointingHandCursor;

  const QFont& font(RunFont which) const;
};

// Makes the shared handles once, from the application's font at that time;
// call it on the GUI thread after the application object exists. Later calls
// return the same handles; none is released while the program runs.
const SharedHandles& CreateSharedHandles();

// The single-line extent of a GBK text in one of the shared fonts; holds the
// metrics of the four fonts for the length of one layout.
class SharedFontMeasurer {
 public:
  SharedFontMeasurer();
  TextExtent operator()(std::string_view gbk, RunFont font) const;

 private:
  QFontMetrics plain_;
  QFontMetrics link_;
  QFontMetrics bold_;
  QFontMetrics boldLink_;
};

}  // namespace qimubox
