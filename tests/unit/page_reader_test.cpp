// Reading an album page at start-up: pages the writer saved (read back and saved again) and
// pages written by hand for the cases the writer never produces.
#include <map>

#include "app/startup.h"
#include "page/reader.h"
#include "tests/support/album.h"
#include "tests/support/fixtures.h"
#include "tests/support/window.h"
#include "ui/controls.h"
#include "ui/toolkit.h"
#include "workspace/files.h"
#include "workspace/scan.h"
#include "workspace/workspace.h"

namespace {

TEST(ReadStyleLine, FontSpecificationAndColourOfAStyleLine) {
  struct Case {
    const char* line;
    const char* spec;
    const char* colour;
    int value;
  } cases[] = {
      {"H1 {font-family: Arial,sans-serif; font-size: 30pt; color: #000000; font-style: italic; font-weight: bold;}",
       " Arial,sans-serif/30/ Bold Italic", "000000", 0},
      {"P  {font-family: Times New Roman,serif; font-size: 12pt; color: #FF0000;}",
       " Times New Roman,serif/12/", "0000FF", 255},
      {"H2 {font-family: A,serif; font-size: 9pt; color: #0a0b0c; font-style: italic;}",
       " A,serif/9/ Italic", "0c0b0a", 0x0C0B0A},
      {"H2 {font-family: A,serif; font-size: 9pt; color: #010203; font-weight: bold;}",
       " A,serif/9/ Bold", "030201", 0x030201},
      // Bold always before italic, whatever the order in the line.
      {"H1 {font-family: A; font-size: 1pt; color: #000000; font-style: x; font-weight: y;}",
       " A/1/ Bold Italic", "000000", 0},
      // Without "color:" the colour is read from the 8th character and the family is empty.
      {"H1 {font-family: Arial; font-size: 8pt}", "/", "mifat-", 0},
      {"H1 {color: #123456}", "/", "563412", 0x563412},
      // A line cut inside the colour.
      {"H1 {font-family: Arial; font-size: 30pt; color: #12", " Arial/30/", "1212", 0x1212},
      {"H1 {font-family: Arial; font-size: 30pt; color:", " Arial/30/", "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    StyleLine s = ReadStyleLine(c.line);
    EXPECT_EQ(s.fontSpec, c.spec);
    EXPECT_EQ(s.colour.text, c.colour);
    EXPECT_EQ(s.colour.value, c.value);
  }
}

// Every setting a control holds, to show what a page changed.
std::map<int, std::string> Snapshot() {
  std::map<int, std::string> s;
  for (int c = 0; c <= 54; c++) {
    if (!ControlExists(c)) continue;
    s[c] = ControlText(c) + "|" + std::to_string(ControlState(c)) + "|" + std::to_string(BackColour(c)) +
           "|" + std::to_string(ShownPicture(c) != nullptr);
    for (const std::string& item : ListItems(c)) s[c] += "|" + item;
  }
  return s;
}

class PageReaderTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    UseAlbumFolder(album.path());
    SetControlText(PageNameField, "album.html");
    WriteBytes(album / "1a.jpg", "thumbnail");
    Workspace.libraryFolder = library.path();
  }

  // Starts a fresh run on the page, with the library listed as start-up lists it.
  void ReadPage(const std::string& name = "album.html") {
    ASSERT_TRUE(RestartTool());
    Workspace.libraryFolder = library.path();
    ListBackgroundLibrary();
    startValues = Snapshot();
    answers.messages.clear();
    ASSERT_TRUE(StartAlbum(album / name));
  }

  void ReadText(const std::string& page) {
    WriteBytes(album / "album.html", page);
    ReadPage();
  }

  std::string Save() {
    answers.messages.clear();
    Click(SaveButton);
    EXPECT_TRUE(Pump());
    return ReadBytes(album / "album.html");
  }

  void List(const std::vector<std::pair<std::string, std::string>>& entries) {
    for (const auto& [name, caption] : entries) {
      AddItem(PictureList, -1, MakePictureEntry(name, caption));
      if (!FileExists(album / name)) {
        ASSERT_TRUE(MakeJpeg(album / name));
      }
    }
  }

