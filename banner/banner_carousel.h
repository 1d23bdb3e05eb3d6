// The banner of the main window: `图片框3` shows the six banner slots in turn,
// each with its title in `透明标签37` and its dot among `标签10` … `标签15`
// turned orange, and a left press on the banner opens the link of the slot
// whose dot is orange.
//
// `时钟1` drives it: every tick sets the timer's period (19 s) and starts one
// rotation through the six slots, with a wait (2.5 s) after each of the first
// five. The waits are steps of a single-shot timer, not nested event loops, so
// nothing runs under a wait that the window could pull away: closing, deleting
// the window or quitting the application during a wait is safe. A tick that
// comes while a rotation runs is not started on top of it; it starts as soon
// as the running rotation has ended. GUI thread only.
#pragma once

#include <QObject>
#include <QTimer>
#include <array>
#include <functional>
#include <string>

#include "catalogdb/records.h"

namespace qimubox {

class MainForm;
class TransparentLabel;

// Returns a picture's bytes for its address, empty when it cannot be had.
using BannerPictureFetcher = std::function<std::string(const std::string& address)>;

// The default fetcher: one web request giving only the address (default
// headers, 15 s time-outs, redirects followed); only the body is used.
std::string fetchBannerPicture(const std::string& address);

struct BannerTiming {
  int periodMilliseconds = 19000;   // from the start of one rotation to the next
  int slotWaitMilliseconds = 2500;  // after each of slots 1 to 5
};

class BannerCarousel : public QObject {
  Q_OBJECT

 public:
  static constexpr int slotCount = 6;
  static constexpr int greyDot = 12632256;  // RGB(192, 192, 192)
  static constexpr int orangeDot = 33023;   // RGB(255, 128, 0)

  // Attaches to `时钟1`'s ticks and `图片框3`'s presses. The carousel is a
  // child of `form` and goes with it; deleting it earlier stops the banner.
  // Starting `时钟1` (the window's set-up gives it 1 ms) starts the rotation.
  BannerCarousel(MainForm& form, std::array<BannerSlot, slotCount> slots,
                 BannerPictureFetcher fetchPicture = fetchBannerPicture, BannerTiming timing = {});

  // The tick of `时钟1`: sets its period and starts a rotation at slot 1.
  void rotateBanner();
  // The left press on `图片框3`: opens the link of the slot whose dot is
  // orange, the first one when several are; nothing when none is.
  void openBannerLink();

  bool isRotating() const { return rotating_; }

 private:
  // Shows slot `nextSlot_` and arranges what follows it.
  void showNextSlot();
  void endRotation();

  MainForm& form_;
  std::array<TransparentLabel*, slotCount> dots_;  // `标签10` … `标签15`
  const std::array<BannerSlot, slotCount> slots_;
  const BannerPictureFetcher fetchPicture_;
  const BannerTiming timing_;
  QTimer slotWait_;  // the wait after a slot; dies with the carousel
  bool rotating_ = false;
  bool tickDue_ = false;  // a tick came while the rotation ran
  int nextSlot_ = 0;      // from 0
};

}  // namespace qimubox
