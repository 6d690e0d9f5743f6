// The main window's controls in their start-up state, the option groups, and the loop's end.
#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QTest>

#include "tests/support/window.h"
#include "ui/controls.h"
#include "ui/mainwindow.h"
#include "ui/toolkit_qt.h"

namespace {

struct ControlCase {
  int number;
  const char* qtClass;
  const char* text;   // caption or text; nullptr where the control has none to check
  int state;          // -2: not checked
  QRect geometry;
};

const ControlCase kControls[] = {
    {HeadingFrame, "QGroupBox", "Heading", -2, {330, 30, 330, 45}},
    {TextFrame, "QGroupBox", "Text", -2, {330, 75, 330, 45}},
    {FormatFrame, "QGroupBox", "Format", -2, {330, 165, 330, 30}},
    {BackgroundFrame, "QGroupBox", "Background", -2, {180, 30, 140, 185}},
    {ProcessFrame, "QGroupBox", "", -2, {10, 25, 160, 190}},
    {CaptionsFrame, "QGroupBox", "Captions", -2, {330, 120, 330, 45}},
    {SaveButton, "QPushButton", "Save", -2, {420, 510, 90, 20}},
    {AbandonButton, "QPushButton", "Abandon", -2, {580, 510, 80, 20}},
    {SetOrderButton, "QPushButton", "Set order", -2, {20, 510, 90, 20}},
    {ProcessButton, "QPushButton", "Process", -2, {40, 185, 80, 20}},
    {HeadingFontButton, "QPushButton", "Arial,sans-serif/30/Bold  Italic", -2, {350, 50, 240, 20}},
    {TextFontButton, "QPushButton", "Arial,sans-serif/14/", -2, {350, 95, 240, 20}},
    {CaptionFontButton, "QPushButton", "Arial,sans-serif/10/", -2, {350, 140, 240, 20}},
    {ThumbnailsCheck, "QCheckBox", "Create thumbnails", 1, {20, 35, 110, 20}},
    {RenameCheck, "QCheckBox", "Rename", 0, {20, 155, 60, 20}},
    {CreditLineCheck, "QCheckBox", "Allow Marvane label", 1, {510, 197, 150, 20}},
    {NumberedCaptionsCheck, "QCheckBox", "Numbered captions", 1, {330, 197, 160, 20}},
    {PageTextEditor, "QPlainTextEdit", nullptr, -2, {20, 245, 640, 105}},
    {CaptionEditor, "QPlainTextEdit", "", -2, {360, 375, 300, 125}},
    {BackgroundPreview, "QLabel", nullptr, -2, {190, 147, 70, 60}},
    {PicturePreview, "QLabel", nullptr, -2, {150, 375, 200, 150}},
    {PictureList, "QListWidget", nullptr, -1, {20, 375, 120, 125}},
    {BackgroundList, "QListWidget", nullptr, -1, {190, 50, 120, 95}},
    {NoAdjustOption, "QRadioButton", "No adjust", 1, {20, 65, 110, 20}},
    {Reduce480Option, "QRadioButton", "Reduce to 640 x 480", 0, {20, 85, 130, 20}},
    {Reduce600Option, "QRadioButton", "Reduce to 800 x 600", 0, {20, 105, 130, 20}},
    {Reduce768Option, "QRadioButton", "Reduce to 1024 x 768", 0, {20, 125, 130, 20}},
    {HorizontalOption, "QRadioButton", "Horizontal", 1, {410, 178, 100, 10}},
    {VerticalOption, "QRadioButton", "Vertical", 0, {540, 178, 80, 10}},
    {PageNameField, "QLineEdit", "", -2, {390, 5, 200, 20}},
    {BackgroundColourField, "QLineEdit", "000000", -2, {270, 170, 45, 30}},
    {PageTitleField, "QLineEdit", "Picture page", -2, {75, 220, 220, 20}},
    {PageHeadingField, "QLineEdit", "My pictures!", -2, {385, 220, 275, 20}},
    {RenamePrefixField, "QLineEdit", "pic", -2, {110, 155, 40, 20}},
    {HeadingColourField, "QLineEdit", "000000", -2, {600, 50, 50, 20}},
    {TextColourField, "QLineEdit", "000000", -2, {600, 95, 50, 20}},
    {CaptionColourField, "QLineEdit", "000000", -2, {600, 140, 50, 20}},
    {FolderLabel, "QLabel", "Folder", -2, {20, 5, 60, 20}},
    {WebPageLabel, "QLabel", "Web page", -2, {320, 5, 70, 20}},
    {FrameTitleLabel, "QLabel", "Frame title", -2, {20, 222, 50, 20}},
    {PageHeadingLabel, "QLabel", "Page heading", -2, {310, 222, 70, 20}},
    {AlbumFolderLabel, "QLabel", "", -2, {80, 5, 220, 20}},
};

using MainWindowTest = WindowTest;

TEST_F(MainWindowTest, EveryControlStartsAsTheWindowTableSays) {
  QWidget* window = WindowWidget(MainWindow);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowTitle(), "Quorel");
  EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(window->size(), QSize(670, 535));
  for (const ControlCase& c : kControls) {
    SCOPED_TRACE(c.number);
    QWidget* w = ControlWidget(c.number);
    ASSERT_NE(w, nullptr);
    EXPECT_STREQ(w->metaObject()->className(), c.qtClass);
    if (c.text) {
      EXPECT_EQ(ControlText(c.number), c.text);
    }
    if (c.state != -2) {
      EXPECT_EQ(ControlState(c.number), c.state);
    }
    if (c.number != BackgroundPreview && c.number != PicturePreview) {
      EXPECT_EQ(w->geometry(), c.geometry);
    }
    EXPECT_TRUE(w->isEnabled());
  }
  EXPECT_EQ(ControlText(PageTextEditor),
            "Welcome to my picture album.]]\r\n\r\nLast modified: 31st February 2010]]"
            "\r\n\r\nBest viewed at 1024 x 768");
  for (int field : {BackgroundColourField, HeadingColourField, TextColourField, CaptionColourField}) {
    EXPECT_EQ(BackColour(field), 0);
    EXPECT_TRUE(qobject_cast<QLineEdit*>(ControlWidget(field))->isReadOnly());
  }
}

