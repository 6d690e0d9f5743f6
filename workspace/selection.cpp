#include "workspace/selection.h"

#include "imaging/picture.h"
#include "ui/controls.h"
#include "ui/toolkit.h"
#include "workspace/style.h"
#include "workspace/workspace.h"

namespace {

// The entry whose caption is in the editor. The list may have been rebuilt since it was
// shown (Set order, Process), so the position alone is not trusted: the entry must still
// carry the shown picture's file name. -1 when that picture is no longer listed.
int ShownEntryIndex() {
  int at = Workspace.rememberedIndex;
  if (at < 0) return -1;
  if (at < CountItems(PictureList) && EntryFileName(ItemText(PictureList, at)) == Workspace.shownFileName)
    return at;
  for (int i = 0, n = CountItems(PictureList); i < n; i++)
    if (EntryFileName(ItemText(PictureList, i)) == Workspace.shownFileName) return i;
  return -1;
}

void StoreEditedCaption() {
  int at = Workspace.rememberedIndex;
  if (at < 0) return;
  std::string caption = TrimBlanks(EditorToPageText(ControlText(CaptionEditor)));
  std::string entry = MakePictureEntry(EntryFileName(ItemText(PictureList, at)), caption);
  RemoveItem(PictureList, at);
  AddItem(PictureList, at, entry);
}

}  // namespace

void ShowSelectedEntry() {
  std::string entry = ItemText(PictureList, Workspace.selectionIndex);
  std::string path = Workspace.albumFolder + EntryFileName(entry);
  if (!LoadPicture(path)) {
    ShowMessage("Image " + path + " was not found!");
    return;
  }
  ScalePicture(200, 150);
  ShowPicture(PicturePreview, PictureHandle());
  SetControlText(CaptionEditor, PageToEditorText(EntryCaption(entry)));
  Workspace.rememberedIndex = Workspace.selectionIndex;
  Workspace.shownFileName = EntryFileName(entry);
}

void SelectPictureEntry() {
  int index = ControlState(PictureList);
  // Events without a selection come from list changes the user did not make.
  if (index < 0) return;
  Workspace.rememberedIndex = ShownEntryIndex();
  if (index == Workspace.rememberedIndex) return;
  StoreEditedCaption();
  Workspace.pendingAction.clear();
  Workspace.selectionIndex = index;
  ShowSelectedEntry();
}
