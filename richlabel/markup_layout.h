// The announcement markup and its layout: a window text in a small markup
// language (links with an address and a title, bold, line breaks, rules)
// becomes an ordered list of runs placed in the label's content area.
//
// Everything here is integer computation over GBK bytes; the one outside
// service is the text measurer, so this code needs no toolkit and tests drive
// it with a fake measurer.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qimubox {

enum class RunKind : std::int32_t { Text = 1, Link = 2, LineBreak = 3, Rule = 4 };

// The four fonts shared by every label; None for runs that draw no text.
enum class RunFont : std::int32_t { None = 0, Plain, Link, Bold, BoldLink };

struct RunRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  bool contains(int x, int y) const { return left <= x && x < right && top <= y && y < bottom; }
  bool operator==(const RunRect&) const = default;
};

// colorSource values with a meaning of their own; any other value is a colour.
constexpr int kPlainTextColour = -1;
constexpr int kLinkColour = -2;

struct TextRun {
  RunKind kind = RunKind::Text;
  RunRect rect;       // where the run is drawn, also its hit rectangle
  std::string text;   // GBK; empty for LineBreak and Rule
  std::string href;   // non-empty exactly for Link runs
  std::string title;  // the link's title attribute; kept, not displayed
  int width = 0;      // measured extent of text
  int height = 0;
  int colorSource = 0;
  RunFont font = RunFont::None;
};

struct TextExtent {
  int width = 0;
  int height = 0;
};

// Single-line extent of a GBK text drawn in one of the shared fonts.
using TextMeasurer = std::function<TextExtent(std::string_view gbk, RunFont font)>;

// What the layout needs of the label: the size of its paint buffer, its
// margin and whether the runs are repeated to fill the height.
struct LayoutFrame {
  int width = 0;
  int height = 0;
  int margin = 0;
  bool repeatToFill = false;
};

// The client rectangle shrunk by the margin on every side.
RunRect contentRectOf(int width, int height, int margin);

// The text every line's height is taken from: "砚舟数码".
inline constexpr std::string_view kLineHeightSample = "\xD1\xE2\xD6\xDB\xCA\xFD\xC2\xEB";
constexpr int kMinimumLineHeight = 20;

// 1.5 times the sample's height in the bold link font, at least 20.
int lineHeightFor(const TextMeasurer& measure);

// Rebuilds the runs of a window text: cuts it into lines and pieces, places
// them, and repeats them to fill when the frame asks for it. No runs for an
// empty text or a frame narrower than 10 pixels.
std::vector<TextRun> Layout(std::string_view text, const LayoutFrame& frame, const TextMeasurer& measure);

// Classifies one piece of markup and appends it, not yet placed.
void AddRun(std::vector<TextRun>& runs, std::string_view piece);

// The text between the first start mark (case-insensitive) and the next end
// mark; empty when either is missing.
std::string ExtractBetween(std::string_view text, std::string_view startMark, std::string_view endMark);

// "&nbsp;", "&lt;" and "&gt;" decoded, in that order, matching case exactly.
std::string DecodeEntities(std::string_view text);

// Moves every run up 5 pixels; runs that had left the top first move below
// the lowest run, so the text cycles without end.
void ScrollStep(std::vector<TextRun>& runs, const RunRect& contentRect);
constexpr int kScrollStepPixels = 5;

// 1-based index of the first link whose rectangle holds the point, 0 for none.
int HitTest(const std::vector<TextRun>& runs, int x, int y);

}  // namespace qimubox
