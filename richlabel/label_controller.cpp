#include "richlabel/label_controller.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QToolTip>

#include "platform/gbk_convert.h"
#include "platform/shell_open.h"
#include "richlabel/shared_handles.h"

namespace qimubox {

LabelController::LabelController()
    : backColor_(colourValueOf(QGuiApplication::palette().color(QPalette::Button))) {
  connect(&scrollTimer_, &QTimer::timeout, this, [this] { onScrollTick(); });
  hoverTimer_.setSingleShot(true);
  hoverTimer_.setInterval(kHoverMilliseconds);
  connect(&hoverTimer_, &QTimer::timeout, this, [this] { onMouseHover(); });
}

bool LabelController::claimWindow() {
  std::lock_guard lock(claimMutex_);
  if (claimed_) return false;
  claimed_ = true;
  return true;
}

void LabelController::releaseClaim() {
  std::lock_guard lock(claimMutex_);
  claimed_ = false;
}

void LabelController::bindWindow(QLabel* window, bool repeatToFill) {
  window_ = window;
  if (plainTextColor_ == kWindowTextColour) plainTextColor_ = colourValueOf(window->palette().color(QPalette::WindowText));
  mouseTracking_ = false;
  repeatToFill_ = repeatToFill;
  watchWindow(window);
  buffers_.release();
  window->update();
  startScrollTimer();
}

void LabelController::watchWindow(QLabel* window) {
  windowObject_ = window;
  window->installEventFilter(this);
  // The label paints every pixel itself; the QLabel keeps only the text, as
  // plain text, so that it neither parses the markup nor reacts to links.
  window->setAttribute(Qt::WA_OpaquePaintEvent);
  window->setTextFormat(Qt::PlainText);
  window->setMouseTracking(true);
  window->setCursor(currentCursor_);
  connect(window, &QObject::destroyed, this, [this] { onWindowDestroyed(); });
}

void LabelController::onWindowDestroyed() {
  // Buffers and runs stay until the next attach rebuilds them.
  windowObject_ = nullptr;
  scrollTimer_.stop();
  hoverTimer_.stop();
  releaseClaim();
}

void LabelController::setMargin(int pixels) {
  margin_ = pixels < 0 ? 0 : pixels;
  refresh(true);
}

void LabelController::setScrollInterval(int milliseconds) {
  scrollInterval_ = milliseconds < 1 ? 0 : milliseconds;
  startScrollTimer();
}

void LabelController::setPlainTextColor(std::uint32_t colour) {
  plainTextColor_ = colour;
  refresh(false);
}

void LabelController::setLinkColor(std::uint32_t colour) {
  linkColor_ = colour;
  refresh(false);
}

void LabelController::setBackColor(std::uint32_t colour) {
  backColor_ = colour;
  refresh(true);
}

void LabelController::setRepeatToFill(bool flag) {
  repeatToFill_ = flag;
  refresh(true);
}

void LabelController::setBackPicture(StreamImage picture, int mode) {
  backPictureMode_ = mode;
  backPicture_ = std::move(picture);
  refresh(true);
}

void LabelController::setText(const std::string& text) {
  if (window_.isNull()) return;
  givenBytes_ = text;
  givenText_ = toDisplay(text);
  window_->setText(givenText_);
}

void LabelController::refresh(bool rebuild) {
  if (rebuild) buffers_.release();
  if (!window_.isNull()) window_->update();
}

bool LabelController::hookParent() {
  if (window_.isNull()) return false;
  QWidget* parent = window_->parentWidget();
  if (parent == nullptr) return false;
  // Hooking the same parent twice would only chain the hook to itself.
  if (hookedParent_ == parent) return true;
  if (!hookedParent_.isNull()) hookedParent_->removeEventFilter(this);
  hookedParent_ = parent;
  parent->installEventFilter(this);
  connect(parent, &QObject::destroyed, this, [this] { hookedParent_.clear(); });
  return true;
}

bool LabelController::eventFilter(QObject* watched, QEvent* event) {
  // Events of the hooked parent pass through unchanged, and so do those of a
  // widget whose destruction has begun (it is a QLabel no more).
  if (watched != windowObject_ || qobject_cast<QLabel*>(watched) == nullptr) return false;
  switch (event->type()) {
    case QEvent::Paint:
      paint();
      return true;
    case QEvent::MouseMove:
      onMouseMove(static_cast<QMouseEvent*>(event)->position().toPoint());
      return false;
    case QEvent::MouseButtonPress: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::LeftButton) onButtonDown(mouse->position().toPoint());
      return false;
    }
    case QEvent::MouseButtonRelease: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::LeftButton) onButtonUp(mouse->position().toPoint());
      return false;
    }
    case QEvent::Leave:
      onMouseLeave();
      return false;
    case QEvent::ToolTip: {
      const auto* help = static_cast<QHelpEvent*>(event);
      QRect area;
      const std::string* text = tooltips_.textAt(help->pos(), &area);
      if (text == nullptr) return false;
      QToolTip::showText(help->globalPos(), toDisplay(*text), window_.data(), area);
      return true;
    }
    default:
      return false;
  }
}

