// The part of the rich text label that lives on the widgets' thread: it
// watches the taken-over QLabel through an event filter and owns every piece
// of the label's state. Only that thread calls it (RichTextLabel carries
// calls from other threads there).
#pragma once

#include <QLabel>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "richlabel/label_defaults.h"
#include "richlabel/label_painting.h"
#include "richlabel/label_tooltips.h"
#include "richlabel/markup_layout.h"
#include "richlabel/stream_image.h"

namespace qimubox {

class LabelController : public QObject {
 public:
  LabelController();

  // The claim on "a live widget is painted" is taken by the calling thread
  // before the bind is carried over, so that a second attach is refused at
  // once; the widget's destruction gives it back.
  bool claimWindow();
  void releaseClaim();

  void bindWindow(QLabel* window, bool repeatToFill);
  bool hasLiveWindow() const { return !window_.isNull(); }
  QLabel* window() const { return window_.data(); }

  void setMargin(int pixels);
  void setScrollInterval(int milliseconds);
  void setPlainTextColor(std::uint32_t colour);
  void setLinkColor(std::uint32_t colour);
  void setBackColor(std::uint32_t colour);
  void setRepeatToFill(bool flag);
  void setBackPicture(StreamImage picture, int mode);
  void setText(const std::string& text);
  void refresh(bool rebuild);
  bool hookParent();

  LabelTooltips& tooltips() { return tooltips_; }
  const LabelTooltips& tooltips() const { return tooltips_; }

  const std::vector<TextRun>& runs() const { return runs_; }
  int margin() const { return margin_; }
  int scrollInterval() const { return scrollInterval_; }
  bool scrolling() const { return scrollTimer_.isActive(); }
  std::uint32_t plainTextColor() const { return plainTextColor_; }
  std::uint32_t linkColor() const { return linkColor_; }
  std::uint32_t backColor() const { return backColor_; }
  bool parentHooked() const { return !hookedParent_.isNull(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void watchWindow(QLabel* window);
  void onWindowDestroyed();
  void paint();
  void rebuildBuffers(const QString& shownText);
  void onScrollTick();
  void onMouseMove(QPoint point);
  void onMouseHover();
  void onMouseLeave();
  void onButtonDown(QPoint point);
  void onButtonUp(QPoint point);
  void applyCursor(Qt::CursorShape cursor);
  void startScrollTimer();
  void stopScrollTimer();

  std::mutex claimMutex_;
  bool claimed_ = false;

  QPointer<QLabel> window_;
  // The watched widget as an object: while it is being destroyed it is no
  // longer a QLabel, and its events must be told apart without a downcast.
  const QObject* windowObject_ = nullptr;
  QPointer<QWidget> hookedParent_;
  PaintBuffers buffers_;
  std::uint32_t backColor_;
  std::uint32_t plainTextColor_ = 0;
  std::uint32_t linkColor_ = kDefaultLinkColour;
  std::vector<TextRun> runs_;
  std::vector<QString> shownTexts_;
  bool repeatToFill_ = false;
  int margin_ = 0;
  StreamImage backPicture_;
  int backPictureMode_ = 0;
  int scrollInterval_ = kDefaultScrollInterval;
  bool mouseTracking_ = false;
  int pressedRun_ = 0;
  bool buttonDown_ = false;
  const bool pauseOnHover_ = true;
  Qt::CursorShape currentCursor_ = Qt::PointingHandCursor;
  QTimer scrollTimer_;
  QTimer hoverTimer_;
  LabelTooltips tooltips_;

  // The text last laid out as the widget shows it, and its GBK bytes: the
  // bytes given to setText are kept so that they are laid out exactly, even
  // where they are not valid GBK.
  QString laidOutText_;
  QString givenText_;
  std::string givenBytes_;
};

}  // namespace qimubox
