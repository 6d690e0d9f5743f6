#include "ui/mainwindow.h"

#include <new>

#include "imaging/process.h"
#include "page/writer.h"
#include "ui/colourwindow.h"
#include "ui/controls.h"
#include "ui/fontwindow.h"
#include "ui/setorder.h"
#include "workspace/scan.h"
#include "workspace/selection.h"
#include "workspace/workspace.h"

const char* const DefaultPageText =
    "Welcome to my picture album.]]"
    "\r\n\r\nLast modified: 31st February 2010]]"
    "\r\n\r\nBest viewed at 1024 x 768";

namespace {

void MakeControls() {
  const int W = MainWindow;
  MakeFrame(W, HeadingFrame, {330, 30, 330, 45}, "Heading");
  MakeFrame(W, TextFrame, {330, 75, 330, 45}, "Text");
  MakeFrame(W, FormatFrame, {330, 165, 330, 30}, "Format");
  MakeFrame(W, BackgroundFrame, {180, 30, 140, 185}, "Background");
  MakeFrame(W, ProcessFrame, {10, 25, 160, 190}, "");
  MakeFrame(W, CaptionsFrame, {330, 120, 330, 45}, "Captions");
  MakeButton(W, SaveButton, {420, 510, 90, 20}, "Save");
  MakeButton(W, AbandonButton, {580, 510, 80, 20}, "Abandon");
  MakeButton(W, SetOrderButton, {20, 510, 90, 20}, "Set order");
  MakeButton(W, ProcessButton, {40, 185, 80, 20}, "Process");
  MakeButton(W, HeadingFontButton, {350, 50, 240, 20}, "Arial,sans-serif/30/Bold  Italic");
  MakeButton(W, TextFontButton, {350, 95, 240, 20}, "Arial,sans-serif/14/");
  MakeButton(W, CaptionFontButton, {350, 140, 240, 20}, "Arial,sans-serif/10/");
  MakeCheckBox(W, ThumbnailsCheck, {20, 35, 110, 20}, "Create thumbnails");
  MakeCheckBox(W, RenameCheck, {20, 155, 60, 20}, "Rename");
  MakeCheckBox(W, CreditLineCheck, {510, 197, 150, 20}, "Allow Marvane label");
  MakeCheckBox(W, NumberedCaptionsCheck, {330, 197, 160, 20}, "Numbered captions");
  MakeEditor(W, PageTextEditor, {20, 245, 640, 105}, DefaultPageText);
  MakeEditor(W, CaptionEditor, {360, 375, 300, 125}, "");
  MakePictureView(W, BackgroundPreview, {190, 147, 70, 60});
  MakePictureView(W, PicturePreview, {150, 375, 200, 150});
  MakeListView(W, PictureList, {20, 375, 120, 125});
  MakeListView(W, BackgroundList, {190, 50, 120, 95});
  MakeOption(W, NoAdjustOption, {20, 65, 110, 20}, "No adjust", true);
  MakeOption(W, Reduce480Option, {20, 85, 130, 20}, "Reduce to 640 x 480", false);
  MakeOption(W, Reduce600Option, {20, 105, 130, 20}, "Reduce to 800 x 600", false);
  MakeOption(W, Reduce768Option, {20, 125, 130, 20}, "Reduce to 1024 x 768", false);
  MakeOption(W, HorizontalOption, {410, 178, 100, 10}, "Horizontal", true);
  MakeOption(W, VerticalOption, {540, 178, 80, 10}, "Vertical", false);
  MakeField(W, PageNameField, {390, 5, 200, 20}, "", false);
  MakeField(W, BackgroundColourField, {270, 170, 45, 30}, "000000", true);
  MakeField(W, PageTitleField, {75, 220, 220, 20}, "Picture page", false);
  MakeField(W, PageHeadingField, {385, 220, 275, 20}, "My pictures!", false);
  MakeField(W, RenamePrefixField, {110, 155, 40, 20}, "pic", false);
  MakeField(W, HeadingColourField, {600, 50, 50, 20}, "000000", true);
  MakeField(W, TextColourField, {600, 95, 50, 20}, "000000", true);
  MakeField(W, CaptionColourField, {600, 140, 50, 20}, "000000", true);
  MakeLabel(W, FolderLabel, {20, 5, 60, 20}, "Folder", false);
  MakeLabel(W, WebPageLabel, {320, 5, 70, 20}, "Web page", false);
  MakeLabel(W, FrameTitleLabel, {20, 222, 50, 20}, "Frame title", false);
  MakeLabel(W, PageHeadingLabel, {310, 222, 70, 20}, "Page heading", false);
  MakeLabel(W, AlbumFolderLabel, {80, 5, 220, 20}, "", true);
}

void SetStartStates() {
  static const int fixedFont[] = {HeadingFrame, TextFrame, FormatFrame, BackgroundFrame,
                                  CaptionsFrame, SaveButton, AbandonButton, SetOrderButton,
                                  ProcessButton, CreditLineCheck, NumberedCaptionsCheck,
                                  CaptionEditor, PictureList, BackgroundList, HorizontalOption,
                                  VerticalOption, PageNameField, RenamePrefixField, FolderLabel,
                                  WebPageLabel, AlbumFolderLabel};
  for (int c : fixedFont) SetControlFont(c, FixedFont);
  for (int c : {PageTextEditor, PageTitleField, PageHeadingField})
    SetControlFont(c, ProportionalFont);
  SetControlState(ThumbnailsCheck, 1);
  SetControlState(CreditLineCheck, 1);
  SetControlState(NumberedCaptionsCheck, 1);
  SetControlState(NoAdjustOption, 1);
  SetControlState(HorizontalOption, 1);
  for (int c : {BackgroundColourField, HeadingColourField, TextColourField, CaptionColourField})
    SetBackColour(c, 0);
}

}  // namespace

