// workspace/style.h - font specifications, colour texts and break-marked text.
//
// Operations:
//   SwapColourText(text)            outer digit pairs exchanged, and the value of the result
//   ColourTextOfValue(value)        six upper-case hex digits, blue-green-red
//   ColourTextComponents(text)      red, green and blue of a colour text
//   HexPrefixValue(text)            hex digits read from the start until another character
//   EditorToPageText(text)          "]" to "<BR>", line ends out
//   PageToEditorText(text)          "<BR>" in any case to "]" and a line end
//   ReadPageFontSpec(spec)          family part, size, bold, italic as the page writer takes them
//   ReadWindowFontSpec(spec)        face and size as the font windows take them
#pragma once
#include <string>

struct SwappedColour {
  std::string text;
  int value = 0;
};

struct ColourComponents {
  int red = 0, green = 0, blue = 0;
};

struct PageFont {
  std::string family;   // everything before the first "/"
  std::string size;     // between the first and the second "/", unchanged
  bool bold = false;
  bool italic = false;
};

struct WindowFont {
  std::string face;
  int size = 0;
};

SwappedColour SwapColourText(const std::string& text);
std::string ColourTextOfValue(int value);
ColourComponents ColourTextComponents(const std::string& text);
int HexPrefixValue(const std::string& text);
std::string EditorToPageText(const std::string& text);
std::string PageToEditorText(const std::string& text);
PageFont ReadPageFontSpec(const std::string& spec);
WindowFont ReadWindowFontSpec(const std::string& spec);
