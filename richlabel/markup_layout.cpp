#include "richlabel/markup_layout.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "platform/gbk_text.h"

namespace qimubox {
namespace {

constexpr std::string_view kLineSeparator = "\r\n";
constexpr std::string_view kLinkOpen = "<a ";
constexpr std::string_view kLinkClose = "</a>";
constexpr std::string_view kLineBreakTag = "<br>";
constexpr std::string_view kRuleTag = "<hr>";
constexpr std::string_view kBoldOpen = "<b>";
constexpr std::string_view kBoldClose = "</b>";

// Coordinates grow with the text; a pathological text must not overflow them.
int addClamped(int a, int b) {
  const std::int64_t sum = static_cast<std::int64_t>(a) + b;
  return static_cast<int>(std::clamp<std::int64_t>(sum, std::numeric_limits<int>::min(),
                                                    std::numeric_limits<int>::max()));
}

int findIgnoringCase(std::string_view text, std::string_view mark, int start = 1) {
  return findText(text, mark, start, true);
}

// Removes every occurrence of an ASCII mark, letters compared without case,
// stepping over double-byte characters so that none is cut.
std::string removeIgnoringCase(std::string_view text, std::string_view mark) {
  std::string out;
  out.reserve(text.size());
  std::size_t from = 0;
  for (;;) {
    const std::string_view rest = text.substr(from);
    const int at = findIgnoringCase(rest, mark);
    if (at < 0) break;
    out.append(rest.substr(0, static_cast<std::size_t>(at - 1)));
    from += static_cast<std::size_t>(at - 1) + mark.size();
  }
  out.append(text.substr(from));
  return out;
}

// Cuts one line into text pieces and link pieces ("<a " up to and including
// "</a>"); an unclosed link takes the rest of its line.
void addLinePieces(std::vector<TextRun>& runs, std::string_view rest) {
  while (!rest.empty()) {
    const int p = findIgnoringCase(rest, kLinkOpen);
    if (p < 0) {
      AddRun(runs, rest);
      return;
    }
    if (p == 1) {
      const int q = findIgnoringCase(rest, kLinkClose);
      if (q < 0) {
        AddRun(runs, rest);
        return;
      }
      const std::size_t linkLength = static_cast<std::size_t>(q) + 3;
      AddRun(runs, rest.substr(0, linkLength));
      rest.remove_prefix(linkLength);
    } else {
      const std::size_t textLength = static_cast<std::size_t>(p - 1);
      AddRun(runs, rest.substr(0, textLength));
      rest.remove_prefix(textLength);
    }
  }
}

// Splits at every CR LF (found by whole characters); the piece after the last
// separator is a line only when it is not empty. Every line but the last is
// followed by a line break run.
void addLines(std::vector<TextRun>& runs, std::string_view text) {
  std::string_view rest = text;
  for (;;) {
    const int at = findText(rest, kLineSeparator);
    if (at < 0) {
      addLinePieces(runs, rest);  // the last line (nothing when empty)
      return;
    }
    addLinePieces(runs, rest.substr(0, static_cast<std::size_t>(at - 1)));
    rest.remove_prefix(static_cast<std::size_t>(at - 1) + kLineSeparator.size());
    if (rest.empty()) return;
    AddRun(runs, kLineBreakTag);
  }
}

void placeRuns(std::vector<TextRun>& runs, const RunRect& content, int lineHeight,
               const TextMeasurer& measure) {
  int x = content.left;
  int y = content.top;
  for (TextRun& run : runs) {
    switch (run.kind) {
      case RunKind::LineBreak:
        x = content.left;
        run.rect = {x, y, addClamped(x, content.right), addClamped(y, lineHeight)};
        y = addClamped(y, lineHeight);
        break;
      case RunKind::Rule:
        // A rule never shares a line with text before it.
        if (x > content.left) {
          x = content.left;
          y = addClamped(y, lineHeight);
        }
        run.rect = {x, y, addClamped(x, content.right), addClamped(y, lineHeight)};
        x = content.left;
        y = addClamped(y, lineHeight);
        break;
      case RunKind::Text:
      case RunKind::Link: {
        const TextExtent extent = run.text.empty() ? TextExtent{} : measure(run.text, run.font);
        run.width = extent.width;
        run.height = extent.height;
        // Wrapping happens between runs only; a run wider than the content
        // keeps a line to itself and is cut at the right edge.
        if (x > content.left && addClamped(x, run.width) > content.right) {
          x = content.left;
          y = addClamped(y, lineHeight);
        }
        run.rect = {x, y, addClamped(x, run.width), addClamped(y, lineHeight)};
        if (run.rect.right > content.right) run.rect.right = content.right;
        x = addClamped(run.rect.right, 1);
        break;
      }
    }
  }
}

// Each pass appends a copy of the whole list shifted down by the bottom of
// its last run, until the content area is filled.
void repeatToFill(std::vector<TextRun>& runs, const RunRect& content) {
  if (runs.empty()) return;
  int bottom = runs.back().rect.bottom;
  // A last bottom at or above 0 could never grow; placement keeps it below
  // the top margin, so this only guards against an endless loop.
  while (bottom > 0 && bottom < content.bottom) {
    const std::size_t count = runs.size();
    runs.reserve(count * 2);
    for (std::size_t i = 0; i < count; ++i) {
      TextRun copy = runs[i];
      copy.rect.top = addClamped(copy.rect.top, bottom);
      copy.rect.bottom = addClamped(copy.rect.bottom, bottom);
      runs.push_back(std::move(copy));
    }
    bottom = runs.back().rect.bottom;
  }
}

}  // namespace

RunRect contentRectOf(int width, int height, int margin) {
  return {margin, margin, width - margin, height - margin};
}

int lineHeightFor(const TextMeasurer& measure) {
  const int sampleHeight = measure(kLineHeightSample, RunFont::BoldLink).height;
  const std::int64_t scaled = static_cast<std::int64_t>(sampleHeight) * 3 / 2;
  return static_cast<int>(std::clamp<std::int64_t>(scaled, kMinimumLineHeight, std::numeric_limits<int>::max()));
}

std::vector<TextRun> Layout(std::string_view text, const LayoutFrame& frame, const TextMeasurer& measure) {
  std::vector<TextRun> runs;
  if (text.empty() || frame.width < 10) return runs;
  const int lineHeight = lineHeightFor(measure);
  const RunRect content = contentRectOf(frame.width, frame.height, frame.margin);
  addLines(runs, text);
  placeRuns(runs, content, lineHeight, measure);
  if (frame.repeatToFill) repeatToFill(runs, content);
  return runs;
}

void AddRun(std::vector<TextRun>& runs, std::string_view piece) {
  TextRun run;
  if (piece == kLineBreakTag) {
    run.kind = RunKind::LineBreak;
  } else if (piece == kRuleTag) {
    run.kind = RunKind::Rule;
  } else if (findIgnoringCase(piece, kLinkOpen) < 0) {
    run.kind = RunKind::Text;
    run.colorSource = kPlainTextColour;
    run.text = std::string(piece);
  } else {
    // Attributes are searched anywhere in the piece; the text starts after its first ">".
    run.href = ExtractBetween(piece, "href=\"", "\"");
    run.title = ExtractBetween(piece, "title=\"", "\"");
    run.text = ExtractBetween(piece, ">", kLinkClose);
    run.kind = run.href.empty() ? RunKind::Text : RunKind::Link;
  }
  const bool isLink = run.kind == RunKind::Link;
  if ((run.kind == RunKind::Text || isLink) && !run.text.empty()) {
    run.font = isLink ? RunFont::Link : RunFont::Plain;
    run.colorSource = isLink ? kLinkColour : kPlainTextColour;
    // Bold covers the whole run wherever its tags stand.
    if (findIgnoringCase(run.text, kBoldOpen) >= 0) {
      run.text = removeIgnoringCase(removeIgnoringCase(run.text, kBoldOpen), kBoldClose);
      run.font = isLink ? RunFont::BoldLink : RunFont::Bold;
    }
  }
  runs.push_back(std::move(run));
}

std::string ExtractBetween(std::string_view text, std::string_view startMark, std::string_view endMark) {
  const int s = findIgnoringCase(text, startMark);
  if (s < 0) return {};
  const int d = s + static_cast<int>(startMark.size());
  const int e = findIgnoringCase(text, endMark, d);
  if (e <= d) return {};
  return std::string(text.substr(static_cast<std::size_t>(d - 1), static_cast<std::size_t>(e - d)));
}

std::string DecodeEntities(std::string_view text) {
  std::string decoded = replaceText(text, "&nbsp;", " ");
  decoded = replaceText(decoded, "&lt;", "<");
  return replaceText(decoded, "&gt;", ">");
}

void ScrollStep(std::vector<TextRun>& runs, const RunRect& contentRect) {
  int lowest = contentRect.bottom;
  for (const TextRun& run : runs) lowest = std::max(lowest, run.rect.bottom);
  for (TextRun& run : runs) {
    if (run.rect.bottom < contentRect.top) {
      const std::int64_t height = static_cast<std::int64_t>(run.rect.bottom) - run.rect.top;
      run.rect.top = lowest;
      run.rect.bottom = addClamped(lowest, static_cast<int>(std::clamp<std::int64_t>(
                                               height, 0, std::numeric_limits<int>::max())));
    }
    run.rect.top = addClamped(run.rect.top, -kScrollStepPixels);
    run.rect.bottom = addClamped(run.rect.bottom, -kScrollStepPixels);
  }
}

int HitTest(const std::vector<TextRun>& runs, int x, int y) {
  for (std::size_t i = 0; i < runs.size(); ++i)
    if (runs[i].kind == RunKind::Link && runs[i].rect.contains(x, y)) return static_cast<int>(i) + 1;
  return 0;
}

}  // namespace qimubox
