// Colour texts, break-marked text and the two ways of reading a font specification.
#include <gtest/gtest.h>

#include "workspace/style.h"

namespace {

TEST(SwapColourText, ExchangesTheOuterPairsAndReadsTheResultAsHex) {
  struct Case {
    const char* in;
    const char* text;
    int value;
  } cases[] = {
      {"FF0000", "0000FF", 255},          // page red to the field's text
      {"0A0000", "00000A", 10},
      {"000000", "000000", 0},
      {"123456", "563412", 0x563412},
      {"abcdef", "efcdab", 0xEFCDAB},     // lower case is read, and kept as it was
      {"FFFFFF", "FFFFFF", 0xFFFFFF},
      // Shorter and longer texts: the pairs overlap or are missing, never read past the end.
      {"", "", 0},
      {"-", "--", 0},
      {"A", "AA", 0xAA},
      {"ABC", "BCCAB", 0xBCCAB},
      {"12345", "453412", 0x453412},
      {"1234567", "673412", 0x673412},
      // The value stops at the first character that is not a hex digit.
      {"00G000", "00G000", 0},
      {"0000FG", "FG0000", 15},
      {" 12345", "4523 1", 0x4523},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.in);
    SwappedColour s = SwapColourText(c.in);
    EXPECT_EQ(s.text, c.text);
    EXPECT_EQ(s.value, c.value);
  }
  for (const char* six : {"0A0B0C", "FF0000", "12ab9Z"})
    EXPECT_EQ(SwapColourText(SwapColourText(six).text).text, six);
}

TEST(ColourTextOfValue, SixUpperCaseDigitsBlueFirst) {
  struct Case {
    int value;
    const char* text;
  } cases[] = {
      {0, "000000"},
      {255, "0000FF"},                    // red 255
      {255 * 65536, "FF0000"},            // blue 255
      {10 * 65536, "0A0000"},
      {1 + 2 * 256 + 3 * 65536, "030201"},
      {0xABCDEF, "ABCDEF"},
      {4095, "000FFF"},
      {16777215, "FFFFFF"},
  };
  for (const Case& c : cases) EXPECT_EQ(ColourTextOfValue(c.value), c.text) << c.value;
}

TEST(ColourTextComponents, BlueGreenRedPairsOfTheFieldText) {
  struct Case {
    const char* text;
    int red, green, blue;
  } cases[] = {
      {"030201", 1, 2, 3},
      {"0000FF", 255, 0, 0},
      {"ff0000", 0, 0, 255},
      {"-", 0, 0, 0},                     // the background picture mark
      {"", 0, 0, 0},
      {"0A", 10, 0, 10},                  // the first and the last pair are the same two
      {"12G45z", 5, 0, 18},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    ColourComponents k = ColourTextComponents(c.text);
    EXPECT_EQ(k.red, c.red);
    EXPECT_EQ(k.green, c.green);
    EXPECT_EQ(k.blue, c.blue);
  }
  // Sliders set from a text and written back give the text in upper case.
  for (const char* text : {"0a1b2c", "FF00FF", "000001"}) {
    ColourComponents k = ColourTextComponents(text);
    std::string upper = text;
    for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    EXPECT_EQ(ColourTextOfValue(k.red + 256 * k.green + 65536 * k.blue), upper);
  }
}

const char kDefaultPageText[] =
    "Welcome to my picture album.]]"
    "\r\n\r\nLast modified: 31st February 2010]]"
    "\r\n\r\nBest viewed at 1024 x 768";

TEST(EditorToPageText, BreaksBecomeTagsAndLineEndsLeave) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {kDefaultPageText,
       "Welcome to my picture album.<BR><BR>  Last modified: 31st February 2010<BR><BR>"
       "  Best viewed at 1024 x 768"},
      {"a]b", "a<BR>b"},
      {"a]\r\nb", "a<BR> b"},             // a break typed on its own line keeps a blank
      {"a\r\nb", "a b"},                  // a new line alone is no break
      {"a\rb", "a b"},
      {"a\nb", "ab"},
      {"\n\n", ""},
      {"]]", "<BR><BR>"},
      {"]", "<BR>"},
      {"", ""},
      {"  x  ", "  x  "},                 // callers trim
      {"a\tb", "a\tb"},
      {"<BR>", "<BR>"},                   // no escape either way
  };
  for (const Case& c : cases) EXPECT_EQ(EditorToPageText(c.in), c.out) << c.in;
}

