#include "page/reader.h"

#include <cctype>
#include <cstdio>
#include <vector>

#include "imaging/picture.h"
#include "ui/controls.h"
#include "ui/toolkit.h"
#include "workspace/files.h"
#include "workspace/workspace.h"

namespace {

// Lines end at CR LF, a lone CR, a lone LF or the end of the file.
std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (size_t i = 0; i < text.size(); i++) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(line);
      line.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') i++;
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

// Text from `from` up to, not including, the first `to` after it; to the end when none.
std::string Between(const std::string& line, size_t from, const std::string& to) {
  if (from > line.size()) return "";
  size_t end = line.find(to, from);
  return line.substr(from, end == std::string::npos ? std::string::npos : end - from);
}

std::string DropLast(const std::string& text, size_t n) {
  return text.size() > n ? text.substr(0, text.size() - n) : "";
}

std::string From(const std::string& line, size_t at) { return at < line.size() ? line.substr(at) : ""; }

void ReadTitle(const std::string& line) {
  size_t gt = line.find('>');
  std::string title;
  if (gt != std::string::npos) {
    size_t lt = line.find('<', gt + 1);
    if (lt != std::string::npos) title = line.substr(gt + 1, lt - gt - 1);
  }
  SetControlText(PageTitleField, title);
}

void ReadBackgroundColour(const std::string& line) {
  size_t hash = line.find('#');
  SwappedColour c = SwapColourText(line.substr(hash == std::string::npos ? 0 : hash + 1, 6));
  SetControlText(BackgroundColourField, c.text);
  SetBackColour(BackgroundColourField, c.value);
  ShowPicture(BackgroundPreview, nullptr);
}

void ReadBackgroundPicture(const std::string& line) {
  size_t open = line.find("('");
  std::string name;
  if (open != std::string::npos) {
    size_t close = line.find("')");
    if (close != std::string::npos && close >= open + 2) name = line.substr(open + 2, close - open - 2);
  }
  // A name that could lead out of the album folder is a picture the library does not hold.
  bool bare = IsBareFileName(name);
  SetControlText(BackgroundList, bare ? TrimBlanks(name) : "");
  Workspace.backgroundCopyPath = bare ? Workspace.albumFolder + name : "";
  if (bare && LoadPicture(Workspace.libraryFolder + name)) ScalePicture(70, 60);
  ShowPicture(BackgroundPreview, bare ? PictureHandle() : nullptr);
  SetBackColour(BackgroundColourField, 0);
  SetControlText(BackgroundColourField, "-");
}

void ReadBackgroundLine(const std::string& line) {
  // Only the colour property makes a colour line: a picture named "x-color.jpg" stays a picture.
  if (line.find("background-color") != std::string::npos) ReadBackgroundColour(line);
  else ReadBackgroundPicture(line);
}

void ReadStyle(const std::string& line, int button, int field) {
  StyleLine s = ReadStyleLine(line);
  SetControlText(button, s.fontSpec);
  SetControlText(field, s.colour.text);
  SetBackColour(field, s.colour.value);
}

void ReadSettings(const std::string& line) {
  auto at = [&](size_t i) { return i < line.size() ? line[i] : '\0'; };
  bool horizontal = at(6) == 'H';
  SetControlState(HorizontalOption, horizontal ? 1 : 0);
  SetControlState(VerticalOption, horizontal ? 0 : 1);
  SetControlState(CreditLineCheck, at(7) == 'Y' ? 1 : 0);
  SetControlState(NumberedCaptionsCheck, at(8) == 'Y' ? 1 : 0);
}

// The list position of the entry that each picture line of the page added, -1 where its name
// was not taken. Caption indexes count picture lines, so the caption of a picture that was not
// taken goes nowhere rather than to the picture after it.
std::vector<int> PictureLineEntries;

void ReadPictureLine(const std::string& line) {
  size_t href = line.find("href");
  std::string name = href == std::string::npos ? "" : Between(line, href + 6, "\"");
  if (!IsBareFileName(name)) {
    PictureLineEntries.push_back(-1);
    return;
  }
  PictureLineEntries.push_back(CountItems(PictureList));
  AddItem(PictureList, -1, name);
}

// The marker index: every digit after "<!---T"; pages of up to 99 pictures carry two.
void ReadCaptionLine(const std::string& line) {
  size_t digits = 0;
  long index = 0;
  while (6 + digits < line.size() && std::isdigit(static_cast<unsigned char>(line[6 + digits]))) {
    if (index < 100000000) index = index * 10 + (line[6 + digits] - '0');
    digits++;
  }
  size_t start;  // 1-based column after which the caption begins
  if (ControlState(NumberedCaptionsCheck) == 1) {
    size_t dot = line.find('.');
    start = dot == std::string::npos ? 0 : dot + 1;
  } else {
    start = 6 + digits + 6;  // after "<!---T", the digits and "--><P>"
  }
  std::string caption = TrimBlanks(DropLast(From(line, start), 4));
  if (index < 1 || static_cast<size_t>(index) > PictureLineEntries.size()) return;
  int at = PictureLineEntries[index - 1];
  if (at < 0 || at >= CountItems(PictureList)) return;
  std::string entry = MakePictureEntry(ItemText(PictureList, at), caption);
  RemoveItem(PictureList, at);
  AddItem(PictureList, at, entry);
}

void ReadLine(const std::string& line) {
  std::string head = line.substr(0, 6);
  if (head == "<TITLE") ReadTitle(line);
  else if (head == "body {") ReadBackgroundLine(line);
  else if (head == "H1 {fo") ReadStyle(line, HeadingFontButton, HeadingColourField);
  else if (head == "H2 {fo") ReadStyle(line, TextFontButton, TextColourField);
  else if (head == "P  {fo") ReadStyle(line, CaptionFontButton, CaptionColourField);
  else if (head == "<!--A-") ReadSettings(line);
  else if (head == "<!--D-") SetControlText(PageHeadingField, DropLast(From(line, 12), 5));
  else if (head == "<!--E-")
    SetControlText(PageTextEditor, PageToEditorText(TrimBlanks(From(line, 12))));
  else if (head == "<!---I") ReadPictureLine(line);
  else if (head == "<!---T") ReadCaptionLine(line);
}

}  // namespace

StyleLine ReadStyleLine(const std::string& line) {
  StyleLine s;
  size_t p = line.find("color:");
  size_t colourAt = p == std::string::npos ? 7 : p + 8;
  s.colour = SwapColourText(From(line, colourAt).substr(0, 6));
  // The family and size stand from column 17 up to the colour's "pt; ".
  size_t length = (p != std::string::npos && p + 1 > 21) ? p + 1 - 21 : 0;
  std::string spec = From(line, 16).substr(0, length);
  const std::string sizeMark = "; font-size: ";
  for (size_t at = spec.find(sizeMark); at != std::string::npos; at = spec.find(sizeMark, at + 1))
    spec.replace(at, sizeMark.size(), "/");
  spec += "/";
  if (line.find("font-weight") != std::string::npos) spec += " Bold";
  if (line.find("font-style") != std::string::npos) spec += " Italic";
  s.fontSpec = spec;
  return s;
}

void ReadAlbumPage() {
  Workspace.backgroundCopyPath.clear();
  PictureLineEntries.clear();
  FILE* in = OpenRegularFile(Workspace.albumFolder + Workspace.startingFileName);
  if (!in) return;
  std::string text;
  char buffer[65536];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, in)) > 0;) text.append(buffer, n);
  fclose(in);
  for (const std::string& line : SplitLines(text)) ReadLine(line);
}
