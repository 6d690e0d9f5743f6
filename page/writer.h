// page/writer.h - writing the album page from the main window's settings.
//
// Operations:
//   WriteAlbumPage()                 Save: the page, the background copy and one message
//   StyleLineText(tag, spec, colour) one line of the page's style sheet
//   ResetCaptionSlots()              the slots as the tool starts with them (empty)
//
// The page doubles as the album's only store of settings: marker comments carry the layout,
// the picture order and the captions back to the page reader.
#pragma once
#include <string>

void WriteAlbumPage();
std::string StyleLineText(const std::string& tag, const std::string& fontSpec,
                          const std::string& colourText);
void ResetCaptionSlots();
