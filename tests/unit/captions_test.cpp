// The picture list, the preview and the caption editor: what start-up shows, and where an
// edited caption goes when the user picks another picture, also after the list was rebuilt.
#include <QListWidget>
#include <algorithm>

#include "app/startup.h"
#include "tests/support/album.h"
#include "tests/support/fixtures.h"
#include "tests/support/window.h"
#include "ui/controls.h"
#include "ui/toolkit.h"
#include "workspace/workspace.h"

namespace {

class CaptionsTest : public WindowTest {
 protected:
  // Starts on a page listing the pictures with their captions; "missing" pictures get no file.
  void StartOn(const std::vector<std::pair<std::string, std::string>>& entries,
               const std::vector<std::string>& missing = {}) {
    std::string page = "<!--A-HYN-->\r\n";
    int i = 0;
    for (const auto& [name, caption] : entries) {
      ++i;
      std::string index = (i < 10 ? "0" : "") + std::to_string(i);
      page += "<!---I" + index + "--><A href=\"" + name + "\" TARGET=\"_blank\"><IMG SRC=\"1" + name +
              "\" HEIGHT=120 BORDER=0></A>\r\n";
      page += "<!---T" + index + "--><P>" + caption + "</P>\r\n";
      if (std::find(missing.begin(), missing.end(), name) == missing.end()) {
        ASSERT_TRUE(MakeJpeg(album / name, 40 + 10 * i, 30));
      }
    }
    WriteBytes(album / "album.html", page);
    ASSERT_TRUE(StartAlbum(album / "album.html"));
  }

  void Pick(int row) {
    ClickItem(PictureList, row);
    ASSERT_TRUE(Pump());
  }

  std::string Entry(int row) { return ItemText(PictureList, row); }
  std::string Editor() { return ControlText(CaptionEditor); }
  int ShownWidth() {
    PictureRef p = ShownPicture(PicturePreview);
    return p ? p->width : 0;
  }

  TempFolder album;
};

TEST_F(CaptionsTest, StartUpShowsTheFirstEntry) {
  StartOn({{"a.jpg", "Sun<BR>rise"}, {"b.jpg", "Sea"}});
  EXPECT_EQ(Workspace.selectionIndex, 0);
  EXPECT_EQ(Workspace.rememberedIndex, 0);
  EXPECT_EQ(ControlState(PictureList), 0);
  EXPECT_EQ(Editor(), "Sun]\r\nrise");
  PictureRef shown = ShownPicture(PicturePreview);
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->width, 200);
  EXPECT_EQ(shown->height, 150);
  EXPECT_TRUE(answers.messages.empty());
}

TEST_F(CaptionsTest, StartUpOnAnEmptyListSelectsAndReportsNothing) {
  EXPECT_EQ(Workspace.rememberedIndex, -1);
  WriteBytes(album / "album.html", "<!--A-HYY-->\r\n");
  ASSERT_TRUE(StartAlbum(album / "album.html"));
  EXPECT_EQ(Workspace.selectionIndex, -1);
  EXPECT_EQ(Workspace.rememberedIndex, -1);
  EXPECT_EQ(ControlState(PictureList), -1);
  EXPECT_FALSE(ShownPicture(PicturePreview));
  EXPECT_TRUE(answers.messages.empty());

  // A picture name typed into the chooser in an empty folder scans it: the same.
  ASSERT_TRUE(RestartTool());
  ASSERT_TRUE(StartAlbum(album / "none.jpg"));
  EXPECT_EQ(CountItems(PictureList), 0);
  EXPECT_EQ(Workspace.selectionIndex, -1);
  EXPECT_TRUE(answers.messages.empty());
}

