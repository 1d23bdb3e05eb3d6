#include "web/header_text.h"

#include <gtest/gtest.h>

namespace qimubox {
namespace {

TEST(HeaderText, NameAndValueSplitAtTheFirstColon) {
  const struct {
    const char* line;
    const char* name;
    const char* value;
  } cases[] = {
      {"Referer: http://a:8080/x", "Referer", "http://a:8080/x"},
      {"  X-Empty :   ", "X-Empty", ""},
      {"no colon here", "", ""},
      {": value", "", "value"},
      // Ideographic spaces (A1 A1) are trimmed, tabs are not.
      {"\xA1\xA1Name\xA1\xA1:\tv ", "Name", "\tv"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(headerName(c.line), c.name) << c.line;
    EXPECT_EQ(headerValue(c.line), c.value) << c.line;
  }
}

TEST(HeaderText, TextBetweenIgnoresCaseAndReadsTheQuoteMark) {
  const struct {
    const char* text;
    const char* start;
    const char* end;
    const char* expected;
  } cases[] = {
      {"Set-Cookie: b=2; path=/", "Set-Cookie:", ";", " b=2"},
      {"set-cookie: b=2; path=/", "SET-COOKIE:", ";", " b=2"},
      {"Set-Cookie: b=2", "Set-Cookie:", ";", ""},
      {"nothing", "Set-Cookie:", ";", ""},
      // "#引号" stands for a double quote in either mark.
      {"href=\"x.png\" alt", "href=#\xD2\xFD\xBA\xC5", "#\xD2\xFD\xBA\xC5", "x.png"},
      // The end mark is looked for after the start mark only.
      {"a;b=1;", "b=", ";", "1"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(textBetween(c.text, c.start, c.end), c.expected) << c.text;
  }
}

}  // namespace
}  // namespace qimubox
