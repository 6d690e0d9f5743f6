// The font chooser (answered through the toolkit's seam) and the "Font type" window.
#include "tests/support/window.h"
#include "ui/controls.h"
#include "ui/toolkit_qt.h"
#include "workspace/workspace.h"

namespace {

class FontWindowTest : public WindowTest {
 protected:
  // The chooser answers with this font and records where it was opened.
  void Answer(FontAnswer a) {
    answers.font = [this, a](const std::string& face, int points) {
      askedFace = face;
      askedPoints = points;
      return a;
    };
  }
  void Press(int control) {
    Click(control);
    ASSERT_TRUE(Pump());
  }
  std::string askedFace = "(not asked)";
  int askedPoints = -1;
};

TEST_F(FontWindowTest, CancellingTheChooserChangesNothing) {
  Answer({});
  Press(HeadingFontButton);
  EXPECT_EQ(askedFace, "Arial");
  EXPECT_EQ(askedPoints, 30);
  EXPECT_FALSE(WindowIsOpen(SecondaryWindow));
  EXPECT_TRUE(WindowIsEnabled(MainWindow));
  EXPECT_EQ(ControlText(HeadingFontButton), "Arial,sans-serif/30/Bold  Italic");
}

TEST_F(FontWindowTest, TheChosenFontAndFamilyGoOntoTheButton) {
  struct Case {
    int button;
    FontAnswer font;
    std::vector<int> clicks;
    const char* expected;
  } cases[] = {
      {HeadingFontButton, {true, "Arial", 30, 700, true}, {}, "Arial,sans-serif/30/Bold Italic "},
      {CaptionFontButton, {true, "Arial", 10, 400, false}, {SerifOption}, "Arial,serif/10/"},
      {TextFontButton, {true, "Liberation Serif", 12, 400, false}, {SerifOption, SansSerifOption},
       "Liberation Serif,sans-serif/12/"},
      {TextFontButton, {true, "Arial", 10.5, 400, true}, {}, "Arial,sans-serif/10/Italic "},
      {TextFontButton, {true, "Arial", 14, 600, false}, {}, "Arial,sans-serif/14/"},
      {TextFontButton, {true, "Arial", 14, 900, false}, {SerifOption, SerifOption},
       "Arial,serif/14/"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    Answer(c.font);
    Press(c.button);
    ASSERT_TRUE(WindowIsOpen(SecondaryWindow));
    EXPECT_EQ(WindowWidget(SecondaryWindow)->windowTitle(), "Font type");
    EXPECT_EQ(WindowWidget(SecondaryWindow)->size(), QSize(160, 120));
    EXPECT_FALSE(WindowIsEnabled(MainWindow));
    EXPECT_EQ(ControlState(SansSerifOption), 1);
    for (int option : c.clicks) Press(option);
    Press(OkButton);
    EXPECT_EQ(ControlText(c.button), c.expected);
    EXPECT_TRUE(WindowIsEnabled(MainWindow));
    EXPECT_FALSE(WindowIsOpen(SecondaryWindow));
  }
}

TEST_F(FontWindowTest, OkWithoutAClickWritesSansSerifOverAnOldSerif) {
  SetControlText(CaptionFontButton, "Times,serif/12/");
  Answer({true, "Times", 12, 400, false});
  Press(CaptionFontButton);
  EXPECT_EQ(askedFace, "Times");
  EXPECT_EQ(askedPoints, 12);
  EXPECT_EQ(Workspace.pendingAction, "c");
  Press(OkButton);
  EXPECT_EQ(ControlText(CaptionFontButton), "Times,sans-serif/12/");
}

TEST_F(FontWindowTest, TheChooserOpensAtTheFaceAndSizeReadFromTheButton) {
  struct Case { const char* spec; const char* face; int points; } cases[] = {
      {" Arial,sans-serif/30/ Bold Italic", "Arial", 30},
      {"Courier New ,serif/ 9/", "Courier New", 9},
      {"Arial,sans-serif/x/", "Arial", 0},
      {"NoComma/12/", "", 12},
      {"Arial,serif", "Arial", 0}};
  Answer({});
  for (const Case& c : cases) {
    SetControlText(TextFontButton, c.spec);
    Press(TextFontButton);
    EXPECT_EQ(askedFace, c.face) << c.spec;
    EXPECT_EQ(askedPoints, c.points) << c.spec;
    EXPECT_EQ(ControlText(TextFontButton), c.spec);
  }
}

}  // namespace
