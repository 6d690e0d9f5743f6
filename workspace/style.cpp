#include "workspace/style.h"

#include "workspace/workspace.h"

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string Middle(const std::string& t) { return t.size() > 2 ? t.substr(2, 2) : ""; }
std::string LastTwo(const std::string& t) { return t.substr(t.size() > 2 ? t.size() - 2 : 0); }

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

bool StartsWithBreakTag(const std::string& t, size_t at) {
  static const char tag[] = "<BR>";
  if (t.size() - at < 4) return false;
  for (size_t i = 0; i < 4; i++) {
    char c = t[at + i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != tag[i]) return false;
  }
  return true;
}

}  // namespace

int HexPrefixValue(const std::string& text) {
  int value = 0;
  // Six digits at most ever reach here from a colour text; the cap keeps longer ones sane.
  for (size_t i = 0; i < text.size() && i < 7 && HexDigit(text[i]) >= 0; i++)
    value = value * 16 + HexDigit(text[i]);
  return value;
}

SwappedColour SwapColourText(const std::string& text) {
  SwappedColour s;
  s.text = LastTwo(text) + Middle(text) + text.substr(0, 2);
  s.value = HexPrefixValue(s.text);
  return s;
}

std::string ColourTextOfValue(int value) {
  static const char digits[] = "0123456789ABCDEF";
  unsigned v = static_cast<unsigned>(value);
  std::string hex;
  do {
    hex.insert(hex.begin(), digits[v % 16]);
    v /= 16;
  } while (v);
  if (hex.size() < 6) hex.insert(0, 6 - hex.size(), '0');
  return hex;
}

ColourComponents ColourTextComponents(const std::string& text) {
  ColourComponents c;
  c.blue = HexPrefixValue(text.substr(0, 2));
  c.green = HexPrefixValue(Middle(text));
  c.red = HexPrefixValue(LastTwo(text));
  return c;
}

std::string EditorToPageText(const std::string& text) {
  std::string t = ReplaceAll(text, "\n", "");
  t = ReplaceAll(t, "\r", " ");
  return ReplaceAll(t, "]", "<BR>");
}

std::string PageToEditorText(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size();) {
    if (StartsWithBreakTag(text, i)) {
      out += "]\r\n";
      i += 4;
    } else {
      out += text[i++];
    }
  }
  return out;
}

PageFont ReadPageFontSpec(const std::string& spec) {
  std::string t = TrimBlanks(spec);
  PageFont f;
  size_t slash = t.find('/');
  if (slash != std::string::npos) {
    f.family = t.substr(0, slash);
    size_t second = t.find('/', slash + 1);
    if (second != std::string::npos) f.size = t.substr(slash + 1, second - slash - 1);
  }
  f.bold = t.find("Bold") != std::string::npos;
  f.italic = t.find("Italic") != std::string::npos;
  return f;
}

WindowFont ReadWindowFontSpec(const std::string& spec) {
  WindowFont f;
  size_t comma = spec.find(',');
  if (comma != std::string::npos) f.face = TrimBlanks(spec.substr(0, comma));
  size_t slash = spec.find('/');
  size_t second = slash == std::string::npos ? slash : spec.find('/', slash + 1);
  if (second == std::string::npos) return f;
  size_t i = slash + 1;
  while (i < second && spec[i] == ' ') i++;
  long size = 0;
  for (; i < second && spec[i] >= '0' && spec[i] <= '9' && size < 100000; i++)
    size = size * 10 + (spec[i] - '0');
  f.size = static_cast<int>(size);
  return f;
}
