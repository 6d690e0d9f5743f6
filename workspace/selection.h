// workspace/selection.h - the picture list, the picture preview and the caption editor together.
//
// Operations:
//   ShowSelectedEntry()    shows the picture and caption of the entry at the selection index
//   SelectPictureEntry()   stores the edited caption into the entry shown, then shows the new one
#pragma once

void ShowSelectedEntry();
void SelectPictureEntry();
