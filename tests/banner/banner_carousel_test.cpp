// The banner carousel on a real main form: the slots in turn with their
// pictures, titles and dots, the period and the waits (shortened here), the
// link opened by a press, and the window going away while the carousel waits.
#include "banner/banner_carousel.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>
#include <httplib.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "forms/main_form.h"
#include "platform/gbk_convert.h"
#include "tests/support/scripted_seams.h"

namespace qimubox {
namespace {

constexpr int grey = 12632256;
constexpr int orange = 33023;

// The colour of slot k's picture (from 1), so that a test can tell them apart.
QRgb slotColour(int slot) { return qRgb(slot * 40, 255 - slot * 30, 100); }

std::string pngOf(QRgb colour) {
  QImage image(520, 88, QImage::Format_RGB32);
  image.fill(colour);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes.toStdString();
}

// 标题 followed by the slot number.
std::string titleOf(int slot) { return "\xB1\xEA\xCC\xE2" + std::to_string(slot); }

std::array<BannerSlot, 6> numberedSlots(const std::string& picturePrefix) {
  std::array<BannerSlot, 6> slots;
  for (int slot = 1; slot <= 6; ++slot) {
    slots[slot - 1] = {picturePrefix + std::to_string(slot), "http://link/" + std::to_string(slot),
                       titleOf(slot)};
  }
  return slots;
}

class BannerCarouselTest : public ::testing::Test {
 protected:
  struct Fetch {
    std::string address;
    qint64 atMs;
  };

  BannerCarouselTest() { clock_.start(); }

  // Makes the carousel with an in-memory fetcher that records every fetch,
  // and starts `时钟1` as the window's set-up does.
  BannerCarousel& start(BannerTiming timing, std::array<BannerSlot, 6> slots = numberedSlots("pic")) {
    auto* carousel = new BannerCarousel(*form_, std::move(slots), [this](const std::string& address) {
      fetches_.push_back({address, clock_.elapsed()});
      return pngOf(slotColour(address.back() - '0'));
    }, timing);
    form_->bannerTimer().start(1);
    return *carousel;
  }

  TransparentLabel& dot(int slot) {
    TransparentLabel* dots[] = {form_->ui().标签10, form_->ui().标签11, form_->ui().标签12,
                                form_->ui().标签13, form_->ui().标签14, form_->ui().标签15};
    return *dots[slot - 1];
  }
  std::vector<int> dotColours() {
    std::vector<int> colours;
    for (int slot = 1; slot <= 6; ++slot) colours.push_back(dot(slot).backgroundColor());
    return colours;
  }
  // The colours of the six dots when slot `shown` is the orange one.
  static std::vector<int> dotsShowing(int shown) {
    std::vector<int> colours(6, grey);
    colours[static_cast<std::size_t>(shown - 1)] = orange;
    return colours;
  }
  bool waitForSlot(int slot, int limitMs = 5000) {
    return QTest::qWaitFor([&] { return dot(slot).backgroundColor() == orange; }, limitMs);
  }
  std::string title() { return fromDisplay(form_->ui().透明标签37->text()); }
  // The shown picture's colour, 0 when none is shown.
  QRgb pictureColour() {
    const QPixmap picture = form_->ui().图片框3->pixmap();
    return picture.isNull() ? 0 : picture.toImage().pixel(10, 10);
  }

