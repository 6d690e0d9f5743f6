// Save: the album page byte for byte, the thumbnail check, the page name, the background copy
// and the failure of the write. Expected pages are written out here line by line; every line
// ends with CR LF, except that "<HEAD>" shares its line with the robots element.
#include <signal.h>
#include <sys/resource.h>

#include <vector>

#include "tests/support/fixtures.h"
#include "tests/support/window.h"
#include "ui/controls.h"
#include "ui/toolkit.h"
#include "workspace/files.h"
#include "workspace/scan.h"
#include "workspace/workspace.h"

namespace {

std::string Head(const std::string& settings = "HYY",
                 const std::string& background = "body {background-color:#000000}") {
  return "<HTML>\r\n"
         "<HEAD><META NAME=\"ROBOTS\" CONTENT=\"NOINDEX, NOFOLLOW\">\r\n"
         "<!--A-" + settings + "-->\r\n"
         "<TITLE>Picture page</TITLE>\r\n"
         "<STYLE type=\"text/css\">\r\n"
         "H1 {font-family: Arial,sans-serif; font-size: 30pt; color: #000000; font-style: italic; font-weight: bold;}\r\n"
         "H2 {font-family: Arial,sans-serif; font-size: 14pt; color: #000000;}\r\n"
         "P  {font-family: Arial,sans-serif; font-size: 10pt; color: #000000;}\r\n"
         "H3 {font-family: Arial, sans-serif; font-size: 9; color: #000000}\r\n" +
         background + "\r\n"
         "</STYLE>\r\n"
         "</HEAD>\r\n"
         "<!--D--><H1>My pictures!</H1>\r\n"
         "<!--E--><H2>Welcome to my picture album.<BR><BR>  Last modified: 31st February 2010<BR><BR>  Best viewed at 1024 x 768\r\n"
         "<BR><BR>\r\n"
         "Click on an image for a larger view.</H2>\r\n"
         "<BR><BR>\r\n";
}

const std::string kTail =
    "</TABLE>\r\n"
    "<!--Album page set with Quorel from Marvane Services.-->\r\n"
    "<BR>\r\n"
    "<H3>This page was set using Quorel softare from Marvane Services</H3>\r\n"
    "</BODY>\r\n"
    "</HTML>\r\n";

const std::string kTailWithoutCredit =
    "</TABLE>\r\n"
    "<!--Album page set with Quorel from Marvane Services.-->\r\n"
    "<BR>\r\n"
    "</BODY>\r\n"
    "</HTML>\r\n";

const std::string kGridStart = "<TABLE WIDTH=200 CELLSPACING=20 BORDER=0>\r\n<TR>\r\n";
const std::string kEmptyCell = "<TD>\r\n\r\n</TD>\r\n";
const std::string kSpacer = "<TR><TD><BR></TD></TR>\r\n";

// One thumbnail cell of the grid; `index` as the page carries it.
std::string GridCell(const std::string& index, const std::string& name) {
  return "<TD>\r\n<!---I" + index + "--><A href=\"" + name + "\" TARGET=\"_blank\"><IMG SRC=\"1" +
         name + "\" HEIGHT=120 BORDER=0></A>\r\n</TD>\r\n";
}

std::string CaptionCell(const std::string& index, const std::string& text) {
  return "<TD>\r\n<!---T" + index + "--><P>" + text + "</P>\r\n</TD>\r\n";
}

class PageWriterTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    UseAlbumFolder(album.path());
    SetControlText(PageNameField, "album.html");
    WriteBytes(album / "1thumb.jpg", "any entry counts");
  }

  void List(const std::vector<std::pair<std::string, std::string>>& entries) {
    for (const auto& [name, caption] : entries) AddItem(PictureList, -1, MakePictureEntry(name, caption));
  }

  // Save through the button, as the user does it; the page's bytes.
  std::string Save(const std::string& page = "album.html") {
    answers.messages.clear();
    Click(SaveButton);
    EXPECT_TRUE(Pump());
    return ReadBytes(album / page);
  }

  std::string DoneMessage(const std::string& page = "album.html") {
    return "All done!\r\n\r\nYour web album page is at " + album.path() + page;
  }

  TempFolder album;
};

