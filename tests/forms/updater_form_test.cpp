// The updater window: size, controls and their first state.
#include <QProgressBar>
#include <QPushButton>
#include <gtest/gtest.h>

#include "forms/updater_form.h"
#include "tests/forms/layout_checks.h"

namespace qimubox {
namespace {

TEST(UpdaterFormTest, HasItsSizeAndControls) {
  UpdaterForm form;
  EXPECT_EQ(form.size(), QSize(696, 443));
  testing::expectLayout(form, {
      {"图片框_", "qimubox::PictureBox", 0, 0, 696, 136, true, nullptr},
      {"分组框1", "QGroupBox", 5, 138, 688, 300, true, nullptr},
      {"编辑框1", "QPlainTextEdit", 5, 12, 334, 278, true, nullptr},
      {"编辑框_保存路径", "QLineEdit", 32, 48, 267, 20, false, nullptr},
      {"编辑框_下载地址", "QLineEdit", 32, 70, 267, 20, false, nullptr},
      {"标签_总大小", "QLabel", 344, 15, 335, 24, true, "\xD7\xDC\xB4\xF3\xD0\xA1\xA3\xBA" "0KB"  /* 总大小：0KB */},
      {"标签_已下载", "QLabel", 344, 50, 335, 24, true, "\xD2\xD1\xCF\xC2\xD4\xD8\xA3\xBA" "0KB"  /* 已下载：0KB */},
      {"标签_剩余大小", "QLabel", 344, 85, 335, 24, true, "\xCA\xA3\xD3\xE0\xA3\xBA" "0KB"  /* 剩余：0KB */},
      {"标签_速度", "QLabel", 344, 120, 335, 24, true, "\xCB\xD9\xB6\xC8\xA3\xBA" "0KB/S"  /* 速度：0KB/S */},
      {"标签_用时", "QLabel", 344, 155, 335, 24, true, "\xD3\xC3\xCA\xB1\xA3\xBA" "0\xC3\xEB"  /* 用时：0秒 */},
      {"标签_剩余", "QLabel", 344, 190, 335, 24, true, "\xCA\xA3\xD3\xE0\xCA\xB1\xBC\xE4\xA3\xBA" "0\xC3\xEB"  /* 剩余时间：0秒 */},
      {"进度条_下载进度", "QProgressBar", 344, 225, 335, 24, true, nullptr},
      {"标签_百分比", "QLabel", 464, 225, 99, 24, false, "\xCF\xC2\xD4\xD8\xBD\xF8\xB6\xC8\xA3\xBA" "0%"  /* 下载进度：0% */},
      {"按钮_下载", "QPushButton", 344, 260, 80, 32, true, "\xC1\xA2\xBC\xB4\xB8\xFC\xD0\xC2"  /* 立即更新 */},
      {"按钮_停止", "QPushButton", 477, 260, 80, 32, true, "\xCD\xA3\xD6\xB9\xB8\xFC\xD0\xC2"  /* 停止更新 */},
      {"按钮_停止1", "QPushButton", 600, 260, 80, 32, true, "\xCD\xCB\xB3\xF6"  /* 退出 */},
  });
}

TEST(UpdaterFormTest, StartsIdle) {
  UpdaterForm form;
  EXPECT_TRUE(form.ui().按钮_下载->isEnabled());
  EXPECT_FALSE(form.ui().按钮_停止->isEnabled());
  EXPECT_EQ(form.ui().进度条_下载进度->value(), 0);
  EXPECT_EQ(form.ui().进度条_下载进度->maximum(), 100);
  EXPECT_EQ(form.findChild<QTimer*>(QStringLiteral("时钟1")), &form.progressTimer());
  EXPECT_FALSE(form.progressTimer().isActive());
}

}  // namespace
}  // namespace qimubox