  std::unique_ptr<MainForm> form_ = std::make_unique<MainForm>();
  testing::RecordedShellOpens shellOpens_;
  QElapsedTimer clock_;
  std::vector<Fetch> fetches_;
};

TEST_F(BannerCarouselTest, FirstTickShowsSlotOneAndSetsThePeriod) {
  EXPECT_EQ(dotColours(), std::vector<int>(6, grey));
  start({600, 200});
  ASSERT_TRUE(waitForSlot(1));
  EXPECT_EQ(dotColours(), dotsShowing(1));
  EXPECT_EQ(title(), titleOf(1));
  EXPECT_EQ(pictureColour(), slotColour(1));
  EXPECT_EQ(form_->bannerTimer().interval(), 600);
  EXPECT_TRUE(form_->bannerTimer().isActive());
}

TEST_F(BannerCarouselTest, DotsAndTitleArePaintedOverThePicture) {
  start({5000, 200});
  ASSERT_TRUE(waitForSlot(1));
  // What the user sees: the banner as painted, its style sheet included.
  const QImage banner = form_->ui().图片框3->grab().toImage();
  const auto centreOf = [](const QWidget& control) { return control.geometry().center(); };
  EXPECT_EQ(banner.pixel(centreOf(dot(1))), qRgb(255, 128, 0));
  for (int slot = 2; slot <= 6; ++slot) EXPECT_EQ(banner.pixel(centreOf(dot(slot))), qRgb(192, 192, 192)) << slot;
  // The title lets the picture show through beside its text.
  const QRect title = form_->ui().透明标签37->geometry();
  EXPECT_EQ(banner.pixel(title.right() - 2, title.center().y()), slotColour(1));
}

TEST_F(BannerCarouselTest, ProductionTimingIsNineteenSecondsWithWaitsOfTwoAndAHalf) {
  BannerCarousel& carousel = start({});
  ASSERT_TRUE(waitForSlot(1));
  EXPECT_EQ(form_->bannerTimer().interval(), 19000);
  // Well inside the first wait slot 1 is still the one shown.
  QTest::qWait(300);
  EXPECT_EQ(dotColours(), dotsShowing(1));
  EXPECT_TRUE(carousel.isRotating());
}

TEST_F(BannerCarouselTest, EachSlotFollowsTheWaitWithItsPictureTitleAndDot) {
  constexpr int wait = 150;
  start({5000, wait});
  for (int slot = 1; slot <= 6; ++slot) {
    ASSERT_TRUE(waitForSlot(slot)) << "slot " << slot;
    EXPECT_EQ(dotColours(), dotsShowing(slot)) << "slot " << slot;
    EXPECT_EQ(title(), titleOf(slot));
    EXPECT_EQ(pictureColour(), slotColour(slot));
  }
  ASSERT_EQ(fetches_.size(), 6u);
  for (std::size_t i = 1; i < fetches_.size(); ++i) {
    EXPECT_EQ(fetches_[i].address, "pic" + std::to_string(i + 1));
    const qint64 gap = fetches_[i].atMs - fetches_[i - 1].atMs;
    EXPECT_GE(gap, wait - 1) << "slot " << i + 1 << " came early";
    EXPECT_LT(gap, wait * 4) << "slot " << i + 1 << " came late";
  }
}

TEST_F(BannerCarouselTest, SlotSixStaysUntilTheNextPeriodThenSlotOneComesBack) {
  constexpr int period = 700;
  BannerCarousel& carousel = start({period, 40});
  ASSERT_TRUE(waitForSlot(6));
  EXPECT_FALSE(carousel.isRotating());
  ASSERT_TRUE(waitForSlot(1));
  EXPECT_EQ(dotColours(), dotsShowing(1));
  EXPECT_EQ(title(), titleOf(1));
  ASSERT_EQ(fetches_.size(), 7u);
  const qint64 sinceFirst = fetches_[6].atMs - fetches_[0].atMs;
  EXPECT_GE(sinceFirst, period - 1);
  EXPECT_LT(sinceFirst, period * 3);
}

TEST_F(BannerCarouselTest, RotationLongerThanThePeriodIsNotOverlappedAndTheNextFollowsAtOnce) {
  constexpr int wait = 80;
  start({300, wait});  // a rotation takes at least 5 × 80 ms
  ASSERT_TRUE(QTest::qWaitFor([&] { return fetches_.size() >= 13; }, 10000));
  for (std::size_t i = 0; i < 13; ++i) {
    EXPECT_EQ(fetches_[i].address, "pic" + std::to_string(i % 6 + 1)) << "fetch " << i;
  }
  // The tick that came during the first rotation starts the second one as
  // soon as slot 6 is shown, not a period later.
  EXPECT_LT(fetches_[6].atMs - fetches_[5].atMs, wait);
  EXPECT_LT(fetches_[12].atMs - fetches_[11].atMs, wait);
}

TEST_F(BannerCarouselTest, MissingPictureShowsAnEmptyBannerWithItsTitleAndDot) {
  // Addresses without a picture: the fetcher returns empty bytes or bytes
  // that are no picture.
  std::array<BannerSlot, 6> slots = numberedSlots("pic");
  slots[1].pictureAddress = "";
  new BannerCarousel(*form_, slots, [](const std::string& address) {
    if (address.empty()) return std::string();
    return address == "pic3" ? std::string("not a picture") : pngOf(slotColour(address.back() - '0'));
  }, {5000, 100});
  form_->bannerTimer().start(1);
  ASSERT_TRUE(waitForSlot(1));
  EXPECT_TRUE(form_->ui().图片框3->hasPicture());
  for (int slot : {2, 3}) {
    ASSERT_TRUE(waitForSlot(slot));
    EXPECT_FALSE(form_->ui().图片框3->hasPicture()) << "slot " << slot;
    EXPECT_EQ(title(), titleOf(slot));
    EXPECT_EQ(dotColours(), dotsShowing(slot));
  }
  ASSERT_TRUE(waitForSlot(4));
  EXPECT_TRUE(form_->ui().图片框3->hasPicture());
}

struct PressCase {
  const char* name;
  int showing;                      // slot shown when the press comes; 0 before the first tick
  const char* target;               // object pressed inside the banner
  Qt::MouseButton button;
  std::vector<std::string> opened;  // addresses handed to the shell
};

class BannerPressTest : public BannerCarouselTest, public ::testing::WithParamInterface<PressCase> {};

TEST_P(BannerPressTest, OpensTheLinkOfTheOrangeDot) {
  const PressCase& press = GetParam();
  std::array<BannerSlot, 6> slots = numberedSlots("pic");
  slots[4].linkAddress = "";  // an empty link is handed on as it is
  if (press.showing == 0) {
    new BannerCarousel(*form_, slots, [](const std::string&) { return std::string(); });
  } else {
    start({60000, 250}, slots);
    ASSERT_TRUE(waitForSlot(press.showing));
  }
  auto* target = form_->findChild<QWidget*>(QString::fromUtf8(press.target));
  ASSERT_NE(target, nullptr);
  QTest::mousePress(target, press.button, Qt::NoModifier, QPoint(5, 5));
  std::vector<std::string> opened;
  for (const ShellOpenRequest& request : shellOpens_.opened()) {
    EXPECT_EQ(request.verb, "open");
    opened.push_back(request.address);
  }
  EXPECT_EQ(opened, press.opened);
}

INSTANTIATE_TEST_SUITE_P(
    Presses, BannerPressTest,
    ::testing::Values(
        PressCase{"BeforeFirstTick", 0, "图片框3", Qt::LeftButton, {}},
        PressCase{"SlotOne", 1, "图片框3", Qt::LeftButton, {"http://link/1"}},
        PressCase{"SlotThree", 3, "图片框3", Qt::LeftButton, {"http://link/3"}},
        PressCase{"SlotThreeOnItsTitle", 3, "透明标签37", Qt::LeftButton, {"http://link/3"}},
        PressCase{"SlotThreeOnAnotherDot", 3, "标签15", Qt::LeftButton, {"http://link/3"}},
        PressCase{"SlotThreeRightButton", 3, "图片框3", Qt::RightButton, {}},
        PressCase{"SlotFiveEmptyLink", 5, "图片框3", Qt::LeftButton, {""}}),
    [](const ::testing::TestParamInfo<PressCase>& info) { return std::string(info.param.name); });

TEST_F(BannerCarouselTest, FirstOrangeDotDecidesWhenSeveralAreOrange) {
  BannerCarousel carousel(*form_, numberedSlots("pic"), [](const std::string&) { return std::string(); });
  dot(4).setBackgroundColor(orange);
  dot(2).setBackgroundColor(orange);
  dot(1).setBackgroundColor(orange + 1);  // almost orange is not orange
  carousel.openBannerLink();
  ASSERT_EQ(shellOpens_.opened().size(), 1u);
  EXPECT_EQ(shellOpens_.opened()[0].address, "http://link/2");
}

TEST_F(BannerCarouselTest, DeletingTheWindowDuringAWaitEndsTheCarousel) {
  QPointer<BannerCarousel> carousel = &start({500, 100});
  ASSERT_TRUE(waitForSlot(2));
  form_.reset();
  EXPECT_TRUE(carousel.isNull());
  // The wait that was running must not come back to the freed window.
  QTest::qWait(300);
  EXPECT_EQ(fetches_.size(), 2u);
}

TEST_F(BannerCarouselTest, ClosedWindowKeepsRotatingUntilDeleted) {
  form_->show();
  start({5000, 60});
  ASSERT_TRUE(waitForSlot(1));
  form_->close();
  ASSERT_TRUE(waitForSlot(3));
  EXPECT_EQ(dotColours(), dotsShowing(3));
}

TEST_F(BannerCarouselTest, EventLoopQuitDuringAWaitReturnsAtOnce) {
  constexpr int wait = 2000;
  start({60000, wait});
  ASSERT_TRUE(waitForSlot(1));
  QElapsedTimer running;
  running.start();
  QEventLoop loop;
  QTimer::singleShot(50, &loop, &QEventLoop::quit);
  loop.exec();
  // Nothing holds the loop inside the wait: it ends long before slot 2 is due.
  EXPECT_LT(running.elapsed(), wait / 2);
  EXPECT_EQ(dotColours(), dotsShowing(1));
  form_.reset();
}

// The default fetcher against a picture server on loopback: one web request
// per showing, no cache.
TEST_F(BannerCarouselTest, DefaultFetcherShowsTheServedPicturesAndNothingForMissingOnes) {
  httplib::Server server;
  std::mutex mutex;
  std::vector<std::string> requested;
  server.Get(R"(/banner(\d)\.png)", [&](const httplib::Request& request, httplib::Response& response) {
    {
      std::lock_guard lock(mutex);
      requested.push_back(request.path);
    }
    const int slot = request.matches[1].str()[0] - '0';
    if (slot == 3) {
      response.status = 404;
      return;
    }
    response.set_content(pngOf(slotColour(slot)), "image/png");
  });
  const int port = server.bind_to_any_port("127.0.0.1");
  ASSERT_GT(port, 0);
  // The socket listens from the bind on; requests wait until the thread accepts.
  std::thread serving([&] { server.listen_after_bind(); });

  std::array<BannerSlot, 6> slots = numberedSlots("http://127.0.0.1:" + std::to_string(port) + "/banner");
  for (BannerSlot& slot : slots) slot.pictureAddress += ".png";
  slots[1].pictureAddress = "";
  new BannerCarousel(*form_, slots, fetchBannerPicture, {700, 40});
  form_->bannerTimer().start(1);

  ASSERT_TRUE(waitForSlot(1));
  EXPECT_EQ(pictureColour(), slotColour(1));
  ASSERT_TRUE(waitForSlot(6));
  EXPECT_EQ(pictureColour(), slotColour(6));
  ASSERT_TRUE(waitForSlot(1));
  ASSERT_TRUE(waitForSlot(2));
  EXPECT_FALSE(form_->ui().图片框3->hasPicture());
  EXPECT_EQ(title(), titleOf(2));
  ASSERT_TRUE(waitForSlot(3));
  EXPECT_FALSE(form_->ui().图片框3->hasPicture());
  form_.reset();

  server.stop();
  serving.join();
  // Slot 2 has no address and is never requested; the others are fetched
  // again at every showing.
  const std::vector<std::string> expected = {"/banner1.png", "/banner3.png", "/banner4.png",
                                             "/banner5.png", "/banner6.png", "/banner1.png",
                                             "/banner3.png"};
  EXPECT_EQ(requested, expected);
}

}  // namespace
}  // namespace qimubox
