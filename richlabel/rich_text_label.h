// The rich text label: takes over an existing QLabel, paints the label's text
// as rich text (links, bold, line breaks, rules) over a background colour or
// picture, scrolls it upward without end, pauses while the mouse rests on it
// and opens a clicked link through the shell-open seam.
//
// Every operation may be called from any thread: the calls are carried, in
// their order, to the thread that owns the widgets, and only that thread
// touches the label's state. The observers at the end are for that thread.
#pragma once

#include <QRect>
#include <cstdint>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "richlabel/label_defaults.h"
#include "richlabel/markup_layout.h"
#include "richlabel/shared_handles.h"
#include "richlabel/stream_image.h"

class QLabel;
class QWidget;

namespace qimubox {

class LabelController;

class RichTextLabel {
 public:
  // Made on (or handed to) the application's GUI thread; needs the application object.
  RichTextLabel();
  ~RichTextLabel();
  RichTextLabel(const RichTextLabel&) = delete;
  RichTextLabel& operator=(const RichTextLabel&) = delete;

  // Takes over `window`: 1, or 0 without change while the label still paints
  // a live widget or when `window` is null. The third argument is not read.
  int AttachWindow(QLabel* window, int repeatToFill, int reserved);

  void SetMargin(int pixels);                 // negative values become 0; rebuilds
  void SetScrollInterval(int milliseconds);   // below 1: no scrolling; restarts the timer
  void SetPlainTextColor(std::uint32_t colour);
  void SetLinkColor(std::uint32_t colour);
  void SetBackColor(std::uint32_t colour);    // rebuilds, so the background is repainted
  void SetRepeatToFill(int flag);             // rebuilds
  // Loads the picture (drawn in `mode`, see DrawMode) and rebuilds; 1 when it loaded.
  int SetBackPicture(std::string_view bytes, int mode);
  // Sets the widget's text (GBK); the label lays out again from the top.
  void SetText(const std::string& text);
  // With `rebuild` the next paint makes new buffers, lays out and repaints the background.
  void Refresh(bool rebuild);

  // A child label of its own in `parent`, taken over and shown: 1, or 0 when
  // there is no parent; 1 at once while the label still paints a live widget.
  int Create(QWidget* parent, int x, int y, int width, int height, int repeatToFill, int reserved);
  // A plain child label with the given (GBK) title and geometry; null without a parent.
  QLabel* CreateChildWindow(const std::string& title, int x, int y, int width, int height, QWidget* parent);
  // Tooltips shown by the taken-over widget: with `useRect` over `rect` (each
  // such tool gets the next id), otherwise over the whole client area.
  void AddTooltip(const std::string& text, const QRect& rect, bool useRect);
  void RemoveTooltips();
  // Hooks the taken-over widget's parent; the hook undoes itself when the
  // parent is destroyed. 0 without a live widget or without a parent.
  int SubclassParent();
  // Starts ThreadProc (parameter) on a thread of its own, owned by the caller.
  std::jthread StartThread(void* parameter);
  QLabel* GetSubclassedWindow() const;

  // Observers, GUI thread only.
  const std::vector<TextRun>& runs() const;
  int margin() const;
  int scrollInterval() const;
  bool scrolling() const;
  std::uint32_t plainTextColor() const;
  std::uint32_t linkColor() const;
  std::uint32_t backColor() const;
  bool parentHooked() const;
  int tooltipCount() const;
  // The tooltip text shown at a point of the widget; empty when none.
  std::string tooltipAt(QPoint point) const;

 private:
  static int ThreadProc(void* parameter);
  template <class Call>
  void post(Call call);

  LabelController* controller_;
};

}  // namespace qimubox