  // The settings that differ from those of a fresh window.
  std::map<int, std::string> Changed() {
    std::map<int, std::string> now = Snapshot(), changed;
    for (const auto& [c, v] : now)
      if (startValues[c] != v) changed[c] = v;
    return changed;
  }

  TempFolder album, library;
  std::map<int, std::string> startValues;
};

TEST_F(PageReaderTest, APageSavedWithStartUpValuesComesBackAndSavesAgain) {
  List({{"a.jpg", "Sun"}, {"b.jpg", "Sea"}});
  Save();
  ReadPage();
  EXPECT_EQ(ControlState(HorizontalOption), 1);
  EXPECT_EQ(ControlState(VerticalOption), 0);
  EXPECT_EQ(ControlState(CreditLineCheck), 1);
  EXPECT_EQ(ControlState(NumberedCaptionsCheck), 1);
  EXPECT_EQ(ControlText(PageTitleField), "Picture page");
  EXPECT_EQ(ControlText(PageHeadingField), "My pictures!");
  EXPECT_EQ(ControlText(HeadingFontButton), " Arial,sans-serif/30/ Bold Italic");
  EXPECT_EQ(ControlText(TextFontButton), " Arial,sans-serif/14/");
  EXPECT_EQ(ControlText(CaptionFontButton), " Arial,sans-serif/10/");
  for (int field : {BackgroundColourField, HeadingColourField, TextColourField, CaptionColourField}) {
    EXPECT_EQ(ControlText(field), "000000") << field;
    EXPECT_EQ(BackColour(field), 0) << field;
  }
  EXPECT_EQ(ListItems(PictureList), (std::vector<std::string>{"a.jpg               Sun",
                                                               "b.jpg               Sea"}));
  EXPECT_EQ(ControlText(PageTextEditor),
            "Welcome to my picture album.]\r\n"
            "]\r\n"
            "  Last modified: 31st February 2010]\r\n"
            "]\r\n"
            "  Best viewed at 1024 x 768");
  EXPECT_EQ(ControlText(PageNameField), "album.html");
  EXPECT_EQ(ControlText(AlbumFolderLabel), album.path());
  EXPECT_EQ(Workspace.backgroundCopyPath, "");
  EXPECT_EQ(ControlText(CaptionEditor), "Sun");
  EXPECT_TRUE(answers.messages.empty());

  // Saved again: the same page but for one blank after each break of the page text.
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
      "<!--E--><H2>Welcome to my picture album.<BR> <BR>   Last modified: 31st February 2010<BR> <BR>   Best viewed at 1024 x 768\r\n"
      "<BR><BR>\r\n"
      "Click on an image for a larger view.</H2>\r\n"
      "<BR><BR>\r\n"
      "<TABLE WIDTH=200 CELLSPACING=20 BORDER=0>\r\n"
      "<TR>\r\n"
      "<TD>\r\n"
      "<!---I01--><A href=\"a.jpg\" TARGET=\"_blank\"><IMG SRC=\"1a.jpg\" HEIGHT=120 BORDER=0></A>\r\n"
      "</TD>\r\n"
      "<TD>\r\n"
      "<!---I02--><A href=\"b.jpg\" TARGET=\"_blank\"><IMG SRC=\"1b.jpg\" HEIGHT=120 BORDER=0></A>\r\n"
      "</TD>\r\n"
      "<TR>\r\n"
      "<TD>\r\n"
      "<!---T01--><P>1. Sun</P>\r\n"
      "</TD>\r\n"
      "<TD>\r\n"
      "<!---T02--><P>2. Sea</P>\r\n"
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
}