bool BuildMainWindow() {
  if (!OpenWindow(MainWindow, {216, 0, 670, 535}, "Quorel", MainStyle)) return false;
  KeepWindowOnTop(MainWindow);
  MakeControls();
  SetStartStates();
  return true;
}

void ApplyPendingAction() {
  EnableWindow(MainWindow, true);
  const std::string& letter = Workspace.pendingAction;
  if (letter == "O") ApplyOrder();
  else if (letter == "B" || letter == "H" || letter == "T" || letter == "C") ApplyColour(letter);
  else if (letter == "h" || letter == "t" || letter == "c") ApplyFont(letter);
  CloseWindow(SecondaryWindow);
}

bool HandleEvent(const Event& event) {
  if (event.kind == CloseRequest) return false;
  if (event.kind != ControlEvent) return true;
  switch (event.control) {
    case SaveButton: WriteAlbumPage(); break;
    case AbandonButton: return false;
    case SetOrderButton: OpenSetOrderWindow(); break;
    case ProcessButton: ProcessPictures(); break;
    case OkButton: ApplyPendingAction(); break;
    case PasteButton: PasteEntry(); break;
    case CutButton: CutEntry(); break;
    case HeadingFontButton:
    case TextFontButton:
    case CaptionFontButton: SelectFontButton(event.control); break;
    case PictureList: SelectPictureEntry(); break;
    case BackgroundList: SelectBackgroundPicture(); break;
    case OrderList: ShowClickedEntry(); break;
    case SansSerifOption:
    case SerifOption: SelectGenericFamily(event.control); break;
    case BackgroundColourField:
    case HeadingColourField:
    case TextColourField:
    case CaptionColourField: SelectColourField(event.control); break;
    case RedBar:
    case GreenBar:
    case BlueBar: UpdateColourWindow(); break;
    default: break;
  }
  return true;
}

// A handler that runs out of memory on a huge picture gives up that command, not the tool.
static bool HandleSafely(const Event& event) {
  try {
    return HandleEvent(event);
  } catch (const std::bad_alloc&) {
    return true;
  }
}

void RunEventLoop() {
  while (HandleSafely(WaitEvent())) {
  }
}

bool RunPendingEvents() {
  Event event;
  while (PollEvent(event))
    if (!HandleSafely(event)) return false;
  return true;
}