void LabelController::paint() {
  QLabel* window = window_.data();
  const QString shownText = window->text();
  if (buffers_.missing() || buffers_.size() != window->size() || shownText != laidOutText_)
    rebuildBuffers(shownText);
  compose(buffers_.front(), buffers_.back(), runs_, shownTexts_, margin_, {plainTextColor_, linkColor_});
  QPainter painter(window);
  painter.drawImage(0, 0, buffers_.front());
}

void LabelController::rebuildBuffers(const QString& shownText) {
  QLabel* window = window_.data();
  buffers_.release();
  buffers_.make(window->size(), window->devicePixelRatioF());
  laidOutText_ = shownText;
  runs_.clear();
  if (!buffers_.missing()) {
    const std::string bytes = shownText == givenText_ ? givenBytes_ : fromDisplay(shownText);
    const LayoutFrame frame{window->width(), window->height(), margin_, repeatToFill_};
    runs_ = Layout(bytes, frame, SharedFontMeasurer());
  }
  shownTexts_ = shownTexts(runs_);
  drawBackground(buffers_.back(), backColor_, backPicture_, backPictureMode_);
}

void LabelController::onScrollTick() {
  // A tick only moves rectangles; nothing is measured again.
  const QSize size = buffers_.size();
  ScrollStep(runs_, contentRectOf(size.width(), size.height(), margin_));
  if (!window_.isNull()) window_->update();
}

void LabelController::onMouseMove(QPoint point) {
  if (!mouseTracking_) {
    mouseTracking_ = true;
    hoverTimer_.start();
  } else if (hoverTimer_.isActive()) {
    hoverTimer_.start();  // the mouse has not rested yet
  }
  const SharedHandles& handles = CreateSharedHandles();
  applyCursor(HitTest(runs_, point.x(), point.y()) != 0 ? handles.handCursor : handles.arrowCursor);
}

void LabelController::onMouseHover() {
  if (pauseOnHover_) stopScrollTimer();
}

void LabelController::onMouseLeave() {
  mouseTracking_ = false;
  buttonDown_ = false;
  pressedRun_ = 0;
  hoverTimer_.stop();
  if (pauseOnHover_) startScrollTimer();
}

void LabelController::onButtonDown(QPoint point) {
  buttonDown_ = true;
  pressedRun_ = HitTest(runs_, point.x(), point.y());
}

void LabelController::onButtonUp(QPoint point) {
  if (buttonDown_) {
    const int hit = HitTest(runs_, point.x(), point.y());
    if (hit == pressedRun_ && hit >= 1 && static_cast<std::size_t>(hit) <= runs_.size() &&
        !runs_[static_cast<std::size_t>(hit) - 1].href.empty())
      shellOpen(runs_[static_cast<std::size_t>(hit) - 1].href, "Open");
  }
  buttonDown_ = false;
  pressedRun_ = 0;
}

void LabelController::applyCursor(Qt::CursorShape cursor) {
  if (cursor == currentCursor_) return;
  currentCursor_ = cursor;
  if (!window_.isNull()) window_->setCursor(cursor);
}

void LabelController::startScrollTimer() {
  if (window_.isNull()) return;
  scrollTimer_.stop();
  if (scrollInterval_ > 0) scrollTimer_.start(scrollInterval_);
}

void LabelController::stopScrollTimer() {
  if (!window_.isNull()) scrollTimer_.stop();
}

}  // namespace qimubox