TEST(PageToEditorText, TagsInAnyCaseBecomeBreaksAndNewLines) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"a<BR>b", "a]\r\nb"},
      {"a<br>b", "a]\r\nb"},
      {"<Br><bR>", "]\r\n]\r\n"},
      {"<<BR>>", "<]\r\n>"},
      {"<BR", "<BR"},
      {"x<B R>", "x<B R>"},
      {"BR>", "BR>"},
      {"", ""},
      {"  a  ", "  a  "},
      {"Welcome to my picture album.<BR><BR>  Last modified: 31st February 2010<BR><BR>"
       "  Best viewed at 1024 x 768",
       "Welcome to my picture album.]\r\n]\r\n  Last modified: 31st February 2010]\r\n]\r\n"
       "  Best viewed at 1024 x 768"},
  };
  for (const Case& c : cases) EXPECT_EQ(PageToEditorText(c.in), c.out) << c.in;
}

TEST(PageToEditorText, EveryEditAndReadBackAddsOneBlankAfterABreak) {
  std::string editor = "a]\r\nb";
  for (const char* expected : {"a]\r\n b", "a]\r\n  b", "a]\r\n   b"}) {
    editor = PageToEditorText(EditorToPageText(editor));
    EXPECT_EQ(editor, expected);
  }
}

TEST(ReadPageFontSpec, TrimsThenSplitsAtTheSlashesAndSearchesTheWholeText) {
  struct Case {
    const char* spec;
    const char* family;
    const char* size;
    bool bold, italic;
  } cases[] = {
      {"Arial,sans-serif/30/Bold  Italic", "Arial,sans-serif", "30", true, true},
      {" Arial,sans-serif/30/ Bold Italic", "Arial,sans-serif", "30", true, true},  // as read back
      {"Arial,sans-serif/14/", "Arial,sans-serif", "14", false, false},
      {"Times New Roman,serif/12/Italic ", "Times New Roman,serif", "12", false, true},
      {"Arial,serif/10/Bold ", "Arial,serif", "10", true, false},
      {"Italicus,serif/10/", "Italicus,serif", "10", false, true},   // the face counts too
      {"Boldface,serif/10/", "Boldface,serif", "10", true, false},
      {"A,serif/10/bold italic", "A,serif", "10", false, false},     // case counts
      {"  Arial,sans-serif/ 30 /  ", "Arial,sans-serif", " 30 ", false, false},
      {"Arial,sans-serif", "", "", false, false},                    // no "/"
      {"Arial,sans-serif/30", "Arial,sans-serif", "", false, false}, // one "/"
      {"/12/", "", "12", false, false},
      {"a/b/c/d", "a", "b", false, false},
      {"", "", "", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.spec);
    PageFont f = ReadPageFontSpec(c.spec);
    EXPECT_EQ(f.family, c.family);
    EXPECT_EQ(f.size, c.size);
    EXPECT_EQ(f.bold, c.bold);
    EXPECT_EQ(f.italic, c.italic);
  }
}

TEST(ReadWindowFontSpec, FaceBeforeTheCommaAndTheNumberBetweenTheSlashes) {
  struct Case {
    const char* spec;
    const char* face;
    int size;
  } cases[] = {
      {"Arial,sans-serif/30/Bold  Italic", "Arial", 30},
      {" Arial,sans-serif/30/ Bold Italic", "Arial", 30},
      {"  Times New Roman ,serif/12/", "Times New Roman", 12},
      {"Arial/30/", "", 30},                // no "," gives no face
      {",/7/", "", 7},
      {"Ar,ial,x/3/", "Ar", 3},
      {"Arial,serif/  14pt/", "Arial", 14}, // blanks, then digits up to another character
      {"Arial,serif/010/", "Arial", 10},
      {"Arial,serif/x14/", "Arial", 0},
      {"Arial,serif/\t14/", "Arial", 0},    // only blanks may come first
      {"Arial,serif/ /", "Arial", 0},
      {"Arial,serif/14", "Arial", 0},       // one "/" leaves the size empty
      {"Arial,serif", "Arial", 0},
      {"", "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.spec);
    WindowFont f = ReadWindowFontSpec(c.spec);
    EXPECT_EQ(f.face, c.face);
    EXPECT_EQ(f.size, c.size);
  }
  // A size too long for any font stays a number and does not overflow.
  EXPECT_GE(ReadWindowFontSpec("A,serif/99999999999999999999/").size, 0);
}

}  // namespace
