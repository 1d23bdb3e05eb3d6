// Any byte string is a possible window text: it must lay out, scroll and hit
// test and decode without a crash, a hang or a run outside the content's columns.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "richlabel/markup_layout.h"
#include "tests/richlabel/fake_measurer.h"

namespace qimubox {
namespace {

using testing::FakeMeasurer;

const LayoutFrame kAnnouncementFrame{264, 104, 5, true};

// Lays the text out, scrolls it a few times and hit tests it; every run must
// stay inside the content's columns and the list must keep its size.
void exercise(const std::string& text) {
  std::vector<TextRun> runs = Layout(text, kAnnouncementFrame, FakeMeasurer{});
  const RunRect content = contentRectOf(kAnnouncementFrame.width, kAnnouncementFrame.height, kAnnouncementFrame.margin);
  const std::size_t count = runs.size();
  for (int i = 0; i < 3; ++i) ScrollStep(runs, content);
  ASSERT_EQ(runs.size(), count);
  for (const TextRun& run : runs) {
    ASSERT_GE(run.rect.left, content.left);
    if (run.kind == RunKind::Text || run.kind == RunKind::Link) {
      ASSERT_LE(run.rect.right, content.right);
    }
    ASSERT_EQ(run.href.empty(), run.kind != RunKind::Link);
  }
  HitTest(runs, 10, 10);
  DecodeEntities(text);
}

std::string repeated(std::string_view piece, std::size_t totalBytes) {
  std::string text;
  text.reserve(totalBytes + piece.size());
  while (text.size() < totalBytes) text.append(piece);
  return text;
}

TEST(BadInputTest, MalformedMarkup) {
  const std::string cases[] = {
      "\xFF\xFE\x80\x81",                         // not GBK
      "abc\x81",                                  // a lead byte at the very end
      "<a href=\"u\">x\x81",                      // ... inside an unclosed link
      "<a href=\"\x81\">x</a>",                   // ... swallowing the closing quote
      "<a href=\"u\">\x81</a>x</a>",              // ... swallowing the "<" of "</a>"
      "</a></a><a <a <a ",                        // unbalanced
      "<a href=\"a\"><a href=\"b\"><b></b></a>",  // nested
      "<a href=\"u\" title=\"",                   // attribute never closed
      "<b><b><b></b>",
      "\r\r\n\n\r\n\r",
      std::string("a\0b\r\n\0", 6),               // NUL bytes
      "<hr><hr>\r\n<hr>\r\n<br><br>",
  };
  for (const std::string& text : cases) {
    SCOPED_TRACE(text);
    exercise(text);
  }
}

TEST(BadInputTest, OneMegabyteTexts) {
  const std::size_t megabyte = 1 << 20;
  const std::string cases[] = {
      repeated("<a href=\"http://x/\" title=\"t\"><b>link</b></a> text ", megabyte),
      repeated("<a ", megabyte),                // a link start with no end, over and over
      repeated("\r\n", megabyte),               // half a million empty lines
      repeated("\xB0\xA1", megabyte) + "\xB0",  // double-byte text ending in a lead byte
      repeated("<a href=\"u\"></a>", megabyte), // empty links: one pixel each
      repeated("x", megabyte),                  // one line far wider than the label
      repeated("&nbsp;&lt;&gt;", megabyte),     // entities for the decoder
  };
  for (const std::string& text : cases) {
    SCOPED_TRACE(text.substr(0, 16));
    exercise(text);
  }
}

TEST(BadInputTest, RandomBytesFromTheMarkupAlphabet) {
  // Pieces that the markup reacts to, in random order.
  const std::string_view alphabet[] = {"<a ", "</a>", "href=\"", "title=\"", "\"", ">", "<b>", "</B>",
                                       "<br>", "<hr>", "\r\n", "\r", "\x81", "\xB0\xA1", "x", " "};
  std::mt19937 random(20240611);
  for (int round = 0; round < 200; ++round) {
    std::string text;
    const int pieces = static_cast<int>(random() % 200);
    for (int i = 0; i < pieces; ++i) text.append(alphabet[random() % std::size(alphabet)]);
    SCOPED_TRACE(text);
    exercise(text);
  }
}

}  // namespace
}  // namespace qimubox