TEST_F(PageWriterTest, OnePictureInTheGridOnTheFirstSaveOfARun) {
  List({{"pic001.jpg", ""}});
  const std::string expected =
      "<HTML>\r\n"
      "<HEAD><META NAME=\"ROBOTS\" CONTENT=\"NOINDEX, NOFOLLOW\">\r\n"
      "<!--A-HYY-->\r\n"
      "<TITLE>Picture page</TITLE>\r\n"
      "<STYLE type=\"text/css\">\r\n"
      "H1 {font-family: Arial,sans-serif; font-size: 30pt; color: #000000; font-style: italic; font-weight: bold;}\r\n"
      "H2 {font-family: Arial,sans-serif; font-size: 14pt; color: #000000;}\r\n"
      "P  {font-family: Arial,sans-serif; font-size: 10pt; color: #000000;}\r\n"
      "H3 {font-family: Arial, sans-serif; font-size: 9; color: #000000}\r\n"
      "body {background-color:#000000}\r\n"
      "</STYLE>\r\n"
      "</HEAD>\r\n"
      "<!--D--><H1>My pictures!</H1>\r\n"
      "<!--E--><H2>Welcome to my picture album.<BR><BR>  Last modified: 31st February 2010<BR><BR>  Best viewed at 1024 x 768\r\n"
      "<BR><BR>\r\n"
      "Click on an image for a larger view.</H2>\r\n"
      "<BR><BR>\r\n"
      "<TABLE WIDTH=200 CELLSPACING=20 BORDER=0>\r\n"
      "<TR>\r\n"
      "<TD>\r\n"
      "<!---I01--><A href=\"pic001.jpg\" TARGET=\"_blank\"><IMG SRC=\"1pic001.jpg\" HEIGHT=120 BORDER=0></A>\r\n"
      "</TD>\r\n"
      "<TR>\r\n"
      "<TD>\r\n"
      "<!---T01--><P>1. </P>\r\n"
      "</TD>\r\n"
      "<TD>\r\n"
      "\r\n"
      "</TD>\r\n"
      "<TD>\r\n"
      "\r\n"
      "</TD>\r\n"
      "<TD>\r\n"
      "\r\n"
      "</TD>\r\n"
      "</TR>\r\n"
      "<TR><TD><BR></TD></TR>\r\n"
      "</TABLE>\r\n"
      "<!--Album page set with Quorel from Marvane Services.-->\r\n"
      "<BR>\r\n"
      "<H3>This page was set using Quorel softare from Marvane Services</H3>\r\n"
      "</BODY>\r\n"
      "</HTML>\r\n";
  EXPECT_EQ(Save(), expected);
  EXPECT_EQ(answers.messages, std::vector<std::string>{DoneMessage()});
  // Only the page was added; nothing is left beside it.
  std::vector<std::string> names;
  ListFolder(album.path(), "*", names);
  EXPECT_EQ(names, (std::vector<std::string>{".", "..", "1thumb.jpg", "album.html"}));
}

TEST_F(PageWriterTest, ASecondSaveOfTheRunWritesOnlyTheFilledCaptionCell) {
  List({{"pic001.jpg", ""}});
  Save();
  EXPECT_EQ(Save(), Head() + kGridStart + GridCell("01", "pic001.jpg") +
                        "<TR>\r\n" + CaptionCell("01", "1. ") + "</TR>\r\n" + kSpacer + kTail);
  EXPECT_EQ(answers.messages, std::vector<std::string>{DoneMessage()});
}

