// Layout of the demo announcement and of 64 KB of markup with the real font
// measurer, and one scroll tick (ScrollStep, compose, copy) of the announcement label.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "platform/gbk_convert.h"
#include "richlabel/label_painting.h"
#include "richlabel/markup_layout.h"
#include "richlabel/shared_handles.h"

namespace qimubox {
namespace {

// The demo catalog's announcement.
std::string demoAnnouncement() {
  return fromDisplay(QString::fromUtf8(
      "<b>欢迎使用栖木坊软件盒子！</b>\r\n"
      "本站收录常用电脑软件，所有软件均经过安全检测，每周更新。\r\n"
      "<hr>\r\n"
      "本周推荐：<a href=\"http://127.0.0.1:8080/soft/luping.html\" title=\"云帆录屏大师\">云帆录屏大师</a>，"
      "<a href=\"http://127.0.0.1:8080/soft/biji.html\" title=\"墨点笔记\"><b>墨点笔记</b></a>\r\n"
      "下载遇到问题？请<a href=\"http://127.0.0.1:8080/help.html\" title=\"帮助中心\">查看帮助</a>或加入用户群反馈。"));
}

std::string markupOf(std::size_t bytes) {
  const std::string piece = demoAnnouncement() + "\r\n";
  std::string text;
  while (text.size() < bytes) text += piece;
  return text;
}

// The announcement label: 264 × 104, margin 5, repeated to fill.
const LayoutFrame kFrame{264, 104, 5, true};

void layoutBench(benchmark::State& state, const std::string& text) {
  for (auto _ : state) {
    std::vector<TextRun> runs = Layout(text, kFrame, SharedFontMeasurer());
    benchmark::DoNotOptimize(runs.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void BM_LayoutDemoAnnouncement(benchmark::State& state) { layoutBench(state, demoAnnouncement()); }
BENCHMARK(BM_LayoutDemoAnnouncement)->Unit(benchmark::kMicrosecond);

void BM_Layout64KMarkup(benchmark::State& state) { layoutBench(state, markupOf(64 * 1024)); }
BENCHMARK(BM_Layout64KMarkup)->Unit(benchmark::kMillisecond);

// What a rebuild adds to the layout: the display texts of every run.
void BM_LayoutAndShownTexts64K(benchmark::State& state) {
  const std::string text = markupOf(64 * 1024);
  for (auto _ : state) {
    std::vector<TextRun> runs = Layout(text, kFrame, SharedFontMeasurer());
    std::vector<QString> shown = shownTexts(runs);
    benchmark::DoNotOptimize(shown.data());
  }
}
BENCHMARK(BM_LayoutAndShownTexts64K)->Unit(benchmark::kMillisecond);

void BM_ScrollTick(benchmark::State& state) {
  PaintBuffers buffers;
  buffers.make(QSize(kFrame.width, kFrame.height), 1.0);
  drawBackground(buffers.back(), 0xF0F0F0, StreamImage(), 0);
  std::vector<TextRun> runs = Layout(demoAnnouncement(), kFrame, SharedFontMeasurer());
  const std::vector<QString> shown = shownTexts(runs);
  const RunRect content = contentRectOf(kFrame.width, kFrame.height, kFrame.margin);
  QImage window(kFrame.width, kFrame.height, QImage::Format_RGB32);  // stands in for the widget
  for (auto _ : state) {
    ScrollStep(runs, content);
    compose(buffers.front(), buffers.back(), runs, shown, kFrame.margin, {0, 255u * 65536u});
    QPainter painter(&window);
    painter.drawImage(0, 0, buffers.front());
  }
}
BENCHMARK(BM_ScrollTick)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qimubox

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ::benchmark::Initialize(&argc, argv);
  ::benchmark::RunSpecifiedBenchmarks();
  ::benchmark::Shutdown();
  return 0;
}
