// ui/toolkit.h - numbered windows and controls, one event queue and the modal choosers.
// The rest of the tool sees the windowing toolkit only through these procedures.
//
// Operations:
//   StartToolkit(argc, argv), StopToolkit()
//   OpenWindow, CloseWindow, KeepWindowOnTop, EnableWindow, WindowIsOpen, WindowIsEnabled
//   MakeFrame, MakeButton, MakeCheckBox, MakeOption, MakeLabel, MakeField, MakeEditor,
//     MakeListView, MakePictureView, MakeTrackBar
//   LoadFont, SetControlFont, EnableControl, ControlIsEnabled, ControlExists
//   ControlState/SetControlState, ControlText/SetControlText, BackColour/SetBackColour
//   AddItem, RemoveItem, ClearItems, CountItems, ItemText (list views)
//   ShowPicture, ShownPicture (picture views)
//   WaitEvent, PollEvent, PostEvent
//   ShowMessage, ChooseFile, ChooseFont
//   AnswerDialogsWith (tests answer the modal choosers without a blocking dialog)
//
// Semantics the tool relies on, unlike the toolkit's defaults: disabling a control takes its
// focus without handing it to another control; setting a state, text or item posts no event;
// a control event equal to the last one still waiting is dropped.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "imaging/picture.h"

struct Box { int x, y, w, h; };

enum WindowStyle { MainStyle, DialogStyle };
enum EventKind { NoEvent, ControlEvent, CloseRequest, OtherEvent };

struct Event {
  EventKind kind = NoEvent;
  int control = -1;
  bool operator==(const Event& o) const { return kind == o.kind && control == o.control; }
};

struct FontChoice {
  bool chosen = false;
  std::string face;
  int points = 0;       // whole points, truncated
  int styleBits = 0;    // 256: weight exactly 700, 512: italic
};

bool StartToolkit(int& argc, char** argv);
void StopToolkit();

bool OpenWindow(int window, Box box, const std::string& title, WindowStyle style);
void CloseWindow(int window);
void KeepWindowOnTop(int window);
void EnableWindow(int window, bool enable);
bool WindowIsOpen(int window);
bool WindowIsEnabled(int window);

void MakeFrame(int window, int control, Box box, const std::string& caption);
void MakeButton(int window, int control, Box box, const std::string& caption);
void MakeCheckBox(int window, int control, Box box, const std::string& caption);
void MakeOption(int window, int control, Box box, const std::string& caption, bool startsGroup);
void MakeLabel(int window, int control, Box box, const std::string& text, bool sunken);
void MakeField(int window, int control, Box box, const std::string& text, bool readOnly);
void MakeEditor(int window, int control, Box box, const std::string& text);
void MakeListView(int window, int control, Box box);
void MakePictureView(int window, int control, Box box);
void MakeTrackBar(int window, int control, Box box, int minimum, int maximum);

void LoadFont(int font, const std::string& face, int points);
void SetControlFont(int control, int font);
void EnableControl(int control, bool enable);
bool ControlIsEnabled(int control);
bool ControlExists(int control);

// State: check box 1/0, option 1/0, list view selected index (-1 none), track bar position.
int ControlState(int control);
void SetControlState(int control, int state);
// Text: caption of buttons, text of labels and fields, editor text with CR LF line ends;
// setting a list view's text selects the first item equal to it, ignoring case, else none.
std::string ControlText(int control);
void SetControlText(int control, const std::string& text);
// Colour value: red + 256 x green + 65536 x blue.
int BackColour(int control);
void SetBackColour(int control, int colourValue);

void AddItem(int control, int index, const std::string& text);   // index -1: at the end
void RemoveItem(int control, int index);
void ClearItems(int control);
int CountItems(int control);
std::string ItemText(int control, int index);                     // "" out of range

void ShowPicture(int control, PictureRef picture);               // null: shows nothing
PictureRef ShownPicture(int control);

Event WaitEvent();
bool PollEvent(Event& event);       // handles pending window events, then takes one if queued
void PostEvent(Event event);

void ShowMessage(const std::string& text);
std::string ChooseFile(const std::string& title, const std::string& startFolder,
                       const std::string& filterLabel, const std::string& patterns);
FontChoice ChooseFont(const std::string& face, int points);

// What a person picks in the font chooser, before it is reduced to a FontChoice.
struct FontAnswer {
  bool chosen = false;
  std::string face;
  double points = 0;
  int weight = 400;     // 100 to 900, 700 being bold
  bool italic = false;
};

// Test seam: while set, the choosers call these instead of opening a dialog, and every
// message box text is appended to messages.
struct DialogAnswers {
  std::function<std::string(const std::string& title)> file;
  std::function<FontAnswer(const std::string& face, int points)> font;
  std::vector<std::string> messages;
};
void AnswerDialogsWith(DialogAnswers* answers);