TEST_F(MainWindowTest, TabMovesThroughControlsInTheOrderTheyAreMade) {
  // Save is the first control that takes the focus, the font buttons follow Process.
  QWidget* save = ControlWidget(SaveButton);
  save->setFocus();
  EXPECT_EQ(save->nextInFocusChain(), ControlWidget(AbandonButton));
  EXPECT_EQ(ControlWidget(ProcessButton)->nextInFocusChain(), ControlWidget(HeadingFontButton));
}

TEST_F(MainWindowTest, TheTwoOptionGroupsAreIndependent) {
  Click(VerticalOption);
  EXPECT_TRUE(Pump());
  EXPECT_EQ(ControlState(VerticalOption), 1);
  EXPECT_EQ(ControlState(HorizontalOption), 0);
  EXPECT_EQ(ControlState(NoAdjustOption), 1);

  Click(Reduce600Option);
  EXPECT_TRUE(Pump());
  EXPECT_EQ(ControlState(Reduce600Option), 1);
  EXPECT_EQ(ControlState(NoAdjustOption), 0);
  EXPECT_EQ(ControlState(VerticalOption), 1);

  SetControlState(HorizontalOption, 1);
  EXPECT_EQ(ControlState(VerticalOption), 0);
  EXPECT_EQ(ControlState(Reduce600Option), 1);
}

TEST_F(MainWindowTest, ChecksOptionsAndPlainFieldsRunNoHandler) {
  Click(RenameCheck);
  Click(PageTitleField);
  TypeText(PageTitleField, "x");
  Click(ThumbnailsCheck);
  EXPECT_TRUE(Pump());
  EXPECT_EQ(ControlState(RenameCheck), 1);
  EXPECT_EQ(ControlState(ThumbnailsCheck), 0);
  EXPECT_EQ(ControlText(PageTitleField), "Picture pagex");
  EXPECT_TRUE(answers.messages.empty());
  EXPECT_TRUE(WindowIsEnabled(MainWindow));
}

TEST_F(MainWindowTest, AbandonEndsTheLoopAtOnce) {
  SetControlText(PageTitleField, "unsaved");
  Click(AbandonButton);
  EXPECT_FALSE(Pump());
}

TEST_F(MainWindowTest, ACloseRequestEndsTheLoopAndLeavesTheWindowToTheTool) {
  QCloseEvent close;
  QApplication::sendEvent(WindowWidget(MainWindow), &close);
  EXPECT_FALSE(close.isAccepted());
  EXPECT_FALSE(Pump());
}

TEST_F(MainWindowTest, OkOfASecondaryWindowEnablesTheMainWindowAndClosesIt) {
  EnableWindow(MainWindow, false);
  ASSERT_TRUE(OpenWindow(SecondaryWindow, {0, 0, 160, 120}, "Font type", DialogStyle));
  MakeButton(SecondaryWindow, OkButton, {80, 80, 40, 20}, "OK");
  EXPECT_FALSE(WindowIsEnabled(MainWindow));
  Click(OkButton);
  EXPECT_TRUE(Pump());
  EXPECT_TRUE(WindowIsEnabled(MainWindow));
  EXPECT_FALSE(WindowIsOpen(SecondaryWindow));
}

}  // namespace
