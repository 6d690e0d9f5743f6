// ui/colourwindow.h - the "Set colour" window: three sliders for one colour field.
//
// Operations:
//   SelectColourField(field)   event of a colour field: opens the window at the field's colour
//   OpenColourWindow(text)     builds the window with its sliders at the colour text
//   UpdateColourWindow()       every slider move: value labels, sample, current colour
//   ApplyColour(letter)        OK: the current colour into the letter's field
//   ColourFieldLetter(field)   "B", "H", "T" or "C"
#pragma once
#include <string>

void SelectColourField(int field);
void OpenColourWindow(const std::string& colourText);
void UpdateColourWindow();
void ApplyColour(const std::string& letter);
std::string ColourFieldLetter(int field);