TEST_F(PageWriterTest, FourPicturesFillARowAndLeaveAnEmptyClosingCaptionRow) {
  List({{"a.jpg", "Sun"}, {"b.jpg", "Sea"}, {"c.jpg", ""}, {"d.jpg", "Sky<BR>line"}});
  EXPECT_EQ(Save(), Head() + kGridStart + GridCell("01", "a.jpg") + GridCell("02", "b.jpg") +
                        GridCell("03", "c.jpg") + GridCell("04", "d.jpg") + "</TR>\r\n" +
                        "<TR>\r\n" + CaptionCell("01", "1. Sun") + CaptionCell("02", "2. Sea") +
                        CaptionCell("03", "3. ") + CaptionCell("04", "4. Sky<BR>line") +
                        "</TR>\r\n" + kSpacer + "<TR>\r\n</TR>\r\n" + kSpacer + kTail);
}

TEST_F(PageWriterTest, AFifthPictureOpensItsOwnRowWithOneCaptionCell) {
  List({{"a.jpg", ""}, {"b.jpg", ""}, {"c.jpg", ""}, {"d.jpg", ""}, {"e.jpg", "Last"}});
  EXPECT_EQ(Save(), Head() + kGridStart + GridCell("01", "a.jpg") + GridCell("02", "b.jpg") +
                        GridCell("03", "c.jpg") + GridCell("04", "d.jpg") + "</TR>\r\n" +
                        "<TR>\r\n" + CaptionCell("01", "1. ") + CaptionCell("02", "2. ") +
                        CaptionCell("03", "3. ") + CaptionCell("04", "4. ") + "</TR>\r\n" +
                        kSpacer + "<TR>\r\n" + GridCell("05", "e.jpg") + "<TR>\r\n" +
                        CaptionCell("05", "5. Last") + "</TR>\r\n" + kSpacer + kTail);
}

TEST_F(PageWriterTest, AnEmptyListStillWritesTheTable) {
  EXPECT_EQ(Save(), Head() + kGridStart + "<TR>\r\n" + kEmptyCell + kEmptyCell + kEmptyCell +
                        kEmptyCell + "</TR>\r\n" + kSpacer + kTail);
  EXPECT_EQ(Save(), Head() + kGridStart + "<TR>\r\n</TR>\r\n" + kSpacer + kTail);
  Click(VerticalOption);
  EXPECT_EQ(Save(), Head("VYY") + "<TABLE CELLSPACING=00 CELLPADDING=20 BORDER=0>\r\n" + kTail);
}

TEST_F(PageWriterTest, OnePicturePerRowWithoutNumbersOrCredit) {
  List({{"a.jpg", "Sun"}, {"b.jpg", ""}});
  Click(VerticalOption);
  Click(NumberedCaptionsCheck);
  Click(CreditLineCheck);
  const std::string table =
      "<TABLE CELLSPACING=00 CELLPADDING=20 BORDER=0>\r\n"
      "<TR>\r\n"
      "<TD>\r\n"
      "<!---I01--><A href=\"a.jpg\" TARGET=\"_blank\"><IMG SRC=\"1a.jpg\" HEIGHT=150 BORDER=0></A>\r\n"
      "</TD>\r\n"
      "<TD>\r\n"
      "<!---T01--><P>Sun</P>\r\n"
      "</TD>\r\n"
      "</TR>\r\n"
      "<TR>\r\n"
      "<TD>\r\n"
      "<!---I02--><A href=\"b.jpg\" TARGET=\"_blank\"><IMG SRC=\"1b.jpg\" HEIGHT=150 BORDER=0></A>\r\n"
      "</TD>\r\n"
      "<TD>\r\n"
      "<!---T02--><P></P>\r\n"
      "</TD>\r\n"
      "</TR>\r\n";
  EXPECT_EQ(Save(), Head("VNN") + table + kTailWithoutCredit);
}