TEST_F(PageReaderTest, EverySettingOfThePageComesBack) {
  List({{"a.jpg", "Dr. No"}, {"b.jpg", "Sun<BR>set"}, {"c.jpg", ""}});
  Click(VerticalOption);
  Click(NumberedCaptionsCheck);
  Click(CreditLineCheck);
  SetControlText(PageTitleField, " Summer ");
  SetControlText(PageHeadingField, "At  sea ");
  SetControlText(PageTextEditor, "One]Two");
  SetControlText(HeadingFontButton, "Times,serif/24/Italic ");
  SetControlText(TextFontButton, "Courier,serif/8/Bold ");
  SetControlText(HeadingColourField, "FF0000");
  SetControlText(TextColourField, "00ff00");
  SetControlText(CaptionColourField, "0A0B0C");
  SetControlText(BackgroundColourField, "0A0000");
  const std::string first = Save();
  ReadPage();
  EXPECT_EQ(ControlState(HorizontalOption), 0);
  EXPECT_EQ(ControlState(VerticalOption), 1);
  EXPECT_EQ(ControlState(CreditLineCheck), 0);
  EXPECT_EQ(ControlState(NumberedCaptionsCheck), 0);
  EXPECT_EQ(ControlText(PageTitleField), "Summer");
  EXPECT_EQ(ControlText(PageHeadingField), "At  sea");
  EXPECT_EQ(ControlText(PageTextEditor), "One]\r\nTwo");
  EXPECT_EQ(ControlText(HeadingFontButton), " Times,serif/24/ Italic");
  EXPECT_EQ(ControlText(TextFontButton), " Courier,serif/8/ Bold");
  struct Colour {
    int field;
    const char* text;
    int value;
  } colours[] = {{HeadingColourField, "FF0000", 0xFF0000},
                 {TextColourField, "00ff00", 0x00FF00},
                 {CaptionColourField, "0A0B0C", 0x0A0B0C},
                 {BackgroundColourField, "0A0000", 0x0A0000}};
  for (const Colour& c : colours) {
    EXPECT_EQ(ControlText(c.field), c.text);
    EXPECT_EQ(BackColour(c.field), c.value);
  }
  // Unnumbered captions start at column 15, so a "." in them is kept.
  EXPECT_EQ(ListItems(PictureList), (std::vector<std::string>{MakePictureEntry("a.jpg", "Dr. No"),
                                                               MakePictureEntry("b.jpg", "Sun<BR>set"),
                                                               MakePictureEntry("c.jpg", "")}));
  EXPECT_EQ(ControlText(CaptionEditor), "Dr. No");
  ClickItem(PictureList, 1);
  ASSERT_TRUE(Pump());
  EXPECT_EQ(ControlText(CaptionEditor), "Sun]\r\nset");

  // Nothing but the page text's break gains a blank when it is saved again.
  std::string again = Save();
  const std::string textLine = "\r\n<!--E--><H2>One<BR>Two\r\n";
  size_t at = first.find(textLine);
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ(again, first.substr(0, at) + "\r\n<!--E--><H2>One<BR> Two\r\n" +
                       first.substr(at + textLine.size()));
}

TEST_F(PageReaderTest, ABackgroundPictureComesBackSelectedAndItsCopyIsKept) {
  ASSERT_TRUE(MakeJpeg(library / "sky.jpg", 100, 80, 200));
  WriteBytes(library / "paper.png", "not a picture");
  ListBackgroundLibrary();
  List({{"a.jpg", ""}});
  SetControlText(BackgroundList, "sky.jpg");
  ClickItem(BackgroundList, ControlState(BackgroundList));
  ASSERT_TRUE(Pump());
  const std::string first = Save();
  ASSERT_NE(first.find("\r\nbody {background-image:url('sky.jpg')}\r\n"), std::string::npos);
  ReadPage();
  EXPECT_EQ(ControlText(BackgroundList), "sky.jpg");
  EXPECT_EQ(ControlText(BackgroundColourField), "-");
  EXPECT_EQ(BackColour(BackgroundColourField), 0);
  ASSERT_TRUE(ShownPicture(BackgroundPreview));
  EXPECT_EQ(ShownPicture(BackgroundPreview)->width, 70);
  EXPECT_EQ(ShownPicture(BackgroundPreview)->height, 60);
  EXPECT_EQ(Workspace.backgroundCopyPath, album / "sky.jpg");
  std::string again = Save();
  EXPECT_NE(again.find("\r\nbody {background-image:url('sky.jpg')}\r\n"), std::string::npos);
  EXPECT_EQ(ReadBytes(album / "sky.jpg"), ReadBytes(library / "sky.jpg"));
}

