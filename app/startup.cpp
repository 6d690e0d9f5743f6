#include "app/startup.h"

#include <filesystem>

#include "imaging/picture.h"
#include "page/reader.h"
#include "ui/controls.h"
#include "ui/mainwindow.h"
#include "ui/toolkit.h"
#include "workspace/files.h"
#include "workspace/scan.h"
#include "workspace/selection.h"
#include "workspace/workspace.h"

namespace {

std::string AskForStartingFile() {
  return ChooseFile("Quorel File select", "/", "Html page (*.html)", "*.jpg;*.png;*.bmp;*.html");
}

void SplitStartingFile(const std::string& path) {
  SplitPath(path, Workspace.albumFolder, Workspace.startingFileName);
  size_t dot = Workspace.startingFileName.rfind('.');
  Workspace.startingExtension =
      dot == std::string::npos ? "" : Workspace.startingFileName.substr(dot + 1);
}

// The file named on the command line as the chooser would give it: a full path; a folder
// stands for the album in it.
std::string ArgumentPath(const std::string& argument) {
  if (argument.empty()) return "";
  std::error_code error;
  std::filesystem::path path = std::filesystem::absolute(argument, error);
  if (error) return "";
  std::string full = path.string();
  if (std::filesystem::is_directory(path, error) && full.back() != '/') full += '/';
  return full;
}

void ShowFirstEntry() {
  if (CountItems(PictureList) == 0) {
    Workspace.selectionIndex = -1;
    return;
  }
  Workspace.selectionIndex = 0;
  SetControlState(PictureList, 0);
  ShowSelectedEntry();
}

}  // namespace

bool StartAlbum(const std::string& chosenFile) {
  if (chosenFile.empty()) {
    ShowMessage("Nothing selected - will exit.");
    return false;
  }
  SplitStartingFile(chosenFile);
  SetControlText(AlbumFolderLabel, Workspace.albumFolder);
  SetControlText(PageNameField, Workspace.startingFileName);
  if (UpperCase(Workspace.startingExtension) == "HTML") {
    ReadAlbumPage();
  } else {
    ScanPictureFolder();
  }
  ShowFirstEntry();
  return true;
}

int RunStartUp(int& argc, char** argv) {
  StartImageServices();
  if (!StartToolkit(argc, argv)) return 0;
  // Read after the toolkit has taken its own options out of the arguments.
  std::string chosenFile = argc > 1 ? ArgumentPath(argv[1]) : "";
  LoadFont(FixedFont, "Fixedsys", 9);
  LoadFont(ProportionalFont, "Arial", 10);
  if (!BuildMainWindow()) return 0;
  ListBackgroundLibrary();
  std::string file = chosenFile.empty() ? AskForStartingFile() : chosenFile;
  if (StartAlbum(file)) RunEventLoop();
  StopToolkit();
  return 0;
}
