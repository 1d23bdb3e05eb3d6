#include "banner/banner_carousel.h"

#include <utility>

#include "forms/main_form.h"
#include "platform/gbk_convert.h"
#include "platform/shell_open.h"
#include "web/web_request.h"

namespace qimubox {

std::string fetchBannerPicture(const std::string& address) {
  WebRequest request;
  request.url = address;
  return sendWebRequest(request);
}

BannerCarousel::BannerCarousel(MainForm& form, std::array<BannerSlot, slotCount> slots,
                               BannerPictureFetcher fetchPicture, BannerTiming timing)
    : QObject(&form),
      form_(form),
      dots_{form.ui().标签10, form.ui().标签11, form.ui().标签12,
            form.ui().标签13, form.ui().标签14, form.ui().标签15},
      slots_(std::move(slots)),
      fetchPicture_(std::move(fetchPicture)),
      timing_(timing) {
  // Titles come from the catalog; they are shown as they are, never as markup.
  form_.ui().透明标签37->setTextFormat(Qt::PlainText);

  // Coarse timers may fire up to 5 % early or late; the banner keeps its times.
  form_.bannerTimer().setTimerType(Qt::PreciseTimer);
  slotWait_.setSingleShot(true);
  slotWait_.setTimerType(Qt::PreciseTimer);
  connect(&slotWait_, &QTimer::timeout, this, &BannerCarousel::showNextSlot);
  connect(&form_.bannerTimer(), &QTimer::timeout, this, &BannerCarousel::rotateBanner);
  connect(form_.ui().图片框3, &PictureBox::pressed, this, [this](Qt::MouseButton button) {
    if (button == Qt::LeftButton) openBannerLink();
  });
}

void BannerCarousel::rotateBanner() {
  if (rotating_) {
    tickDue_ = true;
    return;
  }
  // Starting the timer anew counts the next period from this tick.
  form_.bannerTimer().start(timing_.periodMilliseconds);
  rotating_ = true;
  nextSlot_ = 0;
  showNextSlot();
}

void BannerCarousel::showNextSlot() {
  const int slot = nextSlot_;
  // Empty bytes (no picture to be had) leave the banner empty.
  form_.ui().图片框3->setPictureBytes(fetchPicture_(slots_[slot].pictureAddress));
  form_.ui().透明标签37->setText(toDisplay(slots_[slot].title));
  dots_[(slot + slotCount - 1) % slotCount]->setBackgroundColor(greyDot);
  dots_[slot]->setBackgroundColor(orangeDot);

  ++nextSlot_;
  if (nextSlot_ < slotCount) {
    slotWait_.start(timing_.slotWaitMilliseconds);
  } else {
    endRotation();
  }
}

void BannerCarousel::endRotation() {
  rotating_ = false;
  if (tickDue_) {
    // The period ran out during the rotation: the next one starts now.
    tickDue_ = false;
    rotateBanner();
  }
}

void BannerCarousel::openBannerLink() {
  for (int slot = 0; slot < slotCount; ++slot) {
    if (dots_[slot]->backgroundColor() == orangeDot) {
      shellOpen(slots_[slot].linkAddress);
      return;
    }
  }
}

}  // namespace qimubox