TEST_F(PageWriterTest, NumberedCaptionsCarryThePositionWithoutLeadingZero) {
  List({{"a.jpg", "Sun"}, {"b.jpg", ""}});
  Click(VerticalOption);
  const std::string table =
      "<TABLE CELLSPACING=00 CELLPADDING=20 BORDER=0>\r\n"
      "<TR>\r\n<TD>\r\n"
      "<!---I01--><A href=\"a.jpg\" TARGET=\"_blank\"><IMG SRC=\"1a.jpg\" HEIGHT=150 BORDER=0></A>\r\n"
      "</TD>\r\n<TD>\r\n"
      "<!---T01--><P>1. Sun</P>\r\n"
      "</TD>\r\n</TR>\r\n"
      "<TR>\r\n<TD>\r\n"
      "<!---I02--><A href=\"b.jpg\" TARGET=\"_blank\"><IMG SRC=\"1b.jpg\" HEIGHT=150 BORDER=0></A>\r\n"
      "</TD>\r\n<TD>\r\n"
      "<!---T02--><P>2. </P>\r\n"
      "</TD>\r\n</TR>\r\n";
  EXPECT_EQ(Save(), Head("VYY") + table + kTail);

  ClearItems(PictureList);
  for (int i = 1; i <= 12; i++) List({{"p" + std::to_string(i) + ".jpg", ""}});
  std::string page = Save();
  EXPECT_NE(page.find("\r\n<!---T07--><P>7. </P>\r\n"), std::string::npos);
  EXPECT_NE(page.find("\r\n<!---T12--><P>12. </P>\r\n"), std::string::npos);
}

TEST_F(PageWriterTest, StylesColoursAndTextsFromTheControls) {
  SetControlText(PageTitleField, "  Summer  ");
  SetControlText(PageHeadingField, "  At the sea ");
  SetControlText(PageTextEditor, "   ");
  SetControlText(HeadingFontButton, "  Times,serif/24/Italic ");
  SetControlText(TextFontButton, " Arial,sans-serif/12/ Bold Italic");
  SetControlText(CaptionFontButton, "Courier,serif/8/Bold ");
  SetControlText(HeadingColourField, "FF0000");
  SetControlText(TextColourField, "00ff00");
  SetControlText(CaptionColourField, "0000FF");
  SetControlText(BackgroundColourField, "0A0000");
  const std::string expected =
      "<HTML>\r\n"
      "<HEAD><META NAME=\"ROBOTS\" CONTENT=\"NOINDEX, NOFOLLOW\">\r\n"
      "<!--A-HYY-->\r\n"
      "<TITLE>Summer</TITLE>\r\n"
      "<STYLE type=\"text/css\">\r\n"
      "H1 {font-family: Times,serif; font-size: 24pt; color: #0000FF; font-style: italic;}\r\n"
      "H2 {font-family: Arial,sans-serif; font-size: 12pt; color: #00ff00; font-style: italic; font-weight: bold;}\r\n"
      "P  {font-family: Courier,serif; font-size: 8pt; color: #FF0000; font-weight: bold;}\r\n"
      "H3 {font-family: Arial, sans-serif; font-size: 9; color: #FF0000}\r\n"
      "body {background-color:#00000A}\r\n"
      "</STYLE>\r\n"
      "</HEAD>\r\n"
      "<!--D--><H1>At the sea</H1>\r\n"
      "<!--E--><H2>\r\n"
      "<BR><BR>\r\n"
      "Click on an image for a larger view.</H2>\r\n"
      "<BR><BR>\r\n"
      "<TABLE WIDTH=200 CELLSPACING=20 BORDER=0>\r\n"
      "<TR>\r\n"
      "<TR>\r\n" + kEmptyCell + kEmptyCell + kEmptyCell + kEmptyCell + "</TR>\r\n" + kSpacer + kTail;
  EXPECT_EQ(Save(), expected);
  // Saving changes no setting.
  EXPECT_EQ(ControlText(PageTitleField), "  Summer  ");
  EXPECT_EQ(ControlText(HeadingFontButton), "  Times,serif/24/Italic ");

  // Breaks and new lines of the page text, trimmed before it is converted.
  SetControlText(PageTextEditor, "  One]\r\nTwo\r\nThree]]  ");
  std::string page = Save();
  EXPECT_NE(page.find("\r\n<!--E--><H2>One<BR> Two Three<BR><BR>\r\n<BR><BR>\r\n"), std::string::npos);
}

