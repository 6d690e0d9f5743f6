// ui/fontwindow.h - the font chooser, then the "Font type" window for the generic family.
//
// Operations:
//   SelectFontButton(button)    event of a font button: opens the font windows at its font
//   OpenFontWindows(fontSpec)   the chooser at its face and size, then "Font type"
//   SelectGenericFamily(option) event of an option: the family is the option's caption
//   ApplyFont(letter)           OK: the new font specification onto the letter's button
//   FontButtonLetter(button)    "h", "t" or "c"
#pragma once
#include <string>

void SelectFontButton(int button);
void OpenFontWindows(const std::string& fontSpec);
void SelectGenericFamily(int option);
void ApplyFont(const std::string& letter);
std::string FontButtonLetter(int button);
