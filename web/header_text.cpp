#include "web/header_text.h"

#include "platform/gbk_text.h"

namespace qimubox {

namespace {

// "#引号" in GBK: the mark callers write where they mean a double quote.
constexpr std::string_view quoteMark = "#\xD2\xFD\xBA\xC5";

std::string withQuotes(std::string_view mark) { return replaceText(mark, quoteMark, "\""); }

}  // namespace

std::string headerName(std::string_view line) {
  const int colon = findText(line, ":");
  if (colon < 0) return {};
  return trimSpaces(leftText(line, colon - 1));
}

std::string headerValue(std::string_view line) {
  const int colon = findText(line, ":");
  if (colon < 0) return {};
  return trimSpaces(middleText(line, colon + 1));
}

std::string textBetween(std::string_view text, std::string_view startMark, std::string_view endMark) {
  const std::string start = withQuotes(startMark);
  const std::string end = withQuotes(endMark);
  const int startAt = findText(text, start, 1, true);
  if (startAt < 0) return {};
  const int valueAt = startAt + static_cast<int>(start.size());
  const int endAt = findText(text, end, valueAt, true);
  if (endAt < 0) return {};
  return middleText(text, valueAt, endAt - valueAt);
}

}  // namespace qimubox