TEST_F(PageWriterTest, ThePageIsNamedByTheFieldUpToItsFirstDot) {
  struct Case {
    const char* field;
    const char* page;
  } cases[] = {
      {"my.album.html", "my.html"},
      {"album.HTML", "album.html"},
      {"holiday", "holiday.html"},
      {"", ".html"},
      {".hidden", ".html"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.field);
    SetControlText(PageNameField, c.field);
    std::string page = Save(c.page);
    EXPECT_EQ(page.substr(0, 8), "<HTML>\r\n");
    EXPECT_EQ(answers.messages, std::vector<std::string>{DoneMessage(c.page)});
    EXPECT_EQ(ControlText(PageNameField), c.field);
    DeleteFile(album / c.page);
  }
}

TEST_F(PageWriterTest, WithoutAJpegThumbnailNothingIsWrittenCopiedOrDeleted) {
  DeleteFile(album / "1thumb.jpg");
  TempFolder library;
  WriteBytes(library / "sky.jpg", "library sky");
  Workspace.libraryFolder = library.path();
  ListBackgroundLibrary();
  ClickItem(BackgroundList, 0);
  ASSERT_TRUE(Pump());
  ASSERT_EQ(ControlText(BackgroundColourField), "-");
  WriteBytes(album / "old.jpg", "earlier background copy");
  Workspace.backgroundCopyPath = album / "old.jpg";
  List({{"a.png", ""}, {"b.bmp", ""}});

  struct Case {
    std::vector<std::string> files;
    std::vector<std::string> folders;
    bool found;
  } cases[] = {
      {{}, {}, false},
      {{"1a.png", "1b.bmp"}, {}, false},   // thumbnails of PNG and BMP pictures keep their ending
      {{"1a.jpeg"}, {}, false},
      {{"a1.jpg", "a.jpg"}, {}, false},
      {{"1A.JPG"}, {}, true},              // letters compared without regard to case
      {{"1x.jpg"}, {}, true},
      {{}, {"1folder.jpg"}, true},         // any entry counts
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.files) + testing::PrintToString(c.folders));
    TempFolder folder;
    UseAlbumFolder(folder.path());
    for (const std::string& f : c.files) WriteBytes(folder / f, "x");
    for (const std::string& f : c.folders) MakeFolder(folder / f);
    Workspace.backgroundCopyPath = folder / "old.jpg";
    WriteBytes(folder / "old.jpg", "earlier background copy");
    Save();
    EXPECT_EQ(FileExists(folder / "album.html"), c.found);
    EXPECT_EQ(FileExists(folder / "sky.jpg"), c.found);
    EXPECT_EQ(FileExists(folder / "old.jpg"), !c.found);
    EXPECT_EQ(answers.messages, std::vector<std::string>{
                                    c.found ? "All done!\r\n\r\nYour web album page is at " +
                                                  folder.path() + "album.html"
                                            : "Cannot construct page - no thumbnails!"});
  }
}

TEST_F(PageWriterTest, MarkerIndexesWidenFromTheHundredthPicture) {
  for (int i = 1; i <= 101; i++) List({{"p" + std::to_string(i) + ".jpg", "c" + std::to_string(i)}});
  Click(VerticalOption);
  std::string page = Save();
  for (const char* line :
       {"\r\n<!---I01--><A href=\"p1.jpg\" TARGET=\"_blank\"><IMG SRC=\"1p1.jpg\" HEIGHT=150 BORDER=0></A>\r\n",
        "\r\n<!---T09--><P>9. c9</P>\r\n",
        "\r\n<!---T10--><P>10. c10</P>\r\n",
        "\r\n<!---I99--><A href=\"p99.jpg\" TARGET=\"_blank\"><IMG SRC=\"1p99.jpg\" HEIGHT=150 BORDER=0></A>\r\n",
        "\r\n<!---I100--><A href=\"p100.jpg\" TARGET=\"_blank\"><IMG SRC=\"1p100.jpg\" HEIGHT=150 BORDER=0></A>\r\n",
        "\r\n<!---T100--><P>100. c100</P>\r\n",
        "\r\n<!---T101--><P>101. c101</P>\r\n"})
    EXPECT_NE(page.find(line), std::string::npos) << line;
}

