// Start-up, folder scanning and the background library.
#include <sys/stat.h>
#include <sys/types.h>

#include "app/startup.h"
#include "imaging/picture.h"
#include "tests/support/fixtures.h"
#include "tests/support/window.h"
#include "ui/controls.h"
#include "ui/toolkit_qt.h"
#include "workspace/scan.h"
#include "workspace/workspace.h"

namespace {

using StartUpTest = WindowTest;
using Names = std::vector<std::string>;

TEST_F(StartUpTest, ScanListsPicturesByExtensionInNameOrderWithoutRegardToCase) {
  TempFolder album;
  for (const char* name : {"photo.JPG", "photo.jpg", "photo.Jpg", "photo.jpeg", "photo.gif",
                           "photo.tif", "1999.jpg", "1photo.jpg", "Zebra.png", "apple.BMP",
                           "noextension", "abcdefghijklmnopqrstu.jpg", "b.png.txt", ".dot.jpg",
                           "picture.jp"})
    WriteBytes(album / name, "x");
  MakeFolder(album / "holiday.jpg");
  MakeFolder(album / "1folder.png");
  UseAlbumFolder(album.path());
  ScanPictureFolder();
  EXPECT_EQ(ListItems(PictureList),
            (Names{".dot.jpg                      ", "abcdefghijklmnopqrstu.jpg     ",
                   "apple.BMP                     ", "holiday.jpg                   ",
                   "photo.JPG                     ", "photo.Jpg                     ",
                   "photo.jpg                     ", "Zebra.png                     "}));
  // A 25-character name reads as 20 characters of name and the rest as caption.
  EXPECT_EQ(EntryFileName(ItemText(PictureList, 1)), "abcdefghijklmnopqrst");
  EXPECT_EQ(EntryCaption(ItemText(PictureList, 1)), "u.jpg");
}

TEST_F(StartUpTest, ScanCutsLongNamesAt30AndReplacesTheWholeList) {
  TempFolder album;
  std::string longName = std::string(40, 'n') + ".jpg";
  WriteBytes(album / longName, "x");
  AddItem(PictureList, -1, "old.jpg             caption");
  UseAlbumFolder(album.path());
  ScanPictureFolder();
  EXPECT_EQ(ListItems(PictureList), Names{std::string(30, 'n')});
}

TEST_F(StartUpTest, AnEmptyOrMissingFolderGivesAnEmptyList) {
  TempFolder album;
  UseAlbumFolder(album.path());
  ScanPictureFolder();
  EXPECT_EQ(CountItems(PictureList), 0);
  UseAlbumFolder(album / "missing/");
  ScanPictureFolder();
  EXPECT_EQ(CountItems(PictureList), 0);
  EXPECT_TRUE(answers.messages.empty());
}

TEST_F(StartUpTest, BackgroundLibraryListsEveryNameNotStartingWithADot) {
  TempFolder library;
  MakeJpeg(library / "sky.jpg", 128, 128);
  WriteBytes(library / "notes.txt", "not a picture");
  WriteBytes(library / ".hidden.jpg", "x");
  MakeFolder(library / "tiles");
  Workspace.libraryFolder = library.path();
  ListBackgroundLibrary();
  EXPECT_EQ(ListItems(BackgroundList), (Names{"notes.txt", "sky.jpg", "tiles"}));
}

TEST_F(StartUpTest, AMissingLibraryGivesAnEmptyListAndNoMessage) {
  TempFolder root;
  Workspace.libraryFolder = root / "Quorel/";
  ListBackgroundLibrary();
  EXPECT_EQ(CountItems(BackgroundList), 0);
  EXPECT_TRUE(answers.messages.empty());
}

TEST_F(StartUpTest, ChoosingABackgroundShowsItAndMarksTheColourField) {
  TempFolder library;
  MakeJpeg(library / "sky.jpg", 128, 128);
  WriteBytes(library / "notes.txt", "not a picture");
  Workspace.libraryFolder = library.path();
  ListBackgroundLibrary();
  SetBackColour(BackgroundColourField, 0xFFFFFF);

  ClickItem(BackgroundList, 1);
  ASSERT_TRUE(Pump());
  PictureRef shown = ShownPicture(BackgroundPreview);
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->width, 70);
  EXPECT_EQ(shown->height, 60);
  EXPECT_EQ(ControlText(BackgroundColourField), "-");
  EXPECT_EQ(BackColour(BackgroundColourField), 0);

