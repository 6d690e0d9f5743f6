// page/reader.h - reading an album page back into the main window.
//
// Operations:
//   ReadAlbumPage()            restores settings, pictures and captions from the starting page
//   ReadStyleLine(line)        font specification and colour of one style line
#pragma once
#include <string>

#include "workspace/style.h"

struct StyleLine {
  std::string fontSpec;
  SwappedColour colour;
};

void ReadAlbumPage();
StyleLine ReadStyleLine(const std::string& line);
