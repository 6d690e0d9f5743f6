// tests/support/window.h - a fresh main window per test, driven by real input events, with
// the modal choosers answered by the test through the toolkit's seam.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/toolkit.h"

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Sets the album folder as start-up would for a file chosen in `folder`.
  void UseAlbumFolder(const std::string& folder);
  DialogAnswers answers;
};

void Click(int control);                  // mouse press and release at the control's centre
void ClickItem(int list, int row);        // on one item of a list view
void PressKey(int control, int qtKey);    // key press and release sent to the control
void TypeText(int control, const std::string& text);
bool Pump();                              // handles every waiting event; false when the tool ends
std::vector<std::string> ListItems(int list);
std::vector<std::string> EntryNames(int list);   // EntryFileName of every item