  // Choosing the same entry again loads and shows it again.
  ShowPicture(BackgroundPreview, nullptr);
  ClickItem(BackgroundList, 1);
  ASSERT_TRUE(Pump());
  EXPECT_NE(ShownPicture(BackgroundPreview), nullptr);

  // A file that is no picture empties the preview but still marks the field.
  SetControlText(BackgroundColourField, "00FF00");
  ClickItem(BackgroundList, 0);
  ASSERT_TRUE(Pump());
  EXPECT_EQ(ShownPicture(BackgroundPreview), nullptr);
  EXPECT_EQ(ControlText(BackgroundColourField), "-");
  EXPECT_TRUE(answers.messages.empty());
}

TEST_F(StartUpTest, AChosenPictureListsItsFolderAndShowsTheFirstEntry) {
  TempFolder album;
  MakeJpeg(album / "b.jpg", 64, 48, 10, 200, 10);
  MakeJpeg(album / "A.jpg", 320, 240, 200, 10, 10);
  ASSERT_TRUE(StartAlbum(album / "b.jpg"));
  EXPECT_EQ(Workspace.albumFolder, album.path());
  EXPECT_EQ(Workspace.startingFileName, "b.jpg");
  EXPECT_EQ(Workspace.startingExtension, "jpg");
  EXPECT_EQ(ControlText(PageNameField), "b.jpg");
  EXPECT_EQ(ControlText(AlbumFolderLabel), album.path());
  EXPECT_EQ(EntryNames(PictureList), (Names{"A.jpg", "b.jpg"}));
  EXPECT_EQ(ControlState(PictureList), 0);
  EXPECT_EQ(Workspace.selectionIndex, 0);
  EXPECT_EQ(Workspace.rememberedIndex, 0);
  PictureRef shown = ShownPicture(PicturePreview);
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->width, 200);
  EXPECT_EQ(shown->height, 150);
  EXPECT_GT(shown->pixels[0], 150);  // the red picture A.jpg, not b.jpg
  EXPECT_TRUE(answers.messages.empty());
}

TEST_F(StartUpTest, APictureNamedInLatin1IsListedAndShown) {
  TempFolder album;
  MakeJpeg(album / "caf\xe9.jpg", 64, 48);
  ASSERT_TRUE(StartAlbum(album / "caf\xe9.jpg"));
  EXPECT_EQ(EntryNames(PictureList), Names{"caf\xe9.jpg"});
  EXPECT_EQ(ControlText(PageNameField), "caf\xe9.jpg");
  EXPECT_NE(ShownPicture(PicturePreview), nullptr);
  EXPECT_TRUE(answers.messages.empty());
}

TEST_F(StartUpTest, AnEmptyFolderSelectsNothingAndSaysNothing) {
  TempFolder album;
  ASSERT_TRUE(StartAlbum(album / "new.jpg"));
  EXPECT_EQ(CountItems(PictureList), 0);
  EXPECT_EQ(ControlState(PictureList), -1);
  EXPECT_EQ(Workspace.rememberedIndex, -1);
  EXPECT_TRUE(answers.messages.empty());
}

TEST_F(StartUpTest, AFirstEntryThatCannotBeShownIsReportedWithItsPath) {
  TempFolder album;
  WriteBytes(album / "abcdefghijklmnopqrstuvwxy.jpg", "not really");
  ASSERT_TRUE(StartAlbum(album / "x.jpg"));
  EXPECT_EQ(answers.messages,
            Names{"Image " + album.path() + "abcdefghijklmnopqrst was not found!"});
  EXPECT_EQ(Workspace.rememberedIndex, -1);
  EXPECT_EQ(ShownPicture(PicturePreview), nullptr);
}

TEST_F(StartUpTest, OnlyAnHtmlExtensionInAnyCaseReadsAPage) {
  struct Case { const char* chosen; bool readsPage; } cases[] = {
      {"album.html", true}, {"Album.HTML", true}, {"ALBUM.Html", true},
      {"album.htm", false}, {"missing.html", true}, {"missing.jpg", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chosen);
    TempFolder album;
    MakeJpeg(album / "p.jpg", 8, 8);
    MakeJpeg(album / "q.jpg", 8, 8);
    // A page listing only q.jpg; the folder holds p.jpg as well.
    std::string page = "<!---I01--><A href=\"q.jpg\" TARGET=\"_blank\"><IMG SRC=\"1q.jpg\">\r\n";
    if (std::string(c.chosen).rfind("missing", 0) != 0) WriteBytes(album / c.chosen, page);
    ClearItems(PictureList);
    ASSERT_TRUE(StartAlbum(album / c.chosen));
    Names expected = c.readsPage ? Names{"q.jpg"} : Names{"p.jpg", "q.jpg"};
    if (std::string(c.chosen) == "missing.html") expected = {};
    EXPECT_EQ(EntryNames(PictureList), expected);
  }
}

