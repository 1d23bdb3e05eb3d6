#include "richlabel/rich_text_label.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QThread>

#include "platform/gbk_convert.h"
#include "platform/gui_thread.h"
#include "richlabel/label_controller.h"

namespace qimubox {

RichTextLabel::RichTextLabel() : controller_(new LabelController) {
  // The state lives on the widgets' thread whichever thread made the label.
  if (QCoreApplication* app = QCoreApplication::instance(); app != nullptr && controller_->thread() != app->thread())
    controller_->moveToThread(app->thread());
}

RichTextLabel::~RichTextLabel() {
  if (QThread::currentThread() == controller_->thread())
    delete controller_;
  else
    controller_->deleteLater();
}

// Carries a call to the widgets' thread (at once when already there). Calls
// from one thread keep their order; a call still queued when the label is
// destroyed is dropped.
template <class Call>
void RichTextLabel::post(Call call) {
  LabelController* controller = controller_;
  runOnThreadOf(controller, [controller, call = std::move(call)]() mutable { call(*controller); });
}

int RichTextLabel::AttachWindow(QLabel* window, int repeatToFill, int /*reserved*/) {
  if (window == nullptr || !controller_->claimWindow()) return 0;
  QPointer<QLabel> target(window);
  post([target, repeatToFill](LabelController& controller) {
    if (target.isNull()) {
      controller.releaseClaim();  // the widget went before the bind reached it
      return;
    }
    controller.bindWindow(target.data(), repeatToFill != 0);
  });
  return 1;
}

void RichTextLabel::SetMargin(int pixels) {
  post([pixels](LabelController& controller) { controller.setMargin(pixels); });
}

void RichTextLabel::SetScrollInterval(int milliseconds) {
  post([milliseconds](LabelController& controller) { controller.setScrollInterval(milliseconds); });
}

void RichTextLabel::SetPlainTextColor(std::uint32_t colour) {
  post([colour](LabelController& controller) { controller.setPlainTextColor(colour); });
}

void RichTextLabel::SetLinkColor(std::uint32_t colour) {
  post([colour](LabelController& controller) { controller.setLinkColor(colour); });
}

void RichTextLabel::SetBackColor(std::uint32_t colour) {
  post([colour](LabelController& controller) { controller.setBackColor(colour); });
}

void RichTextLabel::SetRepeatToFill(int flag) {
  post([flag](LabelController& controller) { controller.setRepeatToFill(flag != 0); });
}

int RichTextLabel::SetBackPicture(std::string_view bytes, int mode) {
  // Decoding needs no widget, so it happens here and the result is known at once.
  StreamImage picture;
  const int loaded = picture.LoadFromBytes(bytes);
  post([picture = std::move(picture), mode](LabelController& controller) mutable {
    controller.setBackPicture(std::move(picture), mode);
  });
  return loaded;
}

void RichTextLabel::SetText(const std::string& text) {
  post([text](LabelController& controller) { controller.setText(text); });
}

void RichTextLabel::Refresh(bool rebuild) {
  post([rebuild](LabelController& controller) { controller.refresh(rebuild); });
}

int RichTextLabel::Create(QWidget* parent, int x, int y, int width, int height, int repeatToFill, int /*reserved*/) {
  int result = 0;
  runOnThreadOfAndWait(controller_, [&] {
    if (controller_->hasLiveWindow()) {
      result = 1;
      return;
    }
    if (parent == nullptr || !controller_->claimWindow()) return;
    QLabel* child = CreateChildWindow({}, x, y, width, height, parent);
    controller_->bindWindow(child, repeatToFill != 0);
    child->show();
    result = 1;
  });
  return result;
}

QLabel* RichTextLabel::CreateChildWindow(const std::string& title, int x, int y, int width, int height,
                                         QWidget* parent) {
  if (parent == nullptr) return nullptr;
  QLabel* child = nullptr;
  runOnThreadOfAndWait(parent, [&] {
    child = new QLabel(toDisplay(title), parent);
    child->setGeometry(x, y, width, height);
  });
  return child;
}

void RichTextLabel::AddTooltip(const std::string& text, const QRect& rect, bool useRect) {
  post([text, rect, useRect](LabelController& controller) {
    const QLabel* window = controller.window();
    if (window == nullptr) return;
    controller.tooltips().add(text, rect, useRect, window->rect());
  });
}

void RichTextLabel::RemoveTooltips() {
  post([](LabelController& controller) { controller.tooltips().removeAll(); });
}

int RichTextLabel::SubclassParent() {
  int result = 0;
  runOnThreadOfAndWait(controller_, [&] { result = controller_->hookParent() ? 1 : 0; });
  return result;
}

int RichTextLabel::ThreadProc(void* /*parameter*/) { return 0; }

std::jthread RichTextLabel::StartThread(void* parameter) {
  return std::jthread([parameter] { ThreadProc(parameter); });
}

QLabel* RichTextLabel::GetSubclassedWindow() const {
  QLabel* window = nullptr;
  runOnThreadOfAndWait(controller_, [&] { window = controller_->window(); });
  return window;
}

const std::vector<TextRun>& RichTextLabel::runs() const { return controller_->runs(); }
int RichTextLabel::margin() const { return controller_->margin(); }
int RichTextLabel::scrollInterval() const { return controller_->scrollInterval(); }
bool RichTextLabel::scrolling() const { return controller_->scrolling(); }
std::uint32_t RichTextLabel::plainTextColor() const { return controller_->plainTextColor(); }
std::uint32_t RichTextLabel::linkColor() const { return controller_->linkColor(); }
std::uint32_t RichTextLabel::backColor() const { return controller_->backColor(); }
bool RichTextLabel::parentHooked() const { return controller_->parentHooked(); }
int RichTextLabel::tooltipCount() const { return controller_->tooltips().count(); }

std::string RichTextLabel::tooltipAt(QPoint point) const {
  const std::string* text = controller_->tooltips().textAt(point);
  return text != nullptr ? *text : std::string();
}

}  // namespace qimubox
