// Pages the writer never produces: cut lines, lines with a marker but without what its rule
// looks for, megabyte lines and binary junk. The reader takes what a line holds, never more
// than the line, and never fails.
#include <chrono>
#include <functional>
#include <random>

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

// One line of every kind, as the writer writes them.
const char* const kWriterLines[] = {
    "<TITLE>Picture page</TITLE>",
    "body {background-color:#0A0B0C}",
    "body {background-image:url('sky.jpg')}",
    "H1 {font-family: Arial,sans-serif; font-size: 30pt; color: #000000; font-style: italic; font-weight: bold;}",
    "H2 {font-family: Arial,sans-serif; font-size: 14pt; color: #000000;}",
    "P  {font-family: Arial,sans-serif; font-size: 10pt; color: #000000;}",
    "<!--A-HYY-->",
    "<!--D--><H1>My pictures!</H1>",
    "<!--E--><H2>Welcome to my picture album.<BR><BR>  Last modified",
    "<!---I01--><A href=\"a.jpg\" TARGET=\"_blank\"><IMG SRC=\"1a.jpg\" HEIGHT=120 BORDER=0></A>",
    "<!---T01--><P>1. Sun</P>",
};

const char* const kMarkers[] = {"<TITLE", "body {", "H1 {fo", "H2 {fo", "P  {fo",
                                "<!--A-", "<!--D-", "<!--E-", "<!---I", "<!---T"};

bool HasPathOrControlCharacter(const std::string& name) {
  for (unsigned char c : name)
    if (c == '/' || c == '\\' || c < 32 || c == 127) return true;
  return false;
}

class HostilePageTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    MakeFolder(album / "library");
    ASSERT_TRUE(MakeJpeg(album / "library/sky.jpg"));
    Workspace.libraryFolder = album / "library/";
  }

  // Reads the page in a fresh run, as start-up does.
  void Read(const std::string& page) {
    ASSERT_TRUE(RestartTool());
    Workspace.libraryFolder = album / "library/";
    ListBackgroundLibrary();
    WriteBytes(album / "page.html", page);
    ASSERT_TRUE(StartAlbum(album / "page.html"));
  }

  // Reads the page into the window as it stands; faster for many pages.
  void ReadAgain(const std::string& page) {
    WriteBytes(album / "page.html", page);
    Workspace.albumFolder = album.path();
    Workspace.startingFileName = "page.html";
    ReadAlbumPage();
  }

  TempFolder album;
};

TEST_F(HostilePageTest, EveryCutOfEveryWriterLineIsRead) {
  std::string all;
  for (const char* line : kWriterLines) {
    std::string l = line;
    for (size_t n = 0; n <= l.size(); n++) all += l.substr(0, n) + "\r\n";
  }
  Read(all);
  EXPECT_EQ(ControlText(PageTitleField), "Picture page");
  EXPECT_EQ(ControlText(PageHeadingField), "My pictures!");
  EXPECT_EQ(ControlText(HeadingFontButton), " Arial,sans-serif/30/ Bold Italic");

  // Each cut alone after a picture line: the entry keeps its file name whatever the cut.
  for (const char* line : kWriterLines) {
    std::string l = line;
    for (size_t n = 0; n <= l.size(); n++) {
      ClearItems(PictureList);
      ReadAgain("<!---I01--><A href=\"a.jpg\">\n" + l.substr(0, n));
      ASSERT_GE(CountItems(PictureList), 1) << l.substr(0, n);
      EXPECT_EQ(EntryFileName(ItemText(PictureList, 0)), "a.jpg") << l.substr(0, n);
    }
  }
}

