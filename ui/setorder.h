// ui/setorder.h - the "Set order" window: cut one entry, click where it goes, paste, OK.
//
// Operations:
//   OpenSetOrderWindow()   opens the window on a copy of the picture list
//   ShowClickedEntry()     event of the order list: shows the clicked entry's picture
//   CutEntry()             takes the clicked entry out of the order list
//   PasteEntry()           puts it back in front of the entry clicked last
//   ApplyOrder()           OK: the picture list gets the new order
#pragma once

void OpenSetOrderWindow();
void ShowClickedEntry();
void CutEntry();
void PasteEntry();
void ApplyOrder();
