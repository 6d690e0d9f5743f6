// The "Set colour" window: opened from the colour fields by click and by Tab, driven by real
// slider moves, and the focus rules that keep one click to one window.
#include <QApplication>
#include <QSlider>
#include <QTest>

#include "tests/support/window.h"
#include "ui/controls.h"
#include "ui/toolkit_qt.h"
#include "workspace/workspace.h"

namespace {

class ColourWindowTest : public WindowTest {
 protected:
  void OpenFrom(int field) {
    Click(field);
    ASSERT_TRUE(Pump());
    ASSERT_TRUE(WindowIsOpen(SecondaryWindow));
  }
  void PressOk() {
    Click(OkButton);
    ASSERT_TRUE(Pump());
  }
  // Drags a slider's handle to the far right end with the mouse, pumping events on the way.
  void DragToEnd(int bar) {
    auto* s = qobject_cast<QSlider*>(ControlWidget(bar));
    int y = s->height() / 2;
    QTest::mousePress(s, Qt::LeftButton, Qt::NoModifier, QPoint(4, y));
    for (int x = 4; x <= s->width() + 20; x += 25) Move(s, x, y);
    QTest::mouseRelease(s, Qt::LeftButton, Qt::NoModifier, QPoint(s->width() + 20, y));
    ASSERT_TRUE(Pump());
  }
  static void Move(QSlider* s, int x, int y) {
    QMouseEvent move(QEvent::MouseMove, QPointF(x, y), s->mapToGlobal(QPointF(x, y)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(s, &move);
  }
  static int VisibleWindowsTitled(const QString& title) {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible() && w->windowTitle() == title) n++;
    return n;
  }
};

TEST_F(ColourWindowTest, OpensAtTheFieldsColourWithTheMainWindowDisabled) {
  OpenFrom(HeadingColourField);
  EXPECT_EQ(WindowWidget(SecondaryWindow)->windowTitle(), "Set colour");
  EXPECT_EQ(WindowWidget(SecondaryWindow)->size(), QSize(310, 180));
  EXPECT_FALSE(WindowIsEnabled(MainWindow));
  EXPECT_EQ(Workspace.pendingAction, "H");
  for (int c : {RedBar, GreenBar, BlueBar}) EXPECT_EQ(ControlState(c), 0);
  for (int c : {RedValue, GreenValue, BlueValue}) EXPECT_EQ(ControlText(c), "0");
  EXPECT_EQ(BackColour(ColourSample), 0);
  PressOk();
  EXPECT_EQ(ControlText(HeadingColourField), "000000");
  EXPECT_EQ(BackColour(HeadingColourField), 0);
  EXPECT_TRUE(WindowIsEnabled(MainWindow));
  EXPECT_FALSE(WindowIsOpen(SecondaryWindow));
}

TEST_F(ColourWindowTest, SliderMovesGiveTheColourTextWrittenAtOk) {
  struct Case { int bar; const char* text; int value; int field; const char* letter; } cases[] = {
      {RedBar, "0000FF", 255, TextColourField, "T"},
      {BlueBar, "FF0000", 255 * 65536, CaptionColourField, "C"},
      {GreenBar, "00FF00", 255 * 256, HeadingColourField, "H"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    OpenFrom(c.field);
    EXPECT_EQ(Workspace.pendingAction, c.letter);
    DragToEnd(c.bar);
    EXPECT_EQ(ControlText(c.bar == RedBar ? RedValue : c.bar == GreenBar ? GreenValue : BlueValue),
              "255");
    EXPECT_EQ(BackColour(ColourSample), c.value);
    PressOk();
    EXPECT_EQ(ControlText(c.field), c.text);
    EXPECT_EQ(BackColour(c.field), c.value);
  }
}

TEST_F(ColourWindowTest, DraggingUpdatesLabelAndSampleWhileTheButtonIsHeld) {
  OpenFrom(CaptionColourField);
  auto* s = qobject_cast<QSlider*>(ControlWidget(RedBar));
  int y = s->height() / 2;
  QTest::mousePress(s, Qt::LeftButton, Qt::NoModifier, QPoint(4, y));
  std::vector<int> seen;
  for (int x = 30; x < s->width(); x += 60) {
    Move(s, x, y);
    ASSERT_TRUE(Pump());
    seen.push_back(std::stoi(ControlText(RedValue)));
    EXPECT_EQ(BackColour(ColourSample), seen.back());
  }
  EXPECT_TRUE(s->isSliderDown());
  QTest::mouseRelease(s, Qt::LeftButton, Qt::NoModifier, QPoint(s->width() - 1, y));
  ASSERT_GE(seen.size(), 3u);
  for (size_t i = 1; i < seen.size(); i++) EXPECT_GT(seen[i], seen[i - 1]);
}

TEST_F(ColourWindowTest, TheBackgroundFieldLeavesThePictureForTheColour) {
  auto picture = std::make_shared<Picture>();
  picture->width = 70;
  picture->height = 60;
  picture->pixels.assign(70 * 60 * 3, 9);
  ShowPicture(BackgroundPreview, picture);
  SetControlText(BackgroundColourField, "-");
  OpenFrom(BackgroundColourField);
  EXPECT_EQ(Workspace.pendingAction, "B");
  for (int c : {RedBar, GreenBar, BlueBar}) EXPECT_EQ(ControlState(c), 0);
  PressOk();
  EXPECT_EQ(ControlText(BackgroundColourField), "000000");
  EXPECT_EQ(BackColour(BackgroundColourField), 0);
  EXPECT_EQ(ShownPicture(BackgroundPreview), nullptr);
}

TEST_F(ColourWindowTest, LowerCaseTextOpensAtItsColourAndComesBackInUpperCase) {
  SetControlText(TextColourField, "0a0bfc");
  OpenFrom(TextColourField);
  EXPECT_EQ(ControlState(RedBar), 0xfc);
  EXPECT_EQ(ControlState(GreenBar), 0x0b);
  EXPECT_EQ(ControlState(BlueBar), 0x0a);
  EXPECT_EQ(ControlText(RedValue), "252");
  PressOk();
  EXPECT_EQ(ControlText(TextColourField), "0A0BFC");
  EXPECT_EQ(BackColour(TextColourField), 0x0a0bfc);
}

TEST_F(ColourWindowTest, OneClickOpensExactlyOneWindowAndOkOpensNoOther) {
  Click(HeadingColourField);
  ASSERT_TRUE(Pump());
  EXPECT_EQ(VisibleWindowsTitled("Set colour"), 1);
  EXPECT_EQ(Workspace.pendingAction, "H");
  PressOk();
  for (int i = 0; i < 5; i++) {
    QTest::qWait(20);
    ASSERT_TRUE(Pump());
  }
  EXPECT_FALSE(WindowIsOpen(SecondaryWindow));
  EXPECT_EQ(VisibleWindowsTitled("Set colour"), 0);
  EXPECT_EQ(Workspace.pendingAction, "H");
  EXPECT_TRUE(WindowIsEnabled(MainWindow));
  EXPECT_FALSE(ControlWidget(HeadingColourField)->hasFocus());
  EXPECT_FALSE(ControlWidget(TextColourField)->hasFocus());
}

TEST_F(ColourWindowTest, TabIntoAColourFieldOpensItsWindowOnce) {
  QWidget* prefix = ControlWidget(RenamePrefixField);
  prefix->setFocus();
  ASSERT_TRUE(Pump());
  QTest::keyClick(prefix, Qt::Key_Tab);
  ASSERT_TRUE(Pump());
  EXPECT_EQ(VisibleWindowsTitled("Set colour"), 1);
  EXPECT_EQ(Workspace.pendingAction, "H");
  PressOk();
  for (int i = 0; i < 5; i++) ASSERT_TRUE(Pump());
  EXPECT_FALSE(WindowIsOpen(SecondaryWindow));
  EXPECT_EQ(Workspace.pendingAction, "H");
}

}  // namespace
