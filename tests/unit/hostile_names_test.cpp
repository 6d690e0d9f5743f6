// A page can only name files inside its own album folder: hostile names read from a page,
// then Save and Process on that window, leave every file outside the album as it was.
#include <filesystem>
#include <map>

#include "app/startup.h"
#include "tests/support/fixtures.h"
#include "tests/support/window.h"
#include "ui/controls.h"
#include "workspace/files.h"
#include "workspace/scan.h"
#include "workspace/workspace.h"

namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;

// Everything below root except the album folder, by relative path: its bytes or "<folder>".
Files OutsideTheAlbum(const std::string& root, const std::string& album) {
  Files files;
  for (const auto& e : fs::recursive_directory_iterator(root)) {
    std::string path = e.path().string();
    if (path.rfind(album, 0) == 0 || path + "/" == album) continue;
    files[fs::relative(e.path(), root).string()] =
        e.is_directory() ? "<folder>" : ReadBytes(path);
  }
  return files;
}

std::string PageNaming(const std::string& name) {
  return "<HTML>\r\n<!--A-HYY-->\r\n"
         "body {background-image:url('" + name + "')}\r\n"
         "<!---I01--><A href=\"a.jpg\" TARGET=\"_blank\"><IMG SRC=\"1a.jpg\" HEIGHT=120></A>\r\n"
         "<!---I02--><A href=\"" + name + "\" TARGET=\"_blank\"><IMG SRC=\"1" + name +
         "\" HEIGHT=120></A>\r\n"
         "<!---T01--><P>1. first</P>\r\n"
         "<!---T02--><P>2. hostile</P>\r\n</BODY>\r\n</HTML>\r\n";
}

using HostileNamesTest = WindowTest;

TEST_F(HostileNamesTest, NamesFromAPageNeverReachOutsideTheAlbumFolder) {
  const std::string names[] = {"../../.bashrc", "../other/photo.jpg", "/etc/passwd",
                               "..\\x.jpg", "", "bad\nname.jpg", std::string(300, 'n') + ".jpg",
                               ".", "..", "sub/x.jpg", "tab\tname.jpg", "../Quorel/sky.jpg"};
  for (const std::string& name : names) {
    SCOPED_TRACE("name: " + name);
    TempFolder root;
    // The album sits two folders deep, so that "../../" still lands inside the tree.
    std::string album = root / "x/y/album/";
    MakeFolder(album);
    MakeFolder(root / "x/y/other");
    MakeFolder(root / "x/y/Quorel");
    MakeFolder(album + "sub");
    WriteBytes(root / "x/.bashrc", "export KEEP=1\n");
    MakeJpeg(root / "x/y/other/photo.jpg", 800, 600);
    MakeJpeg(root / "x/y/Quorel/sky.jpg", 64, 64);
    MakeJpeg(album + "sub/x.jpg", 800, 600);
    MakeJpeg(album + "a.jpg", 800, 600);
    WriteBytes(album + "1a.jpg", "old thumbnail");
    WriteBytes(album + "album.html", PageNaming(name));
    Workspace.libraryFolder = root / "x/y/Quorel/";
    ClearItems(BackgroundList);
    ListBackgroundLibrary();
    Files before = OutsideTheAlbum(root.path(), album);

    ClearItems(PictureList);
    ASSERT_TRUE(StartAlbum(album + "album.html"));
    for (const std::string& entry : ListItems(PictureList))
      EXPECT_TRUE(IsBareFileName(EntryFileName(entry))) << entry;
    EXPECT_EQ(EntryFileName(ItemText(PictureList, 0)), "a.jpg");
    // A line end inside a name cuts the line, so the reader sees its first part only.
    if (!IsBareFileName(name) && name.find('\n') == std::string::npos) {
      EXPECT_EQ(CountItems(PictureList), 1);
      EXPECT_EQ(Workspace.backgroundCopyPath, "");
      EXPECT_EQ(ControlState(BackgroundList), -1);
    }

    SetControlState(RenameCheck, 1);
    SetControlState(Reduce480Option, 1);
    SetControlState(ThumbnailsCheck, 1);
    Click(ProcessButton);
    ASSERT_TRUE(Pump());
    Click(SaveButton);
    ASSERT_TRUE(Pump());

    EXPECT_EQ(OutsideTheAlbum(root.path(), album), before);
    EXPECT_TRUE(FileExists(album + "sub/x.jpg"));
    EXPECT_TRUE(FileExists(album + "album.html"));
    SetControlState(RenameCheck, 0);
    SetControlState(NoAdjustOption, 1);
    answers.messages.clear();
  }
}

}  // namespace
