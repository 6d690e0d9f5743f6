// The toolkit layer's semantics where they differ from Qt's defaults, checked with real widgets
// and real input events.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QFileDialog>
#include <QFontDialog>
#include <QTest>
#include <QTimer>

#include "tests/support/fixtures.h"
#include "tests/support/window.h"
#include "ui/controls.h"
#include "ui/toolkit_qt.h"

namespace {

using ToolkitTest = WindowTest;

std::vector<int> DrainEvents() {
  std::vector<int> controls;
  Event e;
  while (PollEvent(e)) controls.push_back(e.kind == ControlEvent ? e.control : -100 - e.kind);
  return controls;
}

PictureRef Solid(int w, int h) {
  auto p = std::make_shared<Picture>();
  p->width = w;
  p->height = h;
  p->pixels.assign(static_cast<size_t>(w) * h * 3, 200);
  return p;
}

TEST_F(ToolkitTest, DisablingTheFocusedControlTakesTheFocusAndHandsItToNoOne) {
  QWidget* heading = ControlWidget(HeadingColourField);
  heading->setFocus();
  ASSERT_TRUE(heading->hasFocus());
  DrainEvents();
  EnableControl(HeadingColourField, false);
  EXPECT_FALSE(heading->hasFocus());
  EXPECT_EQ(QApplication::focusWidget(), nullptr);
  // Neither the field nor the next one reports anything: the toolkit took the focus itself.
  EXPECT_TRUE(DrainEvents().empty());
  EnableControl(HeadingColourField, true);
  EXPECT_TRUE(ControlIsEnabled(HeadingColourField));
  EXPECT_EQ(QApplication::focusWidget(), nullptr);
}

TEST_F(ToolkitTest, SettingStatesTextsAndItemsPostsNoEvent) {
  SetControlState(ThumbnailsCheck, 0);
  SetControlState(Reduce768Option, 1);
  SetControlText(PageTitleField, "t");
  SetControlText(BackgroundColourField, "-");
  SetControlText(PageTextEditor, "a]\r\nb");
  AddItem(PictureList, -1, "a.jpg");
  AddItem(PictureList, -1, "b.jpg");
  SetControlState(PictureList, 1);
  RemoveItem(PictureList, 0);
  SetControlText(PictureList, "A.JPG");
  ClearItems(PictureList);
  EXPECT_TRUE(DrainEvents().empty());
}

TEST_F(ToolkitTest, AnEventEqualToTheLastWaitingOneIsDropped) {
  PostEvent({ControlEvent, SaveButton});
  PostEvent({ControlEvent, SaveButton});
  PostEvent({ControlEvent, ProcessButton});
  PostEvent({ControlEvent, SaveButton});
  EXPECT_EQ(DrainEvents(), (std::vector<int>{SaveButton, ProcessButton, SaveButton}));
}

TEST_F(ToolkitTest, ListViewTextSelectsTheFirstItemEqualIgnoringCase) {
  for (const char* item : {"sky.jpg", "Sky.JPG", "stone.bmp"}) AddItem(BackgroundList, -1, item);
  struct Case { const char* text; int selected; } cases[] = {
      {"SKY.JPG", 0}, {"stone.bmp", 2}, {"sky", -1}, {"", -1}, {"sky.jpg ", -1}};
  for (const Case& c : cases) {
    SetControlText(BackgroundList, c.text);
    EXPECT_EQ(ControlState(BackgroundList), c.selected) << c.text;
  }
}

TEST_F(ToolkitTest, ListItemsInsertRemoveAndReadOutOfRange) {
  AddItem(PictureList, -1, "b");
  AddItem(PictureList, 0, "a");
  AddItem(PictureList, 5, "c");
  EXPECT_EQ(ListItems(PictureList), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(ItemText(PictureList, 3), "");
  EXPECT_EQ(ItemText(PictureList, -1), "");
  RemoveItem(PictureList, 1);
  RemoveItem(PictureList, 7);
  EXPECT_EQ(ListItems(PictureList), (std::vector<std::string>{"a", "c"}));
}

TEST_F(ToolkitTest, ListClicksAndKeyMovesPostEventsAlsoOnTheSelectedItem) {
  for (const char* item : {"a.jpg", "b.jpg", "c.jpg"}) AddItem(PictureList, -1, item);
  ClickItem(PictureList, 1);
  EXPECT_EQ(ControlState(PictureList), 1);
  EXPECT_EQ(DrainEvents(), std::vector<int>{PictureList});
  ClickItem(PictureList, 1);
  EXPECT_EQ(DrainEvents(), std::vector<int>{PictureList});
  PressKey(PictureList, Qt::Key_Down);
  EXPECT_EQ(ControlState(PictureList), 2);
  EXPECT_EQ(DrainEvents(), std::vector<int>{PictureList});

  // Handled between press and release, one click still reports once, on the release.
  auto* list = qobject_cast<QListWidget*>(ControlWidget(PictureList));
  QPoint first = list->visualItemRect(list->item(0)).center();
  QTest::mousePress(list->viewport(), Qt::LeftButton, Qt::NoModifier, first);
  EXPECT_TRUE(DrainEvents().empty());
  QTest::mouseRelease(list->viewport(), Qt::LeftButton, Qt::NoModifier, first);
  EXPECT_EQ(DrainEvents(), std::vector<int>{PictureList});
  EXPECT_EQ(ControlState(PictureList), 0);
}

TEST_F(ToolkitTest, FieldsPostOnGainingAndLosingTheFocusAndOnEdits) {
  DrainEvents();
  Click(TextColourField);
  EXPECT_EQ(DrainEvents(), std::vector<int>{TextColourField});
  Click(PageTitleField);
  EXPECT_EQ(DrainEvents(), (std::vector<int>{TextColourField, PageTitleField}));
  TypeText(PageTitleField, "ab");
  EXPECT_EQ(DrainEvents(), std::vector<int>{PageTitleField});
}

TEST_F(ToolkitTest, TrackBarsPostEveryMoveWhileDragged) {
  ASSERT_TRUE(OpenWindow(SecondaryWindow, {0, 0, 310, 180}, "Set colour", DialogStyle));
  MakeTrackBar(SecondaryWindow, RedBar, {30, 60, 250, 20}, 0, 255);
  auto* bar = qobject_cast<QSlider*>(ControlWidget(RedBar));
  DrainEvents();
  QPoint start(5, 10);
  QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, start);
  int seen = 0;
  for (int x = 20; x <= 240; x += 40) {
    QMouseEvent move(QEvent::MouseMove, QPointF(x, 10), bar->mapToGlobal(QPointF(x, 10)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &move);
    std::vector<int> events = DrainEvents();
    if (!events.empty() && events.back() == RedBar) seen++;
  }
  EXPECT_TRUE(bar->isSliderDown());
  QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, QPoint(240, 10));
  EXPECT_GE(seen, 5);
  EXPECT_GT(ControlState(RedBar), 200);
  SetControlState(RedBar, 3);
  EXPECT_TRUE(DrainEvents().empty());
}

TEST_F(ToolkitTest, PictureViewsFitTheirPictureAndKeepWhatTheyWereGiven) {
  PictureRef picture = Solid(70, 60);
  ShowPicture(BackgroundPreview, picture);
  EXPECT_EQ(ControlWidget(BackgroundPreview)->size(), QSize(74, 64));
  EXPECT_EQ(ShownPicture(BackgroundPreview), picture);
  EXPECT_FALSE(qobject_cast<QLabel*>(ControlWidget(BackgroundPreview))->pixmap().isNull());
  ShowPicture(BackgroundPreview, nullptr);
  EXPECT_EQ(ShownPicture(BackgroundPreview), nullptr);
  EXPECT_TRUE(qobject_cast<QLabel*>(ControlWidget(BackgroundPreview))->pixmap().isNull());
}

TEST_F(ToolkitTest, BackColoursTakeRedInTheLowByte) {
  SetBackColour(HeadingColourField, 255);
  EXPECT_EQ(ControlWidget(HeadingColourField)->palette().color(QPalette::Base), QColor(255, 0, 0));
  SetBackColour(HeadingColourField, 0x030201);
  EXPECT_EQ(ControlWidget(HeadingColourField)->palette().color(QPalette::Base), QColor(1, 2, 3));
  EXPECT_EQ(BackColour(HeadingColourField), 0x030201);
}

TEST_F(ToolkitTest, AReenabledWindowGivesTheFocusBackToTheControlThatHadIt) {
  QWidget* setOrder = ControlWidget(SetOrderButton);
  setOrder->setFocus();
  ASSERT_TRUE(setOrder->hasFocus());
  EnableWindow(MainWindow, false);
  EXPECT_FALSE(WindowIsEnabled(MainWindow));
  EXPECT_FALSE(ControlIsEnabled(SetOrderButton) && setOrder->isEnabled());
  EnableWindow(MainWindow, true);
  EXPECT_TRUE(setOrder->hasFocus());
}

TEST_F(ToolkitTest, EditorTextHasCrLfLineEnds) {
  SetControlText(CaptionEditor, "one]\r\ntwo\rthree\nfour");
  EXPECT_EQ(ControlText(CaptionEditor), "one]\r\ntwo\r\nthree\r\nfour");
}

TEST_F(ToolkitTest, TextThatIsNotUtf8ShowsAsLatin1AndComesBackAsItWasSet) {
  SetControlText(PageTitleField, "caf\xe9");
  EXPECT_EQ(ControlWidget(PageTitleField)->property("text").toString(), QString::fromUtf8("caf\xc3\xa9"));
  EXPECT_EQ(ControlText(PageTitleField), "caf\xe9");
  AddItem(PictureList, -1, "caf\xe9.jpg");
  EXPECT_EQ(ItemText(PictureList, 0), "caf\xe9.jpg");
  SetControlText(PictureList, "CAF\xe9.JPG");
  EXPECT_EQ(ControlState(PictureList), 0);
  // Once edited, the text is the person's, in UTF-8.
  PressKey(PageTitleField, Qt::Key_End);
  TypeText(PageTitleField, "s");
  EXPECT_EQ(ControlText(PageTitleField), "caf\xc3\xa9s");
  SetControlText(PageTitleField, "caf\xc3\xa9");
  EXPECT_EQ(ControlText(PageTitleField), "caf\xc3\xa9");
}

TEST_F(ToolkitTest, MakingAControlWithAUsedNumberReplacesTheOldOne) {
  ASSERT_TRUE(OpenWindow(SecondaryWindow, {0, 0, 250, 250}, "Set order", DialogStyle));
  MakeButton(SecondaryWindow, OkButton, {200, 220, 40, 20}, "OK");
  MakeButton(SecondaryWindow, OkButton, {130, 150, 40, 20}, "OK");
  EXPECT_EQ(ControlWidget(OkButton)->geometry(), QRect(130, 150, 40, 20));
  EXPECT_EQ(WindowWidget(SecondaryWindow)->findChildren<QPushButton*>().size(), 1);
  CloseWindow(SecondaryWindow);
  EXPECT_FALSE(ControlExists(OkButton));
  EXPECT_TRUE(ControlExists(SaveButton));
}

TEST_F(ToolkitTest, SecondaryWindowsAreFixedDialogsWithoutACloseBox) {
  ASSERT_TRUE(OpenWindow(SecondaryWindow, {0, 0, 250, 250}, "Set order", DialogStyle));
  KeepWindowOnTop(SecondaryWindow);
  QWidget* w = WindowWidget(SecondaryWindow);
  EXPECT_EQ(w->windowTitle(), "Set order");
  EXPECT_EQ(w->size(), QSize(250, 250));
  EXPECT_EQ(w->minimumSize(), w->maximumSize());
  EXPECT_FALSE(w->windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(w->isVisible());
  // Disabling the main window leaves the secondary window usable.
  EnableWindow(MainWindow, false);
  MakeButton(SecondaryWindow, OkButton, {200, 220, 40, 20}, "OK");
  EXPECT_TRUE(ControlWidget(OkButton)->isEnabled());
}

// The real choosers, answered by a person's keys from a timer while they are open.
TEST_F(ToolkitTest, TheFontChooserStartsAtTheFaceAndSizeAndKeepsThemOnOk) {
  AnswerDialogsWith(nullptr);
  QString shownFamily;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    shownFamily = dialog->currentFont().family();
    EXPECT_EQ(dialog->currentFont().pointSize(), 30);
    EXPECT_EQ(dialog->currentFont().weight(), QFont::Normal);
    EXPECT_FALSE(dialog->currentFont().italic());
    dialog->accept();
  });
  FontChoice choice = ChooseFont("Arial", 30);
  AnswerDialogsWith(&answers);
  EXPECT_FALSE(shownFamily.isEmpty());
  EXPECT_TRUE(choice.chosen);
  EXPECT_EQ(choice.face, "Arial");
  EXPECT_EQ(choice.points, 30);
  EXPECT_EQ(choice.styleBits, 0);
}

TEST_F(ToolkitTest, TheFileChooserShowsItsLabelAndStaysOpenForAMissingFolder) {
  TempFolder album;
  AnswerDialogsWith(nullptr);
  bool stayedOpen = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Quorel File select");
    EXPECT_TRUE(dialog->testOption(QFileDialog::HideNameFilterDetails));
    auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(name, nullptr);
    name->setText(ToQt(album / "missing/x.jpg"));
    QMetaObject::invokeMethod(dialog, "accept");
    stayedOpen = dialog->isVisible();
    name->setText(ToQt(album / "new.html"));
    QMetaObject::invokeMethod(dialog, "accept");
  });
  std::string file = ChooseFile("Quorel File select", "/", "Html page (*.html)",
                                "*.jpg;*.png;*.bmp;*.html");
  AnswerDialogsWith(&answers);
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(file, album / "new.html");
}

}  // namespace