// ---- the background

class BackgroundTest : public PageWriterTest {
 protected:
  void SetUp() override {
    PageWriterTest::SetUp();
    Workspace.libraryFolder = library.path();
    for (const char* name : {"a.jpg", "1a.jpg", "sky.jpg"}) WriteBytes(library / name, std::string("library ") + name);
    ListBackgroundLibrary();
    List({{"a.jpg", ""}});
    WriteBytes(album / "a.jpg", "album picture");
    WriteBytes(album / "1a.jpg", "album thumbnail");
  }

  void ChooseBackground(const std::string& name) {
    SetControlText(BackgroundList, name);
    ASSERT_EQ(ControlText(BackgroundList), name);
    ClickItem(BackgroundList, ControlState(BackgroundList));
    ASSERT_TRUE(Pump());
    ASSERT_EQ(ControlText(BackgroundColourField), "-");
  }

  TempFolder library;
};

TEST_F(BackgroundTest, ALibraryPictureIsCopiedBesideThePageReplacingAnEarlierCopy) {
  WriteBytes(album / "sky.jpg", "earlier copy");
  ChooseBackground("sky.jpg");
  EXPECT_EQ(Save(), Head("HYY", "body {background-image:url('sky.jpg')}") + kGridStart +
                        GridCell("01", "a.jpg") + "<TR>\r\n" + CaptionCell("01", "1. ") +
                        kEmptyCell + kEmptyCell + kEmptyCell + "</TR>\r\n" + kSpacer + kTail);
  EXPECT_EQ(ReadBytes(album / "sky.jpg"), "library sky.jpg");
  EXPECT_EQ(answers.messages, std::vector<std::string>{DoneMessage()});
}

TEST_F(BackgroundTest, TheCopyNamedByTheReadPageIsDeletedOnEverySave) {
  WriteBytes(album / "old.jpg", "copy of the page read at start-up");
  Workspace.backgroundCopyPath = album / "old.jpg";
  ChooseBackground("sky.jpg");
  Save();
  EXPECT_FALSE(FileExists(album / "old.jpg"));
  EXPECT_TRUE(FileExists(album / "sky.jpg"));

  WriteBytes(album / "old.jpg", "again");
  SetControlText(BackgroundColourField, "000000");
  std::string page = Save();
  EXPECT_NE(page.find("\r\nbody {background-color:#000000}\r\n"), std::string::npos);
  EXPECT_FALSE(FileExists(album / "old.jpg"));
  EXPECT_EQ(Workspace.backgroundCopyPath, album / "old.jpg");
}

TEST_F(BackgroundTest, AMarkWithoutAChosenPictureKeepsTheCopyOfTheReadPage) {
  // As after reading a page whose background the library does not hold.
  WriteBytes(album / "SKY.JPG", "copy of the page read at start-up");
  Workspace.backgroundCopyPath = album / "SKY.JPG";
  SetControlText(BackgroundColourField, "-");
  SetControlState(BackgroundList, -1);
  std::string page = Save();
  EXPECT_NE(page.find("\r\nbody {background-image:url('SKY.JPG')}\r\n"), std::string::npos);
  EXPECT_EQ(page.find("url('')"), std::string::npos);
  EXPECT_EQ(ReadBytes(album / "SKY.JPG"), "copy of the page read at start-up");

  // With no copy either, the page falls back to black.
  Workspace.backgroundCopyPath.clear();
  page = Save();
  EXPECT_NE(page.find("\r\nbody {background-color:#000000}\r\n"), std::string::npos);
  EXPECT_EQ(page.find("background-image"), std::string::npos);
}

