#include "richlabel/shared_handles.h"

#include <QGuiApplication>

#include "platform/gbk_convert.h"

namespace qimubox {
namespace {

QFont derivedFont(const QFont& base, QFont::Weight weight, bool underline) {
  QFont font = base;
  font.setWeight(weight);
  font.setUnderline(underline);
  return font;
}

SharedHandles makeSharedHandles() {
  SharedHandles handles;
  handles.plainFont = QGuiApplication::font();
  handles.linkFont = derivedFont(handles.plainFont, QFont::Normal, true);
  handles.boldFont = derivedFont(handles.plainFont, QFont::Bold, false);
  handles.boldLinkFont = derivedFont(handles.plainFont, QFont::Bold, true);
  return handles;
}

}  // namespace

const QFont& SharedHandles::font(RunFont which) const {
  switch (which) {
    case RunFont::Link:
      return linkFont;
    case RunFont::Bold:
      return boldFont;
    case RunFont::BoldLink:
      return boldLinkFont;
    case RunFont::None:
    case RunFont::Plain:
      break;
  }
  return plainFont;
}

const SharedHandles& CreateSharedHandles() {
  static const SharedHandles handles = makeSharedHandles();
  return handles;
}

SharedFontMeasurer::SharedFontMeasurer()
    : plain_(CreateSharedHandles().plainFont),
      link_(CreateSharedHandles().linkFont),
      bold_(CreateSharedHandles().boldFont),
      boldLink_(CreateSharedHandles().boldLinkFont) {}

TextExtent SharedFontMeasurer::operator()(std::string_view gbk, RunFont font) const {
  const QFontMetrics& metrics = font == RunFont::Link       ? link_
                                : font == RunFont::Bold     ? bold_
                                : font == RunFont::BoldLink ? boldLink_
                                                            : plain_;
  return {metrics.horizontalAdvance(toDisplay(gbk)), metrics.height()};
}

}  // namespace qimubox