TEST_F(StartUpTest, AFileInTheRootFolderKeepsTheSeparator) {
  ASSERT_TRUE(StartAlbum("/nonexistent-quorel-file.jpg"));
  EXPECT_EQ(Workspace.albumFolder, "/");
  EXPECT_EQ(Workspace.startingFileName, "nonexistent-quorel-file.jpg");
}

TEST_F(StartUpTest, ABackslashAlsoEndsTheAlbumFolder) {
  ASSERT_TRUE(StartAlbum("/tmp/x\\y.html"));
  EXPECT_EQ(Workspace.albumFolder, "/tmp/x\\");
  EXPECT_EQ(Workspace.startingFileName, "y.html");
  EXPECT_EQ(Workspace.startingExtension, "html");
}

TEST_F(StartUpTest, FifosNamedLikePicturesOrPagesDoNotHoldStartUpUp) {
  TempFolder album;
  MakeJpeg(album / "real.jpg", 16, 16);
  ASSERT_EQ(mkfifo((album / "pipe.jpg").c_str(), 0644), 0);
  ASSERT_EQ(mkfifo((album / "pipe.html").c_str(), 0644), 0);
  ASSERT_TRUE(StartAlbum(album / "pipe.jpg"));
  EXPECT_EQ(EntryNames(PictureList), (Names{"pipe.jpg", "real.jpg"}));
  EXPECT_EQ(answers.messages, Names{"Image " + album.path() + "pipe.jpg was not found!"});
  ClearItems(PictureList);
  ASSERT_TRUE(StartAlbum(album / "pipe.html"));
  EXPECT_EQ(CountItems(PictureList), 0);
}

// Without a window fixture: start-up builds its own window and ends when nothing is chosen.
TEST(StartUpCancel, ACancelledChooserSaysSoAndEndsWithExitCodeZero) {
  DialogAnswers answers;
  std::string askedTitle;
  answers.file = [&](const std::string& title) {
    askedTitle = title;
    return std::string();
  };
  AnswerDialogsWith(&answers);
  ResetWorkspace();
  char name[] = "quorel";
  char* argv[] = {name, nullptr};
  int argc = 1;
  EXPECT_EQ(RunStartUp(argc, argv), 0);
  AnswerDialogsWith(nullptr);
  EXPECT_EQ(askedTitle, "Quorel File select");
  EXPECT_EQ(answers.messages, Names{"Nothing selected - will exit."});
  EXPECT_FALSE(WindowIsOpen(MainWindow));
}

TEST(StartUpArgument, AnEmptyArgumentAsksAsIfThereWereNone) {
  DialogAnswers answers;
  bool asked = false;
  answers.file = [&](const std::string&) {
    asked = true;
    return std::string();
  };
  AnswerDialogsWith(&answers);
  char name[] = "quorel", empty[] = "";
  char* argv[] = {name, empty, nullptr};
  int argc = 2;
  EXPECT_EQ(RunStartUp(argc, argv), 0);
  AnswerDialogsWith(nullptr);
  EXPECT_TRUE(asked);
  EXPECT_EQ(answers.messages, Names{"Nothing selected - will exit."});
}

TEST(StartUpArgument, AFolderArgumentOpensTheAlbumInIt) {
  TempFolder album;
  MakeJpeg(album / "a.jpg", 16, 16);
  std::string folder = album.path().substr(0, album.path().size() - 1);  // no trailing "/"
  DialogAnswers answers;
  AnswerDialogsWith(&answers);
  ResetWorkspace();
  // Abandon waits in the queue, so the loop ends as soon as it starts.
  PostEvent({ControlEvent, AbandonButton});
  std::vector<char> path(folder.begin(), folder.end());
  path.push_back('\0');
  char name[] = "quorel";
  char* argv[] = {name, path.data(), nullptr};
  int argc = 2;
  EXPECT_EQ(RunStartUp(argc, argv), 0);
  AnswerDialogsWith(nullptr);
  EXPECT_EQ(Workspace.albumFolder, album.path());
  EXPECT_TRUE(answers.messages.empty());
}

}  // namespace
