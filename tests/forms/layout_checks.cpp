#include "tests/forms/layout_checks.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <gtest/gtest.h>
#include <string>

#include "platform/gbk_convert.h"

namespace qimubox::testing {

namespace {

QString captionOf(const QWidget& control) {
  if (const auto* label = qobject_cast<const QLabel*>(&control)) return label->text();
  if (const auto* button = qobject_cast<const QAbstractButton*>(&control)) return button->text();
  if (const auto* group = qobject_cast<const QGroupBox*>(&control)) return group->title();
  return control.windowTitle();
}

}  // namespace

void expectLayout(const QWidget& form, std::initializer_list<ControlRow> rows) {
  for (const ControlRow& row : rows) {
    SCOPED_TRACE(row.name);
    const auto* control = form.findChild<const QWidget*>(QString::fromUtf8(row.name));
    ASSERT_NE(control, nullptr);
    EXPECT_TRUE(control->inherits(row.className)) << control->metaObject()->className();
    EXPECT_EQ(control->geometry(), QRect(row.x, row.y, row.width, row.height));
    EXPECT_EQ(!control->isHidden(), row.visible);
    if (row.text != nullptr) {
      EXPECT_EQ(fromDisplay(captionOf(*control)), std::string(row.text));
    }
  }
}

}  // namespace qimubox::testing
