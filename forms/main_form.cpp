#include "forms/main_form.h"

#include <QFontMetrics>
#include <QLabel>
#include <QTabBar>
#include <utility>

#include "forms/controls/frameless_drag.h"
#include "forms/form_pictures.h"
#include "platform/gbk_convert.h"

namespace qimubox {

namespace {

// Each catalog page has the captions "共       页" and "第       页" with a number
// label lying over their blanks: (caption, number label) by object name.
constexpr std::pair<const char*, const char*> pageCaptions[] = {
    {"透明标签4", "透明标签5"},   {"透明标签6", "透明标签7"},   {"透明标签8", "透明标签10"},
    {"透明标签11", "透明标签12"}, {"透明标签13", "透明标签15"}, {"透明标签16", "透明标签14"},
    {"透明标签18", "透明标签17"}, {"透明标签20", "透明标签19"}, {"透明标签23", "透明标签21"},
    {"透明标签24", "透明标签22"}, {"透明标签25", "透明标签26"}, {"透明标签27", "透明标签28"},
    {"透明标签29", "透明标签30"}, {"透明标签31", "透明标签32"}, {"透明标签33", "透明标签34"},
    {"透明标签35", "透明标签36"},
};

// Fonts with narrow blanks would let the number label cover the caption's
// last character; the letters are spaced out until the blanks reach past the
// label. (Word spacing does not widen a run of blanks.)
void widenBlanksUnder(QLabel& caption, const QWidget& cover) {
  const QString text = caption.text();
  const qsizetype firstBlank = text.indexOf(QLatin1Char(' '));
  const qsizetype blanks = text.count(QLatin1Char(' '));
  if (firstBlank < 0) return;
  QFont font = caption.font();
  const QFontMetrics metrics(font);
  const int gapNeeded = cover.geometry().right() + 2 - caption.x() -
                        metrics.horizontalAdvance(text.left(firstBlank));
  const int gapNow = metrics.horizontalAdvance(QString(blanks, QLatin1Char(' ')));
  if (gapNow >= gapNeeded) return;
  // Every character up to the last blank gets the extra spacing.
  const qreal extra = static_cast<qreal>(gapNeeded - gapNow) / static_cast<qreal>(firstBlank + blanks);
  font.setLetterSpacing(QFont::AbsoluteSpacing, extra);
  caption.setFont(font);
}

}  // namespace

MainForm::MainForm(QWidget* parent)
    : QWidget(parent),
      bannerTimer_(new QTimer(this)),
      listMenu_(new QMenu(this)),
      refreshAction_(nullptr) {
  loadFormPictures();
  ui_.setupUi(this);
  setWindowFlag(Qt::FramelessWindowHint);
  setFixedSize(991, 613);
  move(50, 50);

  // The navigation bar switches the pages; the tab strip would only duplicate it.
  ui_.选择夹1->tabBar()->hide();
  // A press on the banner opens its link; it must not start dragging the window.
  ui_.图片框3->setAttribute(Qt::WA_NoMousePropagation);
  FramelessDrag::install(this);
  for (const auto& [captionName, numberName] : pageCaptions) {
    auto* caption = findChild<QLabel*>(QString::fromUtf8(captionName));
    const auto* number = findChild<QWidget*>(QString::fromUtf8(numberName));
    if (caption != nullptr && number != nullptr) widenBlanksUnder(*caption, *number);
  }

  bannerTimer_->setObjectName(QStringLiteral("时钟1"));
  listMenu_->setObjectName(QStringLiteral("菜单"));
  refreshAction_ = listMenu_->addAction(toDisplay("\xCB\xA2\xD0\xC2"));  // 刷新
  refreshAction_->setObjectName(QStringLiteral("刷新"));
}

}  // namespace qimubox
