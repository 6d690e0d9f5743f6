// The "Set order" window, through real clicks on its controls.
#include "app/startup.h"
#include "tests/support/fixtures.h"
#include "tests/support/window.h"
#include "ui/controls.h"
#include "ui/toolkit_qt.h"
#include "workspace/workspace.h"

namespace {

using Names = std::vector<std::string>;

class SetOrderTest : public WindowTest {
 protected:
  // An album of the given pictures, each a different colour, opened at start-up.
  void OpenAlbum(const Names& names) {
    int shade = 20;
    for (const std::string& n : names) {
      MakeJpeg(album / n, 32, 24, shade, 100, 255 - shade);
      shade += 40;
    }
    ASSERT_TRUE(StartAlbum(album / "start.jpg"));
    answers.messages.clear();
  }
  void OpenWindowByClick() {
    Click(SetOrderButton);
    ASSERT_TRUE(Pump());
    ASSERT_TRUE(WindowIsOpen(SecondaryWindow));
  }
  void Press(int button) {
    Click(button);
    ASSERT_TRUE(Pump());
  }
  void Pick(int row) {
    ClickItem(OrderList, row);
    ASSERT_TRUE(Pump());
  }
  struct Buttons { bool cut, paste, ok; };
  Buttons ButtonStates() {
    return {ControlIsEnabled(CutButton), ControlIsEnabled(PasteButton), ControlIsEnabled(OkButton)};
  }
  TempFolder album;
};

// CUT, PASTE and OK enabled, and the letter, as the window's state table has them.
#define EXPECT_BUTTONS(CUT, PASTE, OK, LETTER)  \
  do {                                          \
    Buttons b = ButtonStates();                 \
    EXPECT_EQ(b.cut, CUT);                      \
    EXPECT_EQ(b.paste, PASTE);                  \
    EXPECT_EQ(b.ok, OK);                        \
    EXPECT_EQ(Workspace.pendingAction, LETTER); \
  } while (0)

TEST_F(SetOrderTest, OpensOnACopyWithTheMainWindowDisabled) {
  OpenAlbum({"a.jpg", "b.jpg", "c.jpg"});
  OpenWindowByClick();
  EXPECT_EQ(WindowWidget(SecondaryWindow)->windowTitle(), "Set order");
  EXPECT_EQ(WindowWidget(SecondaryWindow)->size(), QSize(250, 250));
  EXPECT_FALSE(WindowIsEnabled(MainWindow));
  EXPECT_EQ(ListItems(OrderList), ListItems(PictureList));
  EXPECT_EQ(ControlState(OrderList), -1);
  EXPECT_EQ(ShownPicture(CutPreview), nullptr);
  EXPECT_EQ(ShownPicture(SelectedPreview), nullptr);
  EXPECT_BUTTONS(false, false, true, "O");
  for (auto [control, text] : {std::pair{60, "Cut:"}, {61, "Selected:"}, {4, "OK"}, {5, "PASTE"},
                               {6, "CUT"}})
    EXPECT_EQ(ControlText(control), text);
}

TEST_F(SetOrderTest, OkRightAfterOpeningKeepsTheOrderAndEnablesTheMainWindow) {
  OpenAlbum({"a.jpg", "b.jpg", "c.jpg"});
  Names before = ListItems(PictureList);
  OpenWindowByClick();
  Press(OkButton);
  EXPECT_EQ(ListItems(PictureList), before);
  EXPECT_FALSE(WindowIsOpen(SecondaryWindow));
  EXPECT_TRUE(WindowIsEnabled(MainWindow));
  EXPECT_EQ(ControlState(PictureList), -1);
}

TEST_F(SetOrderTest, MovingTheThirdOfFiveToTheFront) {
  OpenAlbum({"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"});
  OpenWindowByClick();
  Pick(2);
  EXPECT_NE(ShownPicture(SelectedPreview), nullptr);
  EXPECT_EQ(ShownPicture(SelectedPreview)->width, 80);
  EXPECT_BUTTONS(true, false, true, "O");
  Press(CutButton);
  EXPECT_BUTTONS(false, true, false, "U");
  EXPECT_NE(ShownPicture(CutPreview), nullptr);
  EXPECT_EQ(ShownPicture(SelectedPreview), nullptr);
  EXPECT_EQ(EntryNames(OrderList), (Names{"a.jpg", "b.jpg", "d.jpg", "e.jpg"}));
  Pick(0);
  EXPECT_BUTTONS(false, true, false, "U");  // a click while a cut waits keeps CUT off
  Press(PasteButton);
  EXPECT_BUTTONS(false, false, true, "O");
  EXPECT_EQ(ShownPicture(CutPreview), nullptr);
  EXPECT_EQ(EntryNames(PictureList), (Names{"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"}));
  Press(OkButton);
  EXPECT_EQ(EntryNames(PictureList), (Names{"c.jpg", "a.jpg", "b.jpg", "d.jpg", "e.jpg"}));
}

TEST_F(SetOrderTest, PasteWithoutAClickPutsTheEntryBackWhereItWas) {
  struct Case { int cut; } cases[] = {{1}, {3}};  // from the middle, and from the end
  OpenAlbum({"a.jpg", "b.jpg", "c.jpg", "d.jpg"});
  for (const Case& c : cases) {
    OpenWindowByClick();
    Pick(c.cut);
    Press(CutButton);
    Press(PasteButton);
    Press(OkButton);
    EXPECT_EQ(EntryNames(PictureList), (Names{"a.jpg", "b.jpg", "c.jpg", "d.jpg"})) << c.cut;
  }
}

TEST_F(SetOrderTest, ClickingTheSelectedItemShowsItsPictureAgain) {
  OpenAlbum({"a.jpg", "b.jpg"});
  OpenWindowByClick();
  Pick(1);
  PictureRef first = ShownPicture(SelectedPreview);
  Pick(1);
  EXPECT_NE(ShownPicture(SelectedPreview), nullptr);
  EXPECT_NE(ShownPicture(SelectedPreview), first);
}

TEST_F(SetOrderTest, AnEmptyListStaysEmpty) {
  OpenAlbum({});
  OpenWindowByClick();
  EXPECT_EQ(CountItems(OrderList), 0);
  Press(OkButton);
  EXPECT_EQ(CountItems(PictureList), 0);
  EXPECT_TRUE(WindowIsEnabled(MainWindow));
}

TEST_F(SetOrderTest, APictureThatDoesNotLoadIsReportedAndLeavesTheButtons) {
  OpenAlbum({"a.jpg", "b.jpg", "c.jpg"});
  WriteBytes(album / "b.jpg", "broken");
  OpenWindowByClick();
  Pick(2);
  EXPECT_BUTTONS(true, false, true, "O");
  Pick(1);
  EXPECT_EQ(answers.messages, Names{"Image " + album.path() + "b.jpg was not found!"});
  EXPECT_BUTTONS(true, false, true, "O");
  // CUT, still enabled from the earlier click, cuts the entry clicked last; no picture to show.
  Press(CutButton);
  EXPECT_EQ(EntryNames(OrderList), (Names{"a.jpg", "c.jpg"}));
  EXPECT_EQ(ShownPicture(CutPreview), nullptr);
  Pick(0);
  Press(PasteButton);
  Press(OkButton);
  EXPECT_EQ(EntryNames(PictureList), (Names{"b.jpg", "a.jpg", "c.jpg"}));
}

TEST_F(SetOrderTest, AfterOkTheCaptionBeingEditedStaysWithThePictureShown) {
  OpenAlbum({"a.jpg", "b.jpg", "c.jpg"});
  // a.jpg is shown; move it behind b.jpg, then type its caption and pick another picture.
  OpenWindowByClick();
  Pick(0);
  Press(CutButton);
  Pick(1);
  Press(PasteButton);
  Press(OkButton);
  ASSERT_EQ(EntryNames(PictureList), (Names{"b.jpg", "a.jpg", "c.jpg"}));
  SetControlText(CaptionEditor, "the harbour");
  ClickItem(PictureList, 0);
  ASSERT_TRUE(Pump());
  EXPECT_EQ(ListItems(PictureList),
            (Names{"b.jpg                         ", "a.jpg               the harbour",
                   "c.jpg                         "}));
  EXPECT_EQ(ControlText(CaptionEditor), "");
}

}  // namespace