TEST_F(BackgroundTest, ALibraryPictureNamedLikeAnAlbumFileIsNotCopiedOverIt) {
  for (const char* name : {"a.jpg", "1a.jpg"}) {
    SCOPED_TRACE(name);
    ChooseBackground(name);
    std::string page = Save();
    EXPECT_NE(page.find(std::string("\r\nbody {background-image:url('") + name + "')}\r\n"),
              std::string::npos);
    ASSERT_EQ(answers.messages.size(), 2u);
    EXPECT_NE(answers.messages[0].find(name), std::string::npos) << answers.messages[0];
    EXPECT_EQ(answers.messages[1], DoneMessage());
    EXPECT_EQ(ReadBytes(album / "a.jpg"), "album picture");
    EXPECT_EQ(ReadBytes(album / "1a.jpg"), "album thumbnail");
  }
}

TEST_F(BackgroundTest, TheDeletionOfTheEarlierCopySparesTheAlbumsPictures) {
  for (const char* name : {"a.jpg", "1a.jpg"}) {
    SCOPED_TRACE(name);
    Workspace.backgroundCopyPath = album / name;
    SetControlText(BackgroundColourField, "000000");
    Save();
    ChooseBackground("sky.jpg");
    Save();
    EXPECT_EQ(ReadBytes(album / "a.jpg"), "album picture");
    EXPECT_EQ(ReadBytes(album / "1a.jpg"), "album thumbnail");
  }
}

TEST_F(BackgroundTest, APageThatCannotBeWrittenLeavesTheBackgroundFilesAlone) {
  WriteBytes(album / "old.jpg", "copy of the page read at start-up");
  Workspace.backgroundCopyPath = album / "old.jpg";
  MakeFolder(album / "album.html");
  ChooseBackground("sky.jpg");
  Save();
  EXPECT_EQ(ReadBytes(album / "old.jpg"), "copy of the page read at start-up");
  EXPECT_FALSE(FileExists(album / "sky.jpg"));
  ASSERT_EQ(answers.messages.size(), 1u);
  EXPECT_EQ(answers.messages[0].find("All done!"), std::string::npos);
}

// ---- a page that cannot be written

TEST_F(PageWriterTest, APageThatCannotBeWrittenIsReportedWithItsPath) {
  MakeFolder(album / "album.html");
  Save();
  ASSERT_EQ(answers.messages.size(), 1u);
  EXPECT_NE(answers.messages[0].find(album / "album.html"), std::string::npos) << answers.messages[0];
  EXPECT_EQ(answers.messages[0].find("All done!"), std::string::npos);
}

TEST_F(PageWriterTest, AWriteThatFailsPartWayLeavesTheEarlierPageWhole) {
  List({{"a.jpg", "Sun"}});
  const std::string earlier = Save();
  ASSERT_FALSE(earlier.empty());
  SetControlText(PageTextEditor, std::string(200000, 'x'));

  // The file size limit makes the write fail after its first bytes.
  rlimit old;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  rlimit small = old;
  small.rlim_cur = 4096;
  auto oldHandler = signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  answers.messages.clear();
  Click(SaveButton);
  bool pumped = Pump();
  setrlimit(RLIMIT_FSIZE, &old);
  signal(SIGXFSZ, oldHandler);
  EXPECT_TRUE(pumped);

  EXPECT_EQ(ReadBytes(album / "album.html"), earlier);
  ASSERT_EQ(answers.messages.size(), 1u);
  EXPECT_NE(answers.messages[0].find(album / "album.html"), std::string::npos);
  EXPECT_EQ(answers.messages[0].find("All done!"), std::string::npos);
  std::vector<std::string> names;
  ListFolder(album.path(), "*", names);
  EXPECT_EQ(names, (std::vector<std::string>{".", "..", "1thumb.jpg", "album.html"}));
}

}  // namespace