TEST_F(CaptionsTest, PickingAnotherEntryStoresTheTrimmedCaptionAndShowsTheNewOne) {
  StartOn({{"a.jpg", "Sun"}, {"b.jpg", "Sea"}, {"c.jpg", ""}});
  SetControlText(CaptionEditor, "");
  TypeText(CaptionEditor, "  Sunrise  ");
  Pick(1);
  EXPECT_EQ(Entry(0), MakePictureEntry("a.jpg", "Sunrise"));
  EXPECT_EQ(Entry(1), MakePictureEntry("b.jpg", "Sea"));
  EXPECT_EQ(Editor(), "Sea");
  EXPECT_EQ(Workspace.rememberedIndex, 1);
  EXPECT_EQ(ControlState(PictureList), 1);

  // Keys move the selection the same way.
  SetControlText(CaptionEditor, "Deep sea");
  PressKey(PictureList, Qt::Key_Down);
  ASSERT_TRUE(Pump());
  EXPECT_EQ(Entry(1), MakePictureEntry("b.jpg", "Deep sea"));
  EXPECT_EQ(Workspace.selectionIndex, 2);
  EXPECT_EQ(Editor(), "");
  PressKey(PictureList, Qt::Key_Up);
  ASSERT_TRUE(Pump());
  EXPECT_EQ(Entry(2), MakePictureEntry("c.jpg", ""));
  EXPECT_EQ(Editor(), "Deep sea");
  EXPECT_TRUE(answers.messages.empty());
}

TEST_F(CaptionsTest, PickingTheShownEntryChangesNothing) {
  StartOn({{"a.jpg", "Sun"}, {"b.jpg", "Sea"}});
  SetControlText(CaptionEditor, "not yet stored");
  Workspace.pendingAction = "h";
  Pick(0);
  ClickItem(PictureList, 0);  // a double click posts more than one event
  ClickItem(PictureList, 0);
  ASSERT_TRUE(Pump());
  EXPECT_EQ(Entry(0), MakePictureEntry("a.jpg", "Sun"));
  EXPECT_EQ(Editor(), "not yet stored");
  EXPECT_EQ(Workspace.pendingAction, "h");
  EXPECT_TRUE(answers.messages.empty());

  Pick(1);
  EXPECT_EQ(Workspace.pendingAction, "");
}

TEST_F(CaptionsTest, ABreakTypedAtALineEndComesBackAsABreak) {
  StartOn({{"a.jpg", ""}, {"b.jpg", ""}});
  TypeText(CaptionEditor, "Red]");
  PressKey(CaptionEditor, Qt::Key_Return);
  TypeText(CaptionEditor, "sky");
  Pick(1);
  EXPECT_EQ(Entry(0), MakePictureEntry("a.jpg", "Red<BR> sky"));
  Pick(0);
  EXPECT_EQ(Editor(), "Red]\r\n sky");
}

TEST_F(CaptionsTest, AFailedShowKeepsThePreviousPictureAndCaption) {
  StartOn({{"a.jpg", "Sun"}, {"gone.jpg", "Lost"}, {"c.jpg", "Sea"}}, {"gone.jpg"});
  int shownWidth = ShownWidth();
  SetControlText(CaptionEditor, "Sun edited");
  Pick(1);
  EXPECT_EQ(answers.messages,
            std::vector<std::string>{"Image " + album.path() + "gone.jpg was not found!"});
  EXPECT_EQ(ShownWidth(), shownWidth);
  EXPECT_EQ(Editor(), "Sun edited");
  EXPECT_EQ(Workspace.rememberedIndex, 0);
  EXPECT_EQ(ControlState(PictureList), 1);

  // The next pick commits into the entry still shown, under its own name.
  SetControlText(CaptionEditor, "Sun again");
  Pick(2);
  EXPECT_EQ(Entry(0), MakePictureEntry("a.jpg", "Sun again"));
  EXPECT_EQ(Entry(1), MakePictureEntry("gone.jpg", "Lost"));
  EXPECT_EQ(Entry(2), MakePictureEntry("c.jpg", "Sea"));
  EXPECT_EQ(Editor(), "Sea");
}

