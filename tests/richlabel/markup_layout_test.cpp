#include "richlabel/markup_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/richlabel/fake_measurer.h"

namespace qimubox {
namespace {

using testing::FakeMeasurer;

// A run in short: "T:text", "L:text>href", "Br", "Hr", with "/b" appended for
// the bold fonts.
std::string describe(const TextRun& run) {
  const bool bold = run.font == RunFont::Bold || run.font == RunFont::BoldLink;
  switch (run.kind) {
    case RunKind::LineBreak:
      return "Br";
    case RunKind::Rule:
      return "Hr";
    case RunKind::Link:
      return "L:" + run.text + ">" + run.href + (bold ? "/b" : "");
    case RunKind::Text:
      break;
  }
  return "T:" + run.text + (bold ? "/b" : "");
}

std::vector<std::string> describeAll(const std::vector<TextRun>& runs) {
  std::vector<std::string> out;
  for (const TextRun& run : runs) out.push_back(describe(run));
  return out;
}

const LayoutFrame kWide{400, 100, 0, false};

std::vector<TextRun> layOut(std::string_view text, const LayoutFrame& frame = kWide, FakeMeasurer measure = {}) {
  return Layout(text, frame, measure);
}

struct PieceCase {
  const char* name;
  std::string text;
  std::vector<std::string> runs;
};

class MarkupCutting : public ::testing::TestWithParam<PieceCase> {};

TEST_P(MarkupCutting, GivesTheseRuns) { EXPECT_EQ(describeAll(layOut(GetParam().text)), GetParam().runs); }

INSTANTIATE_TEST_SUITE_P(
    Lines, MarkupCutting,
    ::testing::Values(
        PieceCase{"Empty", "", {}},
        PieceCase{"OneLine", "Hello", {"T:Hello"}},
        PieceCase{"TwoLines", "a\r\nb", {"T:a", "Br", "T:b"}},
        PieceCase{"TrailingSeparator", "a\r\n", {"T:a"}},
        PieceCase{"EmptyLineBetween", "a\r\n\r\nb", {"T:a", "Br", "Br", "T:b"}},
        PieceCase{"LeadingSeparator", "\r\na", {"Br", "T:a"}},
        PieceCase{"OnlySeparator", "\r\n", {}},
        PieceCase{"LoneCrAndLf", "a\rb\nc", {"T:a\rb\nc"}},
        // 0xB0 and the CR form one character, so that CR LF is no separator.
        PieceCase{"CrInsideDoubleByte", "\xB0\r\nx", {"T:\xB0\r\nx"}},
        PieceCase{"DoubleByteThenSeparator", "\xB0\xA1\r\nx", {"T:\xB0\xA1", "Br", "T:x"}}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Links, MarkupCutting,
    ::testing::Values(
        PieceCase{"TextLinkText", "see <a href=\"u\" title=\"t\">here</a> now", {"T:see ", "L:here>u", "T: now"}},
        PieceCase{"TagsIgnoreCase", "<A HREF=\"u\">x</A>", {"L:x>u"}},
        PieceCase{"NoSpaceAfterA", "<a>x</a>", {"T:<a>x</a>"}},
        PieceCase{"EmptyHref", "<a href=\"\">x</a>", {"T:x"}},
        PieceCase{"NoHref", "<a title=\"t\">x</a>", {"T:x"}},
        PieceCase{"UnclosedTakesTheLine", "ab<a href=\"u\">x y\r\nz", {"T:ab", "L:>u", "Br", "T:z"}},
        PieceCase{"TwoLinks", "<a href=\"1\">a</a><a href=\"2\">b</a>", {"L:a>1", "L:b>2"}},
        PieceCase{"NestedEndsAtFirstClose",
                  "<a href=\"u\">a<a href=\"v\">b</a>c</a>",
                  {"L:a<a href=\"v\">b>u", "T:c</a>"}},
        // 0x81 and the "<" form one character, so no link starts there.
        PieceCase{"MarkInsideDoubleByte", "\x81<a href=\"u\">x</a>", {"T:\x81<a href=\"u\">x</a>"}}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    TagsAndEntities, MarkupCutting,
    ::testing::Values(
        PieceCase{"BoldCoversTheRun", "<b>bold</b> and more", {"T:bold and more/b"}},
        PieceCase{"BoldAnywhere", "x<B>y", {"T:xy/b"}},
        PieceCase{"BoldLink", "<a href=\"u\">go <b>now</B></a>", {"L:go now>u/b"}},
        PieceCase{"CloseBoldAlone", "x</b>", {"T:x</b>"}},
        PieceCase{"RuleAlone", "<hr>", {"Hr"}},
        PieceCase{"RuleInsideText", "text<hr>", {"T:text<hr>"}},
        PieceCase{"RuleAfterLink", "<a href=\"u\">x</a><hr>", {"L:x>u", "Hr"}},
        PieceCase{"UpperCaseRule", "<HR>", {"T:<HR>"}},
        PieceCase{"BreakLine", "<br>", {"Br"}},
        PieceCase{"OtherBreaks", "<BR>\r\n<br/>", {"T:<BR>", "Br", "T:<br/>"}},
        PieceCase{"EntitiesAsWritten", "&lt;b&gt;&amp;", {"T:&lt;b&gt;&amp;"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AddRunTest, LinkFieldsFontsAndColours) {
  const std::vector<TextRun> runs = layOut("see <a href=\"u\" title=\"t\">here</a>");
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].font, RunFont::Plain);
  EXPECT_EQ(runs[0].colorSource, kPlainTextColour);
  EXPECT_EQ(runs[1].kind, RunKind::Link);
  EXPECT_EQ(runs[1].title, "t");
  EXPECT_EQ(runs[1].font, RunFont::Link);
  EXPECT_EQ(runs[1].colorSource, kLinkColour);

  const std::vector<TextRun> unclosed = layOut("<a href=\"u\">x");
  ASSERT_EQ(unclosed.size(), 1u);
  EXPECT_EQ(unclosed[0].font, RunFont::None);  // an empty text gets no font and no colour
  EXPECT_EQ(unclosed[0].colorSource, 0);
  EXPECT_EQ(unclosed[0].width, 0);

  const std::vector<TextRun> rule = layOut("<hr>");
  EXPECT_EQ(rule[0].font, RunFont::None);
  EXPECT_EQ(rule[0].colorSource, 0);
  EXPECT_TRUE(rule[0].text.empty());
}

TEST(ExtractBetweenTest, Table) {
  struct Case {
    std::string text, start, end, expected;
  };
  const Case cases[] = {
      {"<a href=\"u\">", "href=\"", "\"", "u"},
      {"<a HREF=\"UP\">", "href=\"", "\"", "UP"},
      {"<a href=\"\">", "href=\"", "\"", ""},     // end mark right after the start mark
      {"<a href=\"u", "href=\"", "\"", ""},       // end mark missing
      {"<a title=\"t\">", "href=\"", "\"", ""},   // start mark missing
      {"a>b</A>c</a>", ">", "</a>", "b"},        // the next end mark, without case
      {"x>\xB0<>y<", ">", "<", "\xB0<>y"},        // "<" inside a double-byte character is skipped
  };
  for (const Case& c : cases) EXPECT_EQ(ExtractBetween(c.text, c.start, c.end), c.expected) << c.text;
}

TEST(DecodeEntitiesTest, Table) {
  const std::pair<std::string, std::string> cases[] = {
      {"a&nbsp;b", "a b"},          {"&lt;b&gt;", "<b>"},       {"&lt;&lt;&gt;&gt;", "<<>>"},
      {"&LT;&Nbsp;", "&LT;&Nbsp;"}, {"&amp;", "&amp;"},          {"", ""},
      {"&nbsp;lt;", " lt;"},  // decoded once each, no second pass
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(DecodeEntities(text), expected) << text;
}

TEST(LineHeightTest, OneAndAHalfSampleHeightsAtLeastTwenty) {
  const std::pair<int, int> cases[] = {{16, 24}, {12, 20}, {13, 20}, {14, 21}, {15, 22}, {30, 45}, {0, 20}};
  for (const auto& [sample, expected] : cases)
    EXPECT_EQ(lineHeightFor(FakeMeasurer{6, sample}), expected) << sample;
}

TEST(LineHeightTest, MeasuresTheSampleInTheBoldLinkFont) {
  std::string measured;
  RunFont font = RunFont::None;
  lineHeightFor([&](std::string_view text, RunFont f) {
    measured = std::string(text);
    font = f;
    return TextExtent{0, 16};
  });
  EXPECT_EQ(measured, "\xD1\xE2\xD6\xDB\xCA\xFD\xC2\xEB");
  EXPECT_EQ(font, RunFont::BoldLink);
}

// Frames of 100 × 200 with margin 5: content (5, 5, 95, 195); 6 pixels per
// byte and a 16-pixel sample, so lines are 24 pixels high.
const LayoutFrame kFrame{100, 200, 5, false};

TEST(PlacementTest, RectanglesOfTable) {
  struct Case {
    const char* name;
    std::string text;
    std::vector<RunRect> rects;
  };
  const Case cases[] = {
      {"OneRunAtTheMargin", "Hello", {{5, 5, 35, 29}}},
      {"NextLineOneLineHeightBelow", "a\r\nb", {{5, 5, 11, 29}, {5, 5, 100, 29}, {5, 29, 11, 53}}},
      {"EmptyLineBetween", "a\r\n\r\nb", {{5, 5, 11, 29}, {5, 5, 100, 29}, {5, 29, 100, 53}, {5, 53, 11, 77}}},
      {"OnePixelApart", "ab <a href=\"u\">cd</a>ef", {{5, 5, 23, 29}, {24, 5, 36, 29}, {37, 5, 49, 29}}},
      {"WrapsBetweenRuns", "aaaaaaaaaa<a href=\"u\">bbbbbbbbbb</a>", {{5, 5, 65, 29}, {5, 29, 65, 53}}},
      {"FitsExactlyToTheRight", "aaaaaaaaaa<a href=\"u\">bbbb</a>", {{5, 5, 65, 29}, {66, 5, 90, 29}}},
      {"WideRunIsCut", "xxxxxxxxxxxxxxxxxxxx", {{5, 5, 95, 29}}},
      {"WideRunAfterTextWrapsThenIsCut",
       "a<a href=\"u\">xxxxxxxxxxxxxxxxxxxx</a>",
       {{5, 5, 11, 29}, {5, 29, 95, 53}}},
      {"RuleTakesALineOfItsOwn", "<a href=\"u\">x</a><hr>", {{5, 5, 11, 29}, {5, 29, 100, 53}}},
      {"RuleAlone", "<hr>\r\na", {{5, 5, 100, 29}, {5, 29, 100, 53}, {5, 53, 11, 77}}},
      // An empty link has no width and pushes the next run one pixel on.
      {"EmptyLinkTextIsOnePixel", "<a href=\"u\"></a>ab", {{5, 5, 5, 29}, {6, 5, 18, 29}}},
  };
  for (const Case& c : cases) {
    const std::vector<TextRun> runs = layOut(c.text, kFrame);
    std::vector<RunRect> rects;
    for (const TextRun& run : runs) rects.push_back(run.rect);
    EXPECT_EQ(rects, c.rects) << c.name;
  }
}

TEST(PlacementTest, KeepsTheMeasuredExtentOfCutRuns) {
  const std::vector<TextRun> runs = layOut("xxxxxxxxxxxxxxxxxxxx", kFrame);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].width, 120);
  EXPECT_EQ(runs[0].height, 16);
}

TEST(PlacementTest, NoRunsBelowTenPixelsWide) {
  EXPECT_TRUE(layOut("Hello", {9, 100, 0, false}).empty());
  EXPECT_EQ(layOut("Hello", {10, 100, 0, false}).size(), 1u);
}

TEST(RepeatToFillTest, DoublesUntilTheContentIsFilled) {
  // Lines of 20 pixels: a and b end at 45 in content ending at 95.
  const LayoutFrame frame{100, 100, 5, true};
  const std::vector<TextRun> runs = layOut("a\r\nb", frame, FakeMeasurer{6, 12});
  ASSERT_EQ(runs.size(), 12u);  // 3, then copied shifted by 45, then by 90
  const int expectedTops[] = {5, 5, 25, 50, 50, 70, 95, 95, 115, 140, 140, 160};
  for (std::size_t i = 0; i < runs.size(); ++i) EXPECT_EQ(runs[i].rect.top, expectedTops[i]) << i;
  EXPECT_EQ(runs.back().rect.bottom, 180);
  EXPECT_EQ(describe(runs[9]), "T:a");
  EXPECT_EQ(runs[9].rect.left, 5);
  EXPECT_EQ(runs[9].width, runs[0].width);
}

TEST(RepeatToFillTest, NothingWhenOffOrAlreadyFull) {
  EXPECT_EQ(layOut("a\r\nb", {100, 100, 5, false}, FakeMeasurer{6, 12}).size(), 3u);
  // Without margin the runs end at 40.
  EXPECT_EQ(layOut("a\r\nb", {100, 40, 0, true}, FakeMeasurer{6, 12}).size(), 3u);
  EXPECT_EQ(layOut("a\r\nb", {100, 41, 0, true}, FakeMeasurer{6, 12}).size(), 6u);
}

TextRun runAt(RunKind kind, RunRect rect) {
  TextRun run;
  run.kind = kind;
  run.rect = rect;
  return run;
}

TEST(ScrollStepTest, MovesUpAndWrapsRunsThatLeftTheTop) {
  std::vector<TextRun> runs = {runAt(RunKind::Text, {0, -10, 10, -1}), runAt(RunKind::Text, {3, 0, 10, 20}),
                               runAt(RunKind::Text, {0, 20, 10, 60})};
  ScrollStep(runs, {0, 0, 100, 50});
  // The lowest bottom (60) is below the content, so the wrapped run goes there.
  EXPECT_EQ(runs[0].rect, (RunRect{0, 55, 10, 64}));
  EXPECT_EQ(runs[1].rect, (RunRect{3, -5, 10, 15}));
  EXPECT_EQ(runs[2].rect, (RunRect{0, 15, 10, 55}));
}

TEST(ScrollStepTest, ShortContentWrapsToTheContentBottom) {
  std::vector<TextRun> runs = {runAt(RunKind::Text, {5, 0, 10, 4}), runAt(RunKind::Text, {5, 5, 10, 25})};
  ScrollStep(runs, {5, 5, 95, 95});
  EXPECT_EQ(runs[0].rect, (RunRect{5, 90, 10, 94}));  // moved to 95, then up 5
  EXPECT_EQ(runs[1].rect, (RunRect{5, 0, 10, 20}));   // bottom 25 not above the top: only moved
}

TEST(ScrollStepTest, TextCyclesBackToItsPlace) {
  const LayoutFrame frame{100, 100, 0, true};
  std::vector<TextRun> runs = layOut("a\r\nb", frame, FakeMeasurer{6, 12});
  const std::vector<TextRun> start = runs;
  // The laid-out content is 160 pixels; after 32 steps of 5 every run is back
  // in its place, or one cycle above it, wholly above the content and not
  // yet wrapped.
  for (int i = 0; i < 32; ++i) ScrollStep(runs, contentRectOf(100, 100, 0));
  for (std::size_t i = 0; i < runs.size(); ++i) {
    RunRect cycledUp = start[i].rect;
    cycledUp.top -= 160;
    cycledUp.bottom -= 160;
    if (runs[i].rect == cycledUp)
      EXPECT_LE(runs[i].rect.bottom, 0) << i;
    else
      EXPECT_EQ(runs[i].rect, start[i].rect) << i;
  }
}

TEST(HitTestTest, FirstLinkHoldingThePoint) {
  const std::vector<TextRun> runs = {runAt(RunKind::Text, {0, 0, 50, 20}), runAt(RunKind::Link, {10, 0, 30, 20}),
                                     runAt(RunKind::Link, {20, 0, 40, 20}), runAt(RunKind::Rule, {0, 20, 50, 40})};
  const struct {
    int x, y, expected;
  } cases[] = {{5, 5, 0},   {10, 0, 2},  {25, 10, 2}, {30, 10, 3}, {39, 19, 3},
               {40, 10, 0}, {35, 20, 0}, {9, 10, 0},  {25, 30, 0}};
  for (const auto& c : cases) EXPECT_EQ(HitTest(runs, c.x, c.y), c.expected) << c.x << "," << c.y;
  EXPECT_EQ(HitTest({}, 0, 0), 0);
}

}  // namespace
}  // namespace qimubox