TEST_F(PageReaderTest, AlbumsOfMoreThanNinetyNinePicturesKeepTheirCaptions) {
  for (bool numbered : {true, false}) {
    SCOPED_TRACE(numbered);
    ASSERT_TRUE(RestartTool());
    UseAlbumFolder(album.path());
    SetControlText(PageNameField, "album.html");
    Click(VerticalOption);
    if (!numbered) Click(NumberedCaptionsCheck);
    std::vector<std::string> expected;
    for (int i = 1; i <= 120; i++) {
      std::string name = "p" + std::to_string(i) + ".jpg";
      std::string caption = "c" + std::to_string(i) + (i % 7 ? "" : ". x");
      AddItem(PictureList, -1, MakePictureEntry(name, caption));
      expected.push_back(MakePictureEntry(name, caption));
    }
    ASSERT_TRUE(MakeJpeg(album / "p1.jpg"));
    const std::string first = Save();
    ReadPage();
    EXPECT_EQ(ListItems(PictureList), expected);
    const std::string again = Save();
    EXPECT_EQ(again.substr(again.find("<TABLE")), first.substr(first.find("<TABLE")));
  }
}

TEST_F(PageReaderTest, PartsOfAHandWrittenPage) {
  ASSERT_TRUE(MakeJpeg(library / "sky.jpg"));
  ASSERT_TRUE(MakeJpeg(library / "sky-color.jpg"));
  ASSERT_TRUE(MakeJpeg(album / "a.jpg"));
  struct Case {
    const char* name;
    std::string page;
    std::map<int, std::string> texts;   // control texts after reading
    std::vector<std::string> entries;
    std::string copyName;               // background copy path less the album folder; "-" none
  } cases[] = {
      {"a background named in another case selects the library picture",
       "body {background-image:url('SKY.JPG')}\r\n",
       {{BackgroundList, "sky.jpg"}, {BackgroundColourField, "-"}}, {}, "SKY.JPG"},
      {"a background the library lacks selects nothing but is remembered",
       "body {background-image:url(' gone.jpg ')}\r\n",
       {{BackgroundList, ""}, {BackgroundColourField, "-"}}, {}, " gone.jpg "},
      {"a picture named with -color is a picture",
       "body {background-image:url('sky-color.jpg')}\r\n",
       {{BackgroundList, "sky-color.jpg"}, {BackgroundColourField, "-"}}, {}, "sky-color.jpg"},
      {"a colour after a picture replaces it in the field",
       "body {background-image:url('sky.jpg')}\r\nbody {background-color:#FF0000}\r\n",
       {{BackgroundColourField, "0000FF"}}, {}, "sky.jpg"},
      {"settings VNN: captions from column 15",
       "<!--A-VNN-->\r\n<!---I01--><A href=\"a.jpg\">\r\n<!---T01--><P>1. Sun</P>\r\n", {},
       {MakePictureEntry("a.jpg", "1. Sun")}, "-"},
      {"no settings comment: numbered, captions after the first dot",
       "<!---I01--><A href=\"a.jpg\">\r\n<!---T01--><P>1. Sun. Set </P>\r\n", {},
       {MakePictureEntry("a.jpg", "Sun. Set")}, "-"},
      {"later lines override, picture lines add",
       "<TITLE>One</TITLE>\r\n<TITLE>Two</TITLE>\r\n<!---I01--><A href=\"a.jpg\">\r\n"
       "<!---I02--><A href=\"a.jpg\">\r\n<!---T01--><P>1. x</P>\r\n<!---T01--><P>1. y</P>\r\n",
       {{PageTitleField, "Two"}},
       {MakePictureEntry("a.jpg", "y"), "a.jpg"}, "-"},
      {"a heading keeps its blanks, the page text loses them",
       "<!--D--><H1>  Big  </H1>\r\n<!--E--><H2>  A<br>B  \r\n",
       {{PageHeadingField, "  Big  "}, {PageTextEditor, "A]\r\nB"}}, {}, "-"},
      {"a title without an end tag is empty",
       "<TITLE>Open\r\n", {{PageTitleField, ""}}, {}, "-"},
      {"line ends of every kind, and none at the end",
       "<TITLE>A</TITLE>\r<!---I01--><A href=\"a.jpg\">\n<!--A-HYN-->\n\r"
       "<!---T01--><P>Sun</P>\r\n<!--D--><H1>H</H1>",
       {{PageTitleField, "A"}, {PageHeadingField, "H"}}, {MakePictureEntry("a.jpg", "Sun")}, "-"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ReadText(c.page);
    for (const auto& [control, text] : c.texts) EXPECT_EQ(ControlText(control), text) << control;
    EXPECT_EQ(ListItems(PictureList), c.entries);
    EXPECT_EQ(Workspace.backgroundCopyPath, c.copyName == "-" ? "" : album / c.copyName);
  }
}

TEST_F(PageReaderTest, BackgroundPreviewAndColourFollowTheLastBackgroundLine) {
  ASSERT_TRUE(MakeJpeg(library / "sky.jpg"));
  ReadText("body {background-image:url('sky.jpg')}\r\n");
  EXPECT_TRUE(ShownPicture(BackgroundPreview));
  EXPECT_EQ(BackColour(BackgroundColourField), 0);
  ReadText("body {background-image:url('sky.jpg')}\r\nbody {background-color:#FF0000}\r\n");
  EXPECT_FALSE(ShownPicture(BackgroundPreview));
  EXPECT_EQ(ControlText(BackgroundColourField), "0000FF");
  EXPECT_EQ(BackColour(BackgroundColourField), 255);
  ReadText("body {background-image:url('gone.jpg')}\r\n");
  EXPECT_FALSE(ShownPicture(BackgroundPreview));
  EXPECT_EQ(ControlState(BackgroundList), -1);
  EXPECT_EQ(ControlText(BackgroundColourField), "-");
}

TEST_F(PageReaderTest, LinesInOtherCaseAndTheWritersOtherLinesChangeNothing) {
  ReadText(
      "<HTML>\r\n"
      "<HEAD><META NAME=\"ROBOTS\" CONTENT=\"NOINDEX, NOFOLLOW\">\r\n"
      "<title>lower</title>\r\n"
      "<Title>Mixed</Title>\r\n"
      " <TITLE>indented</TITLE>\r\n"
      "<!--a-VNN-->\r\n"
      "<STYLE type=\"text/css\">\r\n"
      "h1 {font-family: X; font-size: 1pt; color: #FFFFFF;}\r\n"
      "P {font-family: X; font-size: 1pt; color: #FFFFFF;}\r\n"
      "H3 {font-family: Arial, sans-serif; font-size: 9; color: #FFFFFF}\r\n"
      "BODY {background-color:#FFFFFF}\r\n"
      "</STYLE>\r\n"
      "</HEAD>\r\n"
      "<!--d--><H1>x</H1>\r\n"
      "<!---i01--><A href=\"a.jpg\">\r\n"
      "<!---t01--><P>x</P>\r\n"
      "<TABLE WIDTH=200 CELLSPACING=20 BORDER=0>\r\n"
      "<TR><TD><BR></TD></TR>\r\n"
      "<!--Album page set with Quorel from Marvane Services.-->\r\n"
      "<!-- comment -->\r\n"
      "<H3>This page was set using Quorel softare from Marvane Services</H3>\r\n"
      "</BODY>\r\n"
      "</HTML>\r\n");
  std::map<int, std::string> changed = Changed();
  changed.erase(PageNameField);
  changed.erase(AlbumFolderLabel);
  EXPECT_TRUE(changed.empty()) << testing::PrintToString(changed);
  EXPECT_TRUE(answers.messages.empty());
}

TEST_F(PageReaderTest, APageThatCannotBeOpenedLeavesEverythingAsItWas) {
  Workspace.backgroundCopyPath = album / "old.jpg";
  ASSERT_TRUE(StartAlbum(album / "missing.html"));
  EXPECT_EQ(Workspace.backgroundCopyPath, "");
  EXPECT_EQ(CountItems(PictureList), 0);
  EXPECT_TRUE(answers.messages.empty());

  MakeFolder(album / "folder.html");
  ReadPage("folder.html");
  std::map<int, std::string> changed = Changed();
  changed.erase(PageNameField);
  changed.erase(AlbumFolderLabel);
  EXPECT_TRUE(changed.empty()) << testing::PrintToString(changed);
}

TEST_F(PageReaderTest, CaptionIndexesThatNameNoEntryAreIgnored) {
  ReadText(
      "<!--A-HYN-->\r\n"
      "<!---I01--><A href=\"a.jpg\">\r\n"
      "<!---I02--><A href=\"b.jpg\">\r\n"
      "<!---T00--><P>zero</P>\r\n"
      "<!---T03--><P>three</P>\r\n"
      "<!---T999--><P>many</P>\r\n"
      "<!---T99999999999999999999--><P>huge</P>\r\n"
      "<!---T-1--><P>minus</P>\r\n"
      "<!---T--><P>none</P>\r\n"
      "<!---T2--><P>one digit</P>\r\n"
      "<!---T001--><P>three digits</P>\r\n");
  EXPECT_EQ(ListItems(PictureList), (std::vector<std::string>{MakePictureEntry("a.jpg", "three digits"),
                                                               MakePictureEntry("b.jpg", "one digit")}));
}

TEST_F(PageReaderTest, NamesThatAreNotBareFileNamesAreNotTaken) {
  ASSERT_TRUE(MakeJpeg(album / "a.jpg"));
  ASSERT_TRUE(MakeJpeg(album / "b.jpg"));
  ReadText(
      "<!--A-HYN-->\r\n"
      "<!---I01--><A href=\"a.jpg\">\r\n"
      "<!---I02--><A href=\"../up.jpg\">\r\n"
      "<!---I03--><A href=\"sub/x.jpg\">\r\n"
      "<!---I04--><A href=\"sub\\x.jpg\">\r\n"
      "<!---I05--><A href=\"\">\r\n"
      "<!---I06--><A href=\".\">\r\n"
      "<!---I07--><A href=\"..\">\r\n"
      "<!---I08--><A href=\"tab\there.jpg\">\r\n"
      "<!---I09--><A nohref>\r\n"
      "<!---I10--><A href=\"b.jpg\">\r\n"
      "<!---T01--><P>A</P>\r\n"
      "<!---T02--><P>up</P>\r\n"
      "<!---T05--><P>empty</P>\r\n"
      "<!---T10--><P>B</P>\r\n");
  // Each caption stays with its own picture line; those of lines not taken are dropped.
  EXPECT_EQ(ListItems(PictureList), (std::vector<std::string>{MakePictureEntry("a.jpg", "A"),
                                                               MakePictureEntry("b.jpg", "B")}));

  for (const char* url : {"../victim.jpg", "sub/x.jpg", "", "..", "/etc/passwd"}) {
    SCOPED_TRACE(url);
    ReadText(std::string("body {background-image:url('") + url + "')}\r\n");
    EXPECT_EQ(ControlState(BackgroundList), -1);
    EXPECT_EQ(ControlText(BackgroundColourField), "-");
    EXPECT_EQ(Workspace.backgroundCopyPath, "");
    EXPECT_FALSE(ShownPicture(BackgroundPreview));
  }
}

TEST_F(PageReaderTest, ABackgroundNameLeadingOutOfTheAlbumIsNeverDeleted) {
  TempFolder root;
  std::string folder = root / "album/";
  MakeFolder(folder);
  WriteBytes(root / "victim.jpg", "not the album's");
  WriteBytes(folder + "1a.jpg", "thumbnail");
  WriteBytes(folder + "album.html", "body {background-image:url('../victim.jpg')}\r\n");
  ASSERT_TRUE(RestartTool());
  ASSERT_TRUE(StartAlbum(folder + "album.html"));
  SetControlText(BackgroundColourField, "000000");
  Click(SaveButton);
  ASSERT_TRUE(Pump());
  EXPECT_EQ(ReadBytes(root / "victim.jpg"), "not the album's");
  SetControlText(BackgroundColourField, "-");
  Click(SaveButton);
  ASSERT_TRUE(Pump());
  EXPECT_EQ(ReadBytes(root / "victim.jpg"), "not the album's");
  EXPECT_NE(ReadBytes(folder + "album.html").find("\r\nbody {background-color:#000000}\r\n"),
            std::string::npos);
}

}  // namespace
