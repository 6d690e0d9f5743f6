#include "ui/colourwindow.h"

#include <cstdlib>

#include "ui/controls.h"
#include "ui/toolkit.h"
#include "workspace/style.h"
#include "workspace/workspace.h"

namespace {

struct ColourState {
  int value = 0;
  std::string text = "000000";
};
ColourState Current;

struct FieldLetter {
  int field;
  const char* letter;
};
const FieldLetter FieldLetters[] = {{BackgroundColourField, "B"},
                                    {HeadingColourField, "H"},
                                    {TextColourField, "T"},
                                    {CaptionColourField, "C"}};

int FieldOfLetter(const std::string& letter) {
  for (const FieldLetter& f : FieldLetters)
    if (letter == f.letter) return f.field;
  return -1;
}

}  // namespace

std::string ColourFieldLetter(int field) {
  for (const FieldLetter& f : FieldLetters)
    if (field == f.field) return f.letter;
  return "";
}

void SelectColourField(int field) {
  // Disabling takes the focus away, so the field does not reopen the window when the main
  // window gets its focus back after OK.
  EnableControl(field, false);
  std::string text = ControlText(field);
  Workspace.pendingAction = ColourFieldLetter(field);
  OpenColourWindow(text);
  EnableControl(field, true);
}

void OpenColourWindow(const std::string& colourText) {
  const int W = SecondaryWindow;
  EnableWindow(MainWindow, false);
  OpenWindow(W, {0, 0, 310, 180}, "Set colour", DialogStyle);
  KeepWindowOnTop(W);
  MakeTrackBar(W, RedBar, {30, 60, 250, 20}, 0, 255);
  MakeTrackBar(W, GreenBar, {30, 90, 250, 20}, 0, 255);
  MakeTrackBar(W, BlueBar, {30, 120, 250, 20}, 0, 255);
  MakeLabel(W, RedValue, {280, 60, 25, 20}, "0", true);
  MakeLabel(W, GreenValue, {280, 90, 25, 20}, "0", true);
  MakeLabel(W, BlueValue, {280, 120, 25, 20}, "0", true);
  MakeLabel(W, SecondaryLabel1, {10, 60, 10, 20}, "R", false);
  MakeLabel(W, SecondaryLabel2, {10, 90, 10, 20}, "G", false);
  MakeLabel(W, SecondaryLabel3, {10, 120, 10, 20}, "B", false);
  MakeButton(W, OkButton, {130, 150, 40, 20}, "OK");
  MakeLabel(W, ColourSample, {5, 10, 300, 40}, " ", false);
  ColourComponents c = ColourTextComponents(colourText);
  SetControlState(RedBar, c.red);
  SetControlState(GreenBar, c.green);
  SetControlState(BlueBar, c.blue);
  UpdateColourWindow();
}

void UpdateColourWindow() {
  SetControlText(RedValue, std::to_string(ControlState(RedBar)));
  SetControlText(GreenValue, std::to_string(ControlState(GreenBar)));
  SetControlText(BlueValue, std::to_string(ControlState(BlueBar)));
  int red = std::atoi(ControlText(RedValue).c_str());
  int green = std::atoi(ControlText(GreenValue).c_str());
  int blue = std::atoi(ControlText(BlueValue).c_str());
  Current.value = red + 256 * green + 65536 * blue;
  SetBackColour(ColourSample, Current.value);
  Current.text = ColourTextOfValue(Current.value);
}

void ApplyColour(const std::string& letter) {
  int field = FieldOfLetter(letter);
  if (field < 0) return;
  SetControlText(field, Current.text);
  SetBackColour(field, Current.value);
  // The field no longer shows "-", so the page takes this colour instead of the picture.
  if (letter == "B") ShowPicture(BackgroundPreview, nullptr);
}