TEST_F(CaptionsTest, NoCaptionIsLostBeforeTheFirstSuccessfulShow) {
  StartOn({{"gone.jpg", "From the page"}, {"b.jpg", "Sea"}}, {"gone.jpg"});
  EXPECT_EQ(Workspace.rememberedIndex, -1);
  EXPECT_EQ(answers.messages.size(), 1u);
  Pick(1);
  EXPECT_EQ(Entry(0), MakePictureEntry("gone.jpg", "From the page"));
  EXPECT_EQ(Editor(), "Sea");
}

TEST_F(CaptionsTest, ACaptionTypedAndFollowedBySaveIsNotWritten) {
  StartOn({{"a.jpg", "Sun"}, {"b.jpg", "Sea"}});
  WriteBytes(album / "1a.jpg", "thumbnail");
  SetControlText(CaptionEditor, "Typed but not stored");
  Click(SaveButton);
  ASSERT_TRUE(Pump());
  std::string page = ReadBytes(album / "album.html");
  EXPECT_NE(page.find("\r\n<!---T01--><P>Sun</P>\r\n"), std::string::npos);
  EXPECT_EQ(page.find("Typed"), std::string::npos);
  EXPECT_EQ(Editor(), "Typed but not stored");
}

// Set order and Process refill the list; the caption then follows its picture by name.
class RebuiltListTest : public CaptionsTest {
 protected:
  void SetUp() override {
    CaptionsTest::SetUp();
    StartOn({{"a.jpg", "Sun"}, {"b.jpg", "Sea"}, {"c.jpg", "Sky"}});
    SetControlText(CaptionEditor, "Sun edited");
  }
  void Rebuild(const std::vector<std::string>& entries) {
    ClearItems(PictureList);
    for (const std::string& e : entries) AddItem(PictureList, -1, e);
  }
};

TEST_F(RebuiltListTest, TheCaptionGoesToTheShownPictureAtItsNewPlace) {
  Rebuild({MakePictureEntry("c.jpg", "Sky"), MakePictureEntry("b.jpg", "Sea"),
           MakePictureEntry("a.jpg", "Sun")});
  Pick(0);
  EXPECT_EQ(ListItems(PictureList),
            (std::vector<std::string>{MakePictureEntry("c.jpg", "Sky"), MakePictureEntry("b.jpg", "Sea"),
                                      MakePictureEntry("a.jpg", "Sun edited")}));
  EXPECT_EQ(Editor(), "Sky");
  EXPECT_EQ(Workspace.rememberedIndex, 0);
}

TEST_F(RebuiltListTest, PickingTheShownPictureAtItsNewPlaceChangesNothing) {
  Rebuild({MakePictureEntry("b.jpg", "Sea"), MakePictureEntry("a.jpg", "Sun")});
  Pick(1);
  EXPECT_EQ(Entry(0), MakePictureEntry("b.jpg", "Sea"));
  EXPECT_EQ(Entry(1), MakePictureEntry("a.jpg", "Sun"));
  EXPECT_EQ(Editor(), "Sun edited");
  // A later pick stores it there.
  Pick(0);
  EXPECT_EQ(Entry(1), MakePictureEntry("a.jpg", "Sun edited"));
}

TEST_F(RebuiltListTest, ACaptionWhosePictureIsNoLongerListedIsDropped) {
  // As after renaming: every picture has a new name and no caption.
  Rebuild({FitText("pic001.jpg", 30), FitText("pic002.jpg", 30), FitText("pic003.jpg", 30)});
  ASSERT_TRUE(MakeJpeg(album / "pic002.jpg"));
  Pick(1);
  for (int i = 0; i < 3; i++) EXPECT_EQ(EntryCaption(Entry(i)), "") << i;
  EXPECT_EQ(Editor(), "");
  EXPECT_EQ(Workspace.rememberedIndex, 1);
  EXPECT_TRUE(answers.messages.empty());
}

}  // namespace
