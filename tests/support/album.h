// tests/support/album.h - album folders with real pictures, and a second run of the tool
// inside one test (a page saved by one run, read back by the next).
#pragma once
#include <QTest>
#include <string>

#include "imaging/picture.h"
#include "page/writer.h"
#include "ui/mainwindow.h"
#include "ui/toolkit.h"
#include "ui/toolkit_qt.h"
#include "workspace/workspace.h"

// A small JPEG of one shade; real enough for the picture preview and a browser.
inline bool MakeJpeg(const std::string& path, int width = 32, int height = 24,
                     unsigned char shade = 128) {
  Picture p;
  p.width = width;
  p.height = height;
  p.channels = 3;
  p.pixels.assign(static_cast<size_t>(width) * height * 3, shade);
  return EncodeJpegFile(p, path, 90);
}

// Ends the run and starts the next one: a new main window with its start-up values, an empty
// workspace and the caption slots as the tool starts with them. Dialog answers carry over.
inline bool RestartTool() {
  StopToolkit();
  ResetWorkspace();
  ResetCaptionSlots();
  if (!BuildMainWindow()) return false;
  QWidget* w = WindowWidget(0);
  w->activateWindow();
  (void)QTest::qWaitForWindowActive(w, 1000);
  Event e;
  while (PollEvent(e)) {
  }
  return true;
}