TEST_F(HostilePageTest, ALineWithoutWhatItsRuleLooksForGivesEmptyOrPartialValues) {
  struct Case {
    const char* page;
    std::function<void()> check;
  } cases[] = {
      {"<TITLE", [] { EXPECT_EQ(ControlText(PageTitleField), ""); }},
      {"<TITLE>abc\r\n<next>", [] { EXPECT_EQ(ControlText(PageTitleField), ""); }},
      {"<TITLE>>", [] { EXPECT_EQ(ControlText(PageTitleField), ""); }},
      {"body {",
       [&] {
         EXPECT_EQ(ControlText(BackgroundColourField), "-");
         EXPECT_EQ(ControlState(BackgroundList), -1);
         EXPECT_EQ(Workspace.backgroundCopyPath, "");
       }},
      {"body {background-color",   // no "#": the line's first six characters
       [] {
         EXPECT_EQ(ControlText(BackgroundColourField), " {dybo");
         EXPECT_EQ(BackColour(BackgroundColourField), 0);
       }},
      {"body {background-color:#12",
       [] {
         EXPECT_EQ(ControlText(BackgroundColourField), "1212");
         EXPECT_EQ(BackColour(BackgroundColourField), 0x1212);
       }},
      {"body {background-image:url('sky.jpg\r\n')}",   // the end is on the next line
       [&] {
         EXPECT_EQ(ControlState(BackgroundList), -1);
         EXPECT_EQ(Workspace.backgroundCopyPath, "");
       }},
      {"body {background-image:url('sky.jpg')",
       [&] {
         EXPECT_EQ(ControlText(BackgroundList), "sky.jpg");
         EXPECT_EQ(Workspace.backgroundCopyPath, album / "sky.jpg");
       }},
      {"H1 {fo",
       [] {
         EXPECT_EQ(ControlText(HeadingFontButton), "/");
         EXPECT_EQ(ControlText(HeadingColourField), "");
         EXPECT_EQ(BackColour(HeadingColourField), 0);
       }},
      {"<!--A-",
       [] {
         EXPECT_EQ(ControlState(VerticalOption), 1);
         EXPECT_EQ(ControlState(CreditLineCheck), 0);
         EXPECT_EQ(ControlState(NumberedCaptionsCheck), 0);
       }},
      {"<!--D-", [] { EXPECT_EQ(ControlText(PageHeadingField), ""); }},
      {"<!--D--><H1>ab", [] { EXPECT_EQ(ControlText(PageHeadingField), ""); }},
      {"<!--E-", [] { EXPECT_EQ(ControlText(PageTextEditor), ""); }},
      {"<!---I\r\n<!---Ihref\r\n<!---I01--><A HREF=\"a.jpg\">\r\n<!---I01--><A href=",
       [] { EXPECT_EQ(CountItems(PictureList), 0); }},
      {"<!---I01--><A href=\"a.jpg\r\n\">",   // a name runs to the end of its line only
       [] { EXPECT_EQ(ListItems(PictureList), std::vector<std::string>{"a.jpg"}); }},
      {"<!---I01--><A href=\"a.jpg\">\r\n<!---T\r\n<!---T01\r\n<!---T01--><P",
       [] { EXPECT_EQ(EntryFileName(ItemText(PictureList, 0)), "a.jpg"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.page);
    Read(c.page);
    c.check();
  }
}

bool AllOf(const std::string& text, char c) {
  return text.find_first_not_of(c) == std::string::npos;
}

TEST_F(HostilePageTest, MegabyteLinesAreReadWhole) {
  const size_t mb = 1 << 20;
  std::string big(4 * mb, 'x');
  // The list view lays out every item's whole text, so list items get one megabyte.
  std::string listBig(mb, 'z');
  std::string breaks;
  for (int i = 0; i < 4000; i++) breaks += "<BR>" + std::string(1000, 'y');
  auto start = std::chrono::steady_clock::now();
  Read("<TITLE>" + big + "</TITLE>\r\n"
       "<!--D--><H1>" + big + "</H1>\r\n"
       "<!--E--><H2>" + breaks + "\r\n"
       "H1 {font-family: " + big + "; font-size: 1pt; color: #FF0000;}\r\n"
       "body {background-image:url('" + big + "')}\r\n"
       "<!--A-HYN-->\r\n"
       "<!---I01--><A href=\"a.jpg\">\r\n"
       "<!---T01--><P>" + listBig + "</P>\r\n" +
       big + "\r\n"
       "<!--Z-" + big);
  // A field may hold less than the line, never anything from another line.
  std::string title = ControlText(PageTitleField);
  EXPECT_TRUE(!title.empty() && title.size() <= big.size() && AllOf(title, 'x')) << title.size();
  std::string heading = ControlText(PageHeadingField);
  EXPECT_TRUE(!heading.empty() && heading.size() <= big.size() && AllOf(heading, 'x'));
  EXPECT_EQ(ControlText(PageTextEditor).size(), 4000u * (3 + 1000));
  EXPECT_TRUE(ControlText(HeadingFontButton) == " " + big + "/1/");
  EXPECT_EQ(ControlText(HeadingColourField), "0000FF");
  EXPECT_TRUE(Workspace.backgroundCopyPath == album / big);
  EXPECT_EQ(ControlText(BackgroundColourField), "-");
  ASSERT_EQ(CountItems(PictureList), 1);
  EXPECT_EQ(EntryFileName(ItemText(PictureList, 0)), "a.jpg");
  EXPECT_TRUE(EntryCaption(ItemText(PictureList, 0)) == listBig);

  // A megabyte file name is taken like any other name, and simply not found.
  answers.messages.clear();
  Read("<!---I01--><A href=\"" + listBig + ".jpg\">\r\n");
  ASSERT_EQ(CountItems(PictureList), 1);
  EXPECT_TRUE(ItemText(PictureList, 0) == listBig + ".jpg");
  EXPECT_EQ(answers.messages.size(), 1u);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
}

TEST_F(HostilePageTest, BinaryJunkIsReadWithoutHarm) {
  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> byte(0, 255), length(0, 300), marker(0, 12);
  for (int page = 0; page < 200; page++) {
    std::string text;
    for (int line = 0; line < 200; line++) {
      int m = marker(random);
      if (m < 10) text += kMarkers[m];
      if (m == 10) text += "<!---I01--><A href=\"";
      for (int i = length(random); i > 0; i--) text += static_cast<char>(byte(random));
      if (line % 3 == 0) text += "\r\n";
    }
    ReadAgain(text);
    for (const std::string& item : ListItems(PictureList))
      EXPECT_FALSE(HasPathOrControlCharacter(EntryFileName(item))) << page;
    std::string copy = Workspace.backgroundCopyPath;
    if (!copy.empty()) {
      ASSERT_EQ(copy.substr(0, album.path().size()), album.path());
      EXPECT_FALSE(HasPathOrControlCharacter(copy.substr(album.path().size())));
    }
  }
  // Junk of every byte value, NULs and high bytes in the names included.
  std::string every;
  for (int b = 0; b < 256; b++) every += static_cast<char>(b);
  for (const char* m : kMarkers) {
    std::string page = std::string(m) + every + "\r\n" + m + "01--><A href=\"" + every + "\"\r\n" + m +
                       "01--><P>" + every + "</P>";
    ReadAgain(page);
  }
  for (const std::string& item : ListItems(PictureList))
    EXPECT_FALSE(HasPathOrControlCharacter(EntryFileName(item)));
}

}  // namespace
