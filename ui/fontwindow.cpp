#include "ui/fontwindow.h"

#include "ui/controls.h"
#include "ui/toolkit.h"
#include "workspace/style.h"
#include "workspace/workspace.h"

namespace {

// The three pieces of the new font specification while the windows are open.
struct FontState {
  std::string facePiece;
  std::string genericFamily = "sans-serif";
  std::string sizePiece;
};
FontState NewFont;

struct ButtonLetter {
  int button;
  const char* letter;
};
const ButtonLetter ButtonLetters[] = {
    {HeadingFontButton, "h"}, {TextFontButton, "t"}, {CaptionFontButton, "c"}};

int ButtonOfLetter(const std::string& letter) {
  for (const ButtonLetter& b : ButtonLetters)
    if (letter == b.letter) return b.button;
  return -1;
}

void OpenFontTypeWindow() {
  const int W = SecondaryWindow;
  OpenWindow(W, {0, 0, 160, 120}, "Font type", DialogStyle);
  KeepWindowOnTop(W);
  MakeOption(W, SansSerifOption, {10, 10, 100, 20}, "sans-serif", true);
  MakeOption(W, SerifOption, {10, 40, 100, 20}, "serif", false);
  MakeButton(W, OkButton, {80, 80, 40, 20}, "OK");
  for (int c : {SansSerifOption, SerifOption, OkButton}) SetControlFont(c, FixedFont);
  SetControlState(SansSerifOption, 1);
}

}  // namespace

std::string FontButtonLetter(int button) {
  for (const ButtonLetter& b : ButtonLetters)
    if (button == b.button) return b.letter;
  return "";
}

void SelectFontButton(int button) {
  std::string spec = ControlText(button);
  Workspace.pendingAction = FontButtonLetter(button);
  OpenFontWindows(spec);
}

void OpenFontWindows(const std::string& fontSpec) {
  WindowFont start = ReadWindowFontSpec(fontSpec);
  EnableWindow(MainWindow, false);
  FontChoice choice = ChooseFont(start.face, start.size);
  if (!choice.chosen) {
    EnableWindow(MainWindow, true);
    return;
  }
  OpenFontTypeWindow();
  NewFont.facePiece = choice.face + ",";
  NewFont.sizePiece = "/" + std::to_string(choice.points) + "/";
  if (choice.styleBits & 256) NewFont.sizePiece += "Bold ";
  if (choice.styleBits & 512) NewFont.sizePiece += "Italic ";
  NewFont.genericFamily = "sans-serif";
}

void SelectGenericFamily(int option) { NewFont.genericFamily = ControlText(option); }

void ApplyFont(const std::string& letter) {
  int button = ButtonOfLetter(letter);
  if (button < 0) return;
  SetControlText(button, NewFont.facePiece + NewFont.genericFamily + NewFont.sizePiece);
}
