// tests/support/album.h - an album folder inside a scratch folder, with the main window
// pointed at it, for tests of commands that work on the album's files; and a second run of
// the tool inside one test (a page saved by one run, read back by the next).
// Header only: the test support library's source list stays as it is.
#pragma once
#include <QTest>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tests/support/fixtures.h"
#include "tests/support/window.h"
#include "page/writer.h"
#include "ui/mainwindow.h"
#include "ui/toolkit_qt.h"
#include "ui/controls.h"
#include "ui/toolkit.h"
#include "workspace/scan.h"
#include "workspace/workspace.h"

class AlbumTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    album = scratch / "album/";
    MakeFolder(album);
    UseAlbumFolder(album);
  }

  // Every file under the scratch folder, by path relative to it: its bytes, or "<folder>".
  std::map<std::string, std::string> Snapshot() const {
    namespace fs = std::filesystem;
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(scratch.path())) {
      std::string relative = fs::relative(e.path(), scratch.path()).string();
      files[relative] = e.is_directory() ? "<folder>" : ReadBytes(e.path().string());
    }
    return files;
  }

  // Fills the picture list with these names as a scan shows them, in this order.
  void ListPictures(const std::vector<std::string>& names) {
    ClearItems(PictureList);
    for (const std::string& name : names)
      AddItem(PictureList, -1, FitText(name, ScannedEntryWidth));
  }

  // Rename check, reduce option (NoAdjustOption for none) and thumbnails check.
  void ChooseProcessOptions(bool rename, int reduceOption, bool thumbnails) {
    SetControlState(RenameCheck, rename ? 1 : 0);
    SetControlState(reduceOption, 1);
    SetControlState(ThumbnailsCheck, thumbnails ? 1 : 0);
  }

  void PressProcess() {
    Click(ProcessButton);
    EXPECT_TRUE(Pump());
  }

  std::string Path(const std::string& name) const { return album + name; }

  TempFolder scratch;
  std::string album;  // scratch + "album/", so that a test sees what lands beside the album
};

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
