// The controls the forms are made of: pictures from bytes, the list box's
// rows and events, links reacting on the press, and dragging a frameless window.
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QMovie>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <string>

#include "forms/controls/frameless_drag.h"
#include "forms/controls/hyperlink_box.h"
#include "forms/controls/picture_box.h"
#include "forms/controls/super_list_box.h"
#include "forms/controls/transparent_label.h"
#include "forms/form_pictures.h"

namespace qimubox {
namespace {

std::string encoded(const char* format) {
  QImage image(16, 12, QImage::Format_RGB32);
  image.fill(Qt::darkCyan);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return bytes.toStdString();
}

std::string resourceBytes(const QString& path) {
  loadFormPictures();
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

TEST(PictureBoxTest, ShowsStillPicturesAndClearsOnOtherBytes) {
  PictureBox box;
  box.resize(60, 60);
  for (const char* format : {"PNG", "JPEG", "BMP"}) {
    SCOPED_TRACE(format);
    box.setPictureBytes(encoded(format));
    EXPECT_TRUE(box.hasPicture());
    EXPECT_FALSE(box.isAnimated());
    EXPECT_EQ(box.pixmap().size(), QSize(16, 12));
    box.setPictureBytes("<html>not a picture</html>");
    EXPECT_FALSE(box.hasPicture());
  }
  box.setPictureBytes(encoded("PNG"));
  box.setPictureBytes("");
  EXPECT_FALSE(box.hasPicture());
  box.setPictureBytes(encoded("PNG").substr(0, 30));  // cut short
  EXPECT_FALSE(box.hasPicture());
}

TEST(PictureBoxTest, PlaysAnimatedGifsAndScalesDownLargePictures) {
  PictureBox box;
  box.resize(200, 200);
  const std::string gif = resourceBytes(QStringLiteral(":/forms/splash_connecting.gif"));
  ASSERT_FALSE(gif.empty());
  box.setPictureBytes(gif);
  ASSERT_TRUE(box.isAnimated());
  EXPECT_EQ(box.movie()->frameCount(), 51);
  EXPECT_EQ(box.movie()->state(), QMovie::Running);
  box.setPictureBytes("GIF89a and nothing else");
  EXPECT_FALSE(box.hasPicture());

  box.resize(60, 60);
  box.setPictureBytes(resourceBytes(QStringLiteral(":/forms/splash_logo.png")));  // 111 × 111
  EXPECT_EQ(box.pixmap().size(), QSize(60, 60));
}

TEST(PictureBoxTest, ReportsPressesAndLeavesThemToTheParent) {
  QWidget parent;
  PictureBox box(&parent);
  QSignalSpy pressed(&box, &PictureBox::pressed);
  QTest::mousePress(&box, Qt::LeftButton);
  ASSERT_EQ(pressed.count(), 1);
  EXPECT_EQ(pressed.at(0).at(0).value<Qt::MouseButton>(), Qt::LeftButton);
}

class SuperListBoxTest : public ::testing::Test {
 protected:
  SuperListBoxTest() : changed(&list, &SuperListBox::currentRowChanged) {
    list.setColumnWidths(QStringLiteral("0,120,205"));
    for (const char* name : {"\xC4\xA7\xCA\xF5", "b", "c"}) {  // 魔术
      list.setCellText(list.insertRow(), 1, name);
    }
  }
  SuperListBox list;
  QSignalSpy changed;
};

TEST_F(SuperListBoxTest, HoldsGbkCellsAndReadsMissingOnesEmpty) {
  EXPECT_EQ(list.rowCount(), 3);
  EXPECT_EQ(list.columnCount(), 3);
  EXPECT_EQ(list.cellText(0, 1), "\xC4\xA7\xCA\xF5");
  EXPECT_EQ(list.cellText(0, 2), "");
  EXPECT_EQ(list.cellText(3, 1), "");
  EXPECT_EQ(list.cellText(-1, 1), "");
  list.setCellText(7, 1, "lost");
  EXPECT_EQ(list.rowCount(), 3);
  EXPECT_EQ(list.insertRow(), 3);
  EXPECT_EQ(list.currentRow(), -1);
  EXPECT_EQ(changed.count(), 0);
}

TEST_F(SuperListBoxTest, SelectingRaisesTheEventOnceForEachNewRow) {
  list.selectRow(1);
  ASSERT_EQ(changed.count(), 1);
  EXPECT_EQ(changed.at(0).at(0).toInt(), 1);
  EXPECT_EQ(list.currentRow(), 1);
  EXPECT_TRUE(list.topLevelItem(1)->isSelected());

  list.selectRow(1);   // already current
  list.selectRow(5);   // missing
  list.selectRow(-1);  // missing
  EXPECT_EQ(changed.count(), 1);
  EXPECT_EQ(list.currentRow(), 1);

  QTest::keyClick(&list, Qt::Key_Down);
  ASSERT_EQ(changed.count(), 2);
  EXPECT_EQ(changed.at(1).at(0).toInt(), 2);
  EXPECT_EQ(list.selectedItems().size(), 1);
}

TEST_F(SuperListBoxTest, DeletingAllRowsRaisesNothing) {
  list.selectRow(2);
  changed.clear();
  list.deleteAllRows();
  EXPECT_EQ(list.rowCount(), 0);
  EXPECT_EQ(list.currentRow(), -1);
  EXPECT_EQ(changed.count(), 0);
  list.setCellText(list.insertRow(), 1, "new");
  list.selectRow(0);
  EXPECT_EQ(changed.count(), 1);
}

TEST_F(SuperListBoxTest, RightClickIsReported) {
  QSignalSpy rightClicked(&list, &SuperListBox::rightClicked);
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), list.viewport()->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(list.viewport(), &event);
  EXPECT_EQ(rightClicked.count(), 1);
}

TEST(HyperlinkBoxTest, ReactsOnThePressAndKeepsItsColour) {
  HyperlinkBox link;
  QSignalSpy pressed(&link, &HyperlinkBox::pressed);
  QTest::mousePress(&link, Qt::LeftButton);
  ASSERT_EQ(pressed.count(), 1);
  QTest::mouseRelease(&link, Qt::LeftButton);
  EXPECT_EQ(pressed.count(), 1);

  link.setTextColor(0 + 107 * 256 + 196 * 65536);
  EXPECT_EQ(link.textColor(), 12872448);
  EXPECT_EQ(link.palette().color(QPalette::WindowText), QColor(0, 107, 196));
}

TEST(TransparentLabelTest, BackgroundColourIsReadBack) {
  TransparentLabel dot;
  EXPECT_EQ(dot.backgroundColor(), TransparentLabel::transparent);
  EXPECT_FALSE(dot.autoFillBackground());
  dot.setBackgroundColor(33023);  // orange
  EXPECT_EQ(dot.backgroundColor(), 33023);
  EXPECT_EQ(dot.palette().color(QPalette::Window), QColor(255, 128, 0));
  EXPECT_TRUE(dot.autoFillBackground());
}

// Sends a press at `from`, a move to `to` and a release, all on `target`.
void drag(QWidget& target, QPoint from, QPoint to) {
  const QPoint fromGlobal = target.mapToGlobal(from);
  const QPoint toGlobal = fromGlobal + (to - from);
  QMouseEvent press(QEvent::MouseButtonPress, from, fromGlobal, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&target, &press);
  QMouseEvent move(QEvent::MouseMove, to, toGlobal, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&target, &move);
  QMouseEvent release(QEvent::MouseButtonRelease, to, toGlobal, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&target, &release);
}

TEST(FramelessDragTest, BackgroundDragsTheWindowControlsDoNot) {
  QWidget window(nullptr, Qt::FramelessWindowHint);
  window.setGeometry(100, 100, 300, 200);
  auto* background = new PictureBox(&window);
  background->setGeometry(0, 0, 300, 200);
  auto* button = new QPushButton(&window);
  button->setGeometry(10, 10, 60, 30);
  FramelessDrag::install(&window);

  drag(*background, QPoint(150, 100), QPoint(170, 130));
  EXPECT_EQ(window.pos(), QPoint(120, 130));
  drag(*button, QPoint(5, 5), QPoint(45, 45));
  EXPECT_EQ(window.pos(), QPoint(120, 130));
  drag(window, QPoint(150, 100), QPoint(140, 90));
  EXPECT_EQ(window.pos(), QPoint(110, 120));
}

}  // namespace
}  // namespace qimubox
