#include <gtest/gtest.h>

#include <QLabel>
#include <QWidget>
#include <memory>

#include "richlabel/rich_text_label.h"

namespace qimubox {
namespace {

TEST(LabelExtrasTest, CreateMakesAShownChildLabelOnce) {
  RichTextLabel label;
  EXPECT_EQ(label.Create(nullptr, 0, 0, 10, 10, 0, 0), 0);
  EXPECT_EQ(label.CreateChildWindow("x", 0, 0, 10, 10, nullptr), nullptr);

  QWidget parent;
  parent.resize(200, 100);
  parent.show();
  EXPECT_EQ(label.Create(&parent, 10, 20, 150, 60, 1, 0), 1);
  QLabel* child = label.GetSubclassedWindow();
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(child->parentWidget(), &parent);
  EXPECT_EQ(child->geometry(), QRect(10, 20, 150, 60));
  EXPECT_TRUE(child->isVisible());
  EXPECT_TRUE(label.scrolling());

  EXPECT_EQ(label.Create(&parent, 0, 0, 5, 5, 0, 0), 1);  // still painting the first child
  EXPECT_EQ(label.GetSubclassedWindow(), child);
  QLabel other(&parent);
  EXPECT_EQ(label.AttachWindow(&other, 0, 0), 0);
}

TEST(LabelExtrasTest, TooltipsByRectangleAndForTheWholeLabel) {
  RichTextLabel label;
  label.AddTooltip("early", QRect(0, 0, 10, 10), true);  // nothing is attached yet
  EXPECT_EQ(label.tooltipCount(), 0);

  QWidget parent;
  QLabel* widget = new QLabel(&parent);
  widget->resize(100, 50);
  ASSERT_EQ(label.AttachWindow(widget, 0, 0), 1);
  EXPECT_EQ(label.tooltipAt({5, 5}), "");
  label.RemoveTooltips();  // no tools yet: nothing to remove

  label.AddTooltip("corner", QRect(0, 0, 10, 10), true);
  label.AddTooltip("whole", QRect(), false);
  label.AddTooltip("edge", QRect(90, 0, 10, 10), true);
  EXPECT_EQ(label.tooltipCount(), 2);
  EXPECT_EQ(label.tooltipAt({5, 5}), "corner");
  EXPECT_EQ(label.tooltipAt({50, 25}), "whole");
  EXPECT_EQ(label.tooltipAt({95, 5}), "whole");  // the first tool holding the point
  EXPECT_EQ(label.tooltipAt({150, 25}), "");

  label.RemoveTooltips();  // the rectangle tools go, the whole-label tool stays
  EXPECT_EQ(label.tooltipCount(), 0);
  EXPECT_EQ(label.tooltipAt({5, 5}), "whole");
  label.RemoveTooltips();  // now the whole-label tool goes
  EXPECT_EQ(label.tooltipAt({5, 5}), "");
}

TEST(LabelExtrasTest, ParentHookUndoesItselfWithTheParent) {
  RichTextLabel label;
  EXPECT_EQ(label.SubclassParent(), 0);  // nothing attached

  QLabel orphan;
  ASSERT_EQ(label.AttachWindow(&orphan, 0, 0), 1);
  EXPECT_EQ(label.SubclassParent(), 0);  // no parent
  EXPECT_FALSE(label.parentHooked());
}

TEST(LabelExtrasTest, ParentHookOnALiveParent) {
  RichTextLabel label;
  auto parent = std::make_unique<QWidget>();
  QLabel* widget = new QLabel(parent.get());
  ASSERT_EQ(label.AttachWindow(widget, 0, 0), 1);
  EXPECT_EQ(label.SubclassParent(), 1);
  EXPECT_EQ(label.SubclassParent(), 1);  // hooking twice keeps one hook
  EXPECT_TRUE(label.parentHooked());
  parent.reset();
  EXPECT_FALSE(label.parentHooked());
  EXPECT_EQ(label.GetSubclassedWindow(), nullptr);
}

TEST(LabelExtrasTest, StartThreadRunsAndIsOwnedByTheCaller) {
  RichTextLabel label;
  int parameter = 7;
  std::jthread thread = label.StartThread(&parameter);
  EXPECT_TRUE(thread.joinable());
  thread.join();
}

}  // namespace
}  // namespace qimubox
