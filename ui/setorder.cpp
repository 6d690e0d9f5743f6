#include "ui/setorder.h"

#include <string>

#include "imaging/picture.h"
#include "ui/controls.h"
#include "ui/toolkit.h"
#include "workspace/files.h"
#include "workspace/workspace.h"

namespace {

// What the open window holds; it works on a copy, so the picture list changes only at OK.
struct OrderState {
  int clickedIndex = -1;
  std::string clickedEntry;
  std::string cutEntry;
};
OrderState Order;

bool LoadEntryPicture(const std::string& name) {
  return IsBareFileName(name) && LoadPicture(Workspace.albumFolder + name);
}

void SetButtons(bool ok, bool cut, bool paste) {
  EnableControl(OkButton, ok);
  EnableControl(CutButton, cut);
  EnableControl(PasteButton, paste);
}

}  // namespace

void OpenSetOrderWindow() {
  EnableWindow(MainWindow, false);
  OpenWindow(SecondaryWindow, {0, 0, 250, 250}, "Set order", DialogStyle);
  KeepWindowOnTop(SecondaryWindow);
  MakeListView(SecondaryWindow, OrderList, {10, 10, 120, 200});
  MakeLabel(SecondaryWindow, SecondaryLabel1, {160, 5, 30, 20}, "Cut:", false);
  MakeLabel(SecondaryWindow, SecondaryLabel2, {160, 120, 70, 20}, "Selected:", false);
  MakePictureView(SecondaryWindow, CutPreview, {160, 25, 80, 60});
  MakePictureView(SecondaryWindow, SelectedPreview, {160, 140, 80, 60});
  MakeButton(SecondaryWindow, OkButton, {200, 220, 40, 20}, "OK");
  MakeButton(SecondaryWindow, PasteButton, {100, 220, 50, 20}, "PASTE");
  MakeButton(SecondaryWindow, CutButton, {10, 220, 60, 20}, "CUT");
  for (int c : {OrderList, SecondaryLabel1, SecondaryLabel2, OkButton, PasteButton, CutButton})
    SetControlFont(c, FixedFont);
  for (int i = 0, n = CountItems(PictureList); i < n; i++)
    AddItem(OrderList, -1, ItemText(PictureList, i));
  SetButtons(true, false, false);
  Order = OrderState{};
  Workspace.pendingAction = "O";
}

void ShowClickedEntry() {
  int index = ControlState(OrderList);
  if (index < 0) return;
  Order.clickedIndex = index;
  Order.clickedEntry = ItemText(OrderList, index);
  std::string name = EntryFileName(Order.clickedEntry);
  if (!LoadEntryPicture(name)) {
    ShowMessage("Image " + Workspace.albumFolder + name + " was not found!");
    return;
  }
  ScalePicture(80, 60);
  ShowPicture(SelectedPreview, PictureHandle());
  if (Workspace.pendingAction == "O") EnableControl(CutButton, true);
}

void CutEntry() {
  if (Order.clickedIndex < 0 || Order.clickedIndex >= CountItems(OrderList)) return;
  bool loaded = LoadEntryPicture(EntryFileName(Order.clickedEntry));
  if (loaded) ScalePicture(80, 60);
  ShowPicture(CutPreview, loaded ? PictureHandle() : nullptr);
  ShowPicture(SelectedPreview, nullptr);
  Order.cutEntry = Order.clickedEntry;
  RemoveItem(OrderList, Order.clickedIndex);
  SetButtons(false, false, true);
  Workspace.pendingAction = "U";
}

void PasteEntry() {
  if (Workspace.pendingAction != "U") return;
  AddItem(OrderList, Order.clickedIndex, Order.cutEntry);
  ShowPicture(CutPreview, nullptr);
  ShowPicture(SelectedPreview, nullptr);
  SetButtons(true, false, false);
  Workspace.pendingAction = "O";
}

void ApplyOrder() {
  ClearItems(PictureList);
  for (int i = 0, n = CountItems(OrderList); i < n; i++)
    AddItem(PictureList, -1, ItemText(OrderList, i));
}
