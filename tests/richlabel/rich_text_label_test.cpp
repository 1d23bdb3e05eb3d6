#include "richlabel/rich_text_label.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <atomic>
#include <memory>
#include <thread>

#include "platform/gbk_convert.h"
#include "tests/support/scripted_seams.h"

namespace qimubox {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

// Two links on one line, a rule line and a last text line.
const std::string kMarkup =
    "go <a href=\"http://one/\">one</a> <a href=\"http://two/\">two</a>\r\n<hr>\r\nend";

// A shown 264 × 104 announcement label in a parent window, as the main window has it.
class LabelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    parent_ = std::make_unique<QWidget>();
    parent_->resize(300, 150);
    label_ = new QLabel(parent_.get());
    label_->setGeometry(4, 16, 264, 104);
    parent_->show();
  }

  // Attaches without repetition, with the text given, and paints once.
  void attach(const std::string& text = kMarkup, int margin = 0) {
    ASSERT_EQ(richLabel_.AttachWindow(label_, 0, 1), 1);
    richLabel_.SetScrollInterval(0);  // the tests move the runs themselves
    richLabel_.SetBackColor(kWhite);
    richLabel_.SetMargin(margin);
    richLabel_.SetText(text);
    paint();
  }

  // Paints the label at once and gives back what it shows.
  QImage paint() { return label_->grab().toImage(); }

  void send(QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::NoButton) {
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
    QMouseEvent event(type, at, label_->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(label_, &event);
  }
  void leave() {
    QEvent event(QEvent::Leave);
    QCoreApplication::sendEvent(label_, &event);
  }
  void click(QPoint press, QPoint release) {
    send(QEvent::MouseButtonPress, press, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, release, Qt::LeftButton);
  }

  // The centre of the index-th (1-based) run.
  QPoint centreOf(int index) const {
    const RunRect& r = richLabel_.runs().at(static_cast<std::size_t>(index) - 1).rect;
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  int linkIndex(const std::string& text) const {
    const auto& runs = richLabel_.runs();
    for (std::size_t i = 0; i < runs.size(); ++i)
      if (runs[i].kind == RunKind::Link && runs[i].text == text) return static_cast<int>(i) + 1;
    return 0;
  }

  std::unique_ptr<QWidget> parent_;
  QLabel* label_ = nullptr;
  RichTextLabel richLabel_;
};

TEST_F(LabelTest, SecondAttachIsRefusedUntilTheWidgetIsDestroyed) {
  EXPECT_EQ(richLabel_.AttachWindow(nullptr, 1, 1), 0);
  EXPECT_EQ(richLabel_.AttachWindow(label_, 1, 1), 1);
  EXPECT_EQ(richLabel_.AttachWindow(label_, 1, 1), 0);
  QLabel other(parent_.get());
  EXPECT_EQ(richLabel_.AttachWindow(&other, 1, 1), 0);
  EXPECT_EQ(richLabel_.GetSubclassedWindow(), label_);

  delete label_;
  label_ = nullptr;
  EXPECT_EQ(richLabel_.GetSubclassedWindow(), nullptr);
  EXPECT_FALSE(richLabel_.scrolling());
  EXPECT_EQ(richLabel_.AttachWindow(&other, 1, 1), 1);
  EXPECT_EQ(richLabel_.GetSubclassedWindow(), &other);
}

TEST_F(LabelTest, PaintsTheWidgetsTextFromTheMarginWithRepetition) {
  label_->setText(toDisplay("Hello"));
  ASSERT_EQ(richLabel_.AttachWindow(label_, 1, 1), 1);
  richLabel_.SetMargin(5);
  paint();
  const auto& runs = richLabel_.runs();
  ASSERT_GE(runs.size(), 2u);  // repeated to fill the height
  EXPECT_EQ(runs[0].text, "Hello");
  EXPECT_EQ(runs[0].rect.left, 5);
  EXPECT_EQ(runs[0].rect.top, 5);
  EXPECT_GE(runs.back().rect.bottom, 104 - 5);
  // The QLabel keeps the text but no longer reads markup.
  EXPECT_EQ(label_->textFormat(), Qt::PlainText);
}

TEST_F(LabelTest, NegativeMarginIsZero) {
  attach(kMarkup, -3);
  EXPECT_EQ(richLabel_.margin(), 0);
  ASSERT_FALSE(richLabel_.runs().empty());
  EXPECT_EQ(richLabel_.runs()[0].rect.left, 0);
  EXPECT_EQ(richLabel_.runs()[0].rect.top, 0);
}

TEST_F(LabelTest, ScrollIntervalZeroStopsAndAPositiveOneRestarts) {
  attach();
  EXPECT_FALSE(richLabel_.scrolling());
  richLabel_.SetScrollInterval(-7);
  EXPECT_FALSE(richLabel_.scrolling());
  EXPECT_EQ(richLabel_.scrollInterval(), 0);
  richLabel_.SetScrollInterval(250);
  EXPECT_TRUE(richLabel_.scrolling());
  EXPECT_EQ(richLabel_.scrollInterval(), 250);
  const int top = richLabel_.runs()[0].rect.top;
  EXPECT_TRUE(QTest::qWaitFor([&] { return richLabel_.runs()[0].rect.top == top - 5; }, 2000));
}

TEST_F(LabelTest, ScrollsFiveEveryTickWithoutLayingOutAgain) {
  attach();
  richLabel_.SetScrollInterval(20);
  const std::string firstText = richLabel_.runs()[0].text;
  const int top = richLabel_.runs()[0].rect.top;
  ASSERT_TRUE(QTest::qWaitFor([&] { return richLabel_.runs()[0].rect.top <= top - 15; }, 2000));
  paint();  // a paint composes the moved runs; it does not lay out again
  EXPECT_LT(richLabel_.runs()[0].rect.top, top);
  EXPECT_EQ((top - richLabel_.runs()[0].rect.top) % 5, 0);
  EXPECT_EQ(richLabel_.runs()[0].text, firstText);
}

TEST_F(LabelTest, HoverPausesAndLeaveResumes) {
  attach();
  richLabel_.SetScrollInterval(600);
  ASSERT_TRUE(richLabel_.scrolling());
  send(QEvent::MouseMove, {200, 90});
  EXPECT_TRUE(QTest::qWaitFor([&] { return !richLabel_.scrolling(); }, 2000));
  leave();
  EXPECT_TRUE(richLabel_.scrolling());
  EXPECT_EQ(richLabel_.scrollInterval(), 600);
}

TEST_F(LabelTest, HandCursorOverALinkArrowElsewhere) {
  attach();
  send(QEvent::MouseMove, centreOf(linkIndex("one")));
  EXPECT_EQ(label_->cursor().shape(), Qt::PointingHandCursor);
  send(QEvent::MouseMove, centreOf(1));  // the text "go "
  EXPECT_EQ(label_->cursor().shape(), Qt::ArrowCursor);
  send(QEvent::MouseMove, centreOf(linkIndex("two")));
  EXPECT_EQ(label_->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(LabelTest, PressAndReleaseOnTheSameLinkOpensIt) {
  testing::RecordedShellOpens opens;
  attach();
  const QPoint one = centreOf(linkIndex("one"));
  const QPoint two = centreOf(linkIndex("two"));
  const QPoint text = centreOf(1);

  click(one, two);    // different links
  click(text, one);   // pressed outside any link
  send(QEvent::MouseButtonPress, one, Qt::LeftButton);
  leave();            // leaving forgets the press
  send(QEvent::MouseButtonRelease, one, Qt::LeftButton);
  send(QEvent::MouseButtonRelease, two, Qt::LeftButton);  // a release without a press
  EXPECT_TRUE(opens.opened().empty());

  click(two, two);
  const auto opened = opens.opened();
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].address, "http://two/");
  EXPECT_EQ(opened[0].verb, "Open");
}

TEST_F(LabelTest, RuleIsGreyAtTheMiddleOfItsLine) {
  attach();
  const auto& runs = richLabel_.runs();
  const auto rule = std::find_if(runs.begin(), runs.end(), [](const TextRun& r) { return r.kind == RunKind::Rule; });
  ASSERT_NE(rule, runs.end());
  const int y = rule->rect.top + (rule->rect.bottom - rule->rect.top) / 2;
  const QImage shown = paint();
  EXPECT_EQ(shown.pixelColor(0, y), QColor(204, 204, 204));
  EXPECT_EQ(shown.pixelColor(130, y), QColor(204, 204, 204));
  EXPECT_EQ(shown.pixelColor(263, y), QColor(204, 204, 204));
  EXPECT_EQ(shown.pixelColor(130, y - 1), QColor(255, 255, 255));
  EXPECT_EQ(shown.pixelColor(130, y + 1), QColor(255, 255, 255));
}

TEST_F(LabelTest, RuleIsClippedToTheContentWithAMargin) {
  attach(kMarkup, 6);
  const auto& runs = richLabel_.runs();
  const auto rule = std::find_if(runs.begin(), runs.end(), [](const TextRun& r) { return r.kind == RunKind::Rule; });
  ASSERT_NE(rule, runs.end());
  const int y = rule->rect.top + (rule->rect.bottom - rule->rect.top) / 2;
  const QImage shown = paint();
  EXPECT_EQ(shown.pixelColor(6, y), QColor(204, 204, 204));
  EXPECT_EQ(shown.pixelColor(264 - 7, y), QColor(204, 204, 204));
  EXPECT_EQ(shown.pixelColor(264 - 6, y), QColor(255, 255, 255));  // the margin stays background
}

TEST_F(LabelTest, NewWidgetTextIsLaidOutFromTheTop) {
  attach();
  richLabel_.SetScrollInterval(10);
  ASSERT_TRUE(QTest::qWaitFor([&] { return richLabel_.runs()[0].rect.top < -10; }, 2000));
  richLabel_.SetScrollInterval(0);

  label_->setText(toDisplay("fresh <a href=\"u\">text</a>"));  // the widget's own setter
  paint();
  ASSERT_EQ(richLabel_.runs().size(), 2u);
  EXPECT_EQ(richLabel_.runs()[0].text, "fresh ");
  EXPECT_EQ(richLabel_.runs()[0].rect.top, 0);

  richLabel_.SetText("\xD0\xC2");  // 新, through the label
  paint();
  ASSERT_EQ(richLabel_.runs().size(), 1u);
  EXPECT_EQ(richLabel_.runs()[0].text, "\xD0\xC2");
  EXPECT_EQ(label_->text(), toDisplay("\xD0\xC2"));
}

TEST_F(LabelTest, TextGivenThroughTheLabelKeepsItsBytes) {
  attach("ab\x81");  // a lead byte at the end has no character of its own
  ASSERT_EQ(richLabel_.runs().size(), 1u);
  EXPECT_EQ(richLabel_.runs()[0].text, "ab\x81");
}

TEST_F(LabelTest, ResizeLaysOutAgainFromTheTop) {
  attach();
  richLabel_.SetScrollInterval(10);
  ASSERT_TRUE(QTest::qWaitFor([&] { return richLabel_.runs()[0].rect.top < 0; }, 2000));
  richLabel_.SetScrollInterval(0);
  label_->resize(120, 104);
  paint();
  EXPECT_EQ(richLabel_.runs()[0].rect.top, 0);
  for (const TextRun& run : richLabel_.runs()) {
    if (run.kind == RunKind::Text || run.kind == RunKind::Link) {
      EXPECT_LE(run.rect.right, 120);
    }
  }
}

TEST_F(LabelTest, WindowTextColourStandInIsReplacedAtAttach) {
  richLabel_.SetPlainTextColor(kWindowTextColour);
  EXPECT_EQ(richLabel_.plainTextColor(), kWindowTextColour);
  attach();
  EXPECT_EQ(richLabel_.plainTextColor(), colourValueOf(label_->palette().color(QPalette::WindowText)));
}

TEST_F(LabelTest, TextAndLinksInTheirColours) {
  attach("<b>MMMMMMMM</b>\r\n<a href=\"u\"><b>MMMMMMMM</b></a>");
  richLabel_.SetPlainTextColor(255);        // red
  richLabel_.SetLinkColor(255u * 256u);     // green
  const QImage shown = paint();
  auto hasColourInRun = [&](int index, QColor colour) {
    const RunRect& r = richLabel_.runs().at(static_cast<std::size_t>(index)).rect;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        if (shown.pixelColor(x, y) == colour) return true;
    return false;
  };
  EXPECT_TRUE(hasColourInRun(0, QColor(255, 0, 0)));
  EXPECT_FALSE(hasColourInRun(0, QColor(0, 255, 0)));
  EXPECT_TRUE(hasColourInRun(2, QColor(0, 255, 0)));
  EXPECT_FALSE(hasColourInRun(2, QColor(255, 0, 0)));
}

TEST_F(LabelTest, BackPictureCoversTheBackgroundMarginsIncluded) {
  QImage red(2, 2, QImage::Format_RGB32);
  red.fill(QColor(255, 0, 0));
  QByteArray png;
  QBuffer buffer(&png);
  ASSERT_TRUE(red.save(&buffer, "PNG"));
  attach("", 5);
  EXPECT_EQ(richLabel_.SetBackPicture("abcd", 1), 0);
  EXPECT_EQ(richLabel_.SetBackPicture(std::string_view(png.constData(), static_cast<std::size_t>(png.size())), 1), 1);
  const QImage shown = paint();
  EXPECT_EQ(shown.pixelColor(0, 0), QColor(255, 0, 0));
  EXPECT_EQ(shown.pixelColor(263, 103), QColor(255, 0, 0));
}

// The main window attaches and configures the label from a thread of its
// own while the GUI thread paints it and sets its text.
TEST_F(LabelTest, AttachAndSettingsFromAnotherThreadReachTheGuiThreadInOrder) {
  label_->setText(toDisplay(kMarkup));
  std::atomic<int> attached{-1};
  std::thread binder([&] {
    attached = richLabel_.AttachWindow(label_, 1, 1);
    richLabel_.SetMargin(5);
    richLabel_.SetScrollInterval(600);
    richLabel_.SetPlainTextColor(0);
    richLabel_.SetLinkColor(255u * 65536u);
  });
  for (int i = 0; i < 50; ++i) {
    label_->setText(toDisplay(i % 2 == 0 ? kMarkup : "x\r\n" + kMarkup));
    paint();
    QCoreApplication::processEvents();
  }
  binder.join();
  EXPECT_EQ(attached, 1);
  ASSERT_TRUE(QTest::qWaitFor([&] { return richLabel_.linkColor() == 255u * 65536u; }, 2000));
  EXPECT_EQ(richLabel_.margin(), 5);
  EXPECT_EQ(richLabel_.scrollInterval(), 600);
  EXPECT_TRUE(richLabel_.scrolling());
  EXPECT_EQ(richLabel_.plainTextColor(), 0u);
  label_->setText(toDisplay(kMarkup));
  paint();
  ASSERT_FALSE(richLabel_.runs().empty());
  EXPECT_EQ(richLabel_.runs()[0].rect.left, 5);
  EXPECT_EQ(richLabel_.runs()[0].rect.top, 5);
}

}  // namespace
}  // namespace qimubox
