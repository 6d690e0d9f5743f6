// The Process command: sizes, new names, and what a run does to the album folder.
#include "imaging/process.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "imaging/picture.h"
#include "tests/support/album.h"
#include "tests/support/pictures.h"
#include "ui/controls.h"
#include "ui/toolkit.h"
#include "workspace/files.h"
#include "workspace/scan.h"
#include "workspace/workspace.h"

namespace {

using namespace testpictures;
using Files = std::map<std::string, std::string>;

// ---- sizes

struct SizeCase {
  int width, height, target, newWidth, newHeight;
};

TEST(ScaledSizeTest, HeightComesToTheTargetOrOneLessAndWidthFollows) {
  const SizeCase cases[] = {
      // Reduce targets.
      {4000, 3000, 480, 639, 479},  // single precision: one short in both sides
      {2048, 1536, 480, 640, 480},
      {1280, 720, 600, 1066, 599},
      {1536, 2048, 480, 360, 480},  // portrait: the height is targeted, not the width
      {4800, 1200, 480, 1920, 480},  // panorama
      {300, 200, 480, 720, 480},     // enlarged
      {640, 480, 480, 640, 480},     // already there
      {4000, 3000, 600, 800, 600},
      {4000, 3000, 768, 1024, 768},
      {3000, 4000, 768, 576, 768},
      {150, 113, 480, 637, 479},     // enlarged and still one short
      {150, 102, 600, 882, 599},
      {150, 100, 768, 1151, 767},
      // Thumbnails.
      {2048, 1536, 160, 213, 159},
      {4000, 3000, 160, 213, 160},
      {1280, 720, 160, 284, 160},
      {1536, 2048, 160, 120, 160},
      {4800, 1200, 160, 640, 160},
      {300, 200, 160, 240, 160},
      {213, 160, 160, 213, 160},
      {640, 103, 160, 994, 159},
      {639, 479, 160, 213, 159},     // thumbnail of a reduced 4000 x 3000
      {1066, 599, 160, 284, 160},
      // Too narrow to keep a column.
      {1, 1000, 160, 0, 159},
  };
  for (const SizeCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) + " to " +
                 std::to_string(c.target));
    PictureSize size = ScaledSize(c.width, c.height, c.target);
    EXPECT_EQ(size.width, c.newWidth);
    EXPECT_EQ(size.height, c.newHeight);
  }
}

TEST(ScaledSizeTest, AnEmptyPictureHasNoSize) {
  for (auto [w, h] : {std::pair{0, 0}, {100, 0}, {0, 100}}) {
    PictureSize size = ScaledSize(w, h, 480);
    EXPECT_EQ(size.width, 0);
    EXPECT_EQ(size.height, 0);
  }
}

// ---- names

TEST(RenameNumberTest, PadsToThreeAndCutsLongerNumbersToTheirFirstThree) {
  const std::pair<int, const char*> cases[] = {
      {1, "001"},   {9, "009"},   {10, "010"},  {99, "099"},    {100, "100"}, {999, "999"},
      {1000, "100"}, {1001, "100"}, {1234, "123"}, {12345, "123"},
  };
  for (auto [counter, number] : cases) EXPECT_EQ(RenameNumber(counter), number) << counter;
}

TEST(RenameNumberTest, NewNameIsPrefixNumberDotAndTheLastThreeCharacters) {
  struct Case {
    const char *prefix, *name;
    int counter;
    const char* expected;
  };
  const Case cases[] = {
      {"pic", "boat.jpg", 1, "pic001.jpg"},
      {"pic", "dock.PNG", 2, "pic002.PNG"},  // the extension keeps its case
      {"", "a.bmp", 150, "150.bmp"},
      {" p ", "x.jpg", 7, " p 007.jpg"},    // the prefix as typed, blanks and all
      {"pic", "photo.jpeg", 3, "pic003.peg"},
      {"pic", "noextension", 4, "pic004.ion"},
      {"pic", "ab", 5, "pic005.ab"},
      {"pic", "a.jpg", 1000, "pic100.jpg"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(NumberedName(c.prefix, c.counter, c.name), c.expected) << c.name;
}

// ---- runs through the window

class ProcessTest : public AlbumTest {
 protected:
  void WriteJpeg(const std::string& name, const Picture& p) {
    // Quality 75, so that a file rewritten at 90 can be told from one left alone.
    ASSERT_TRUE(EncodeJpegFile(p, Path(name), 75)) << name;
  }
  void WritePhotoJpeg(const std::string& name, int w, int h, uint32_t seed) {
    WriteJpeg(name, MakePhoto(w, h, seed));
  }
  // A complete JPEG of that size, written at the tool's quality with library defaults.
  void ExpectWrittenJpeg(const std::string& name, int width, int height) {
    SCOPED_TRACE(name);
    JpegFacts facts = InspectJpeg(Path(name), 90);
    ASSERT_TRUE(facts.readable);
    EXPECT_EQ(facts.width, width);
    EXPECT_EQ(facts.height, height);
    EXPECT_TRUE(facts.quantMatches);
    EXPECT_FALSE(facts.progressive);
    EXPECT_TRUE(facts.jfif);
    EXPECT_TRUE(facts.ycbcr420);
    Picture decoded;
    EXPECT_TRUE(DecodeJpegFile(Path(name), decoded));
  }
  static std::string Rel(const std::string& name) { return "album/" + name; }
  // The 800 x 600 a.jpg was reduced to 480 and thumbnailed; every other file is as it was.
  void ExpectOnlyAReducedAndThumbnailed(Files before) {
    Files after = Snapshot();
    ExpectWrittenJpeg("a.jpg", 640, 480);
    ExpectWrittenJpeg("1a.jpg", 213, 160);
    after.erase(Rel("a.jpg"));
    after.erase(Rel("1a.jpg"));
    before.erase(Rel("a.jpg"));
    EXPECT_EQ(after, before);
  }
};

TEST_F(ProcessTest, StartUpOptionsWriteOneThumbnailPerListedPictureAndChangeNothingElse) {
  WritePhotoJpeg("a.jpg", 2048, 1536, 1);
  ASSERT_TRUE(WritePngFile(MakePhoto(400, 300, 2), Path("B.PNG")));
  ASSERT_TRUE(WriteBmpFile(MakePhoto(120, 160, 3), Path("c.bmp")));
  WriteBytes(Path("notes.txt"), "not a picture");
  WriteBytes(Path("1a.jpg"), "an old thumbnail");
  ScanPictureFolder();
  ASSERT_EQ(EntryNames(PictureList), (std::vector<std::string>{"a.jpg", "B.PNG", "c.bmp"}));
  std::vector<std::string> items = ListItems(PictureList);
  SetControlState(PictureList, 1);
  Workspace.selectionIndex = 1;
  Workspace.rememberedIndex = 1;
  SetControlText(CaptionEditor, "typed but not yet stored");
  Files before = Snapshot();

  PressProcess();

  Files after = Snapshot();
  for (const auto& [name, bytes] : before) {
    if (name == Rel("1a.jpg")) continue;
    EXPECT_EQ(after[name], bytes) << name;
  }
  Files added;
  for (const auto& [name, bytes] : after)
    if (!before.count(name)) added[name] = bytes;
  EXPECT_EQ(added.size(), 2u);
  EXPECT_TRUE(added.count(Rel("1B.PNG")) && added.count(Rel("1c.bmp")));
  ExpectWrittenJpeg("1a.jpg", 213, 159);
  ExpectWrittenJpeg("1B.PNG", 213, 160);
  ExpectWrittenJpeg("1c.bmp", 120, 160);

  EXPECT_EQ(ListItems(PictureList), items);
  EXPECT_EQ(ControlState(PictureList), 1);
  EXPECT_EQ(Workspace.selectionIndex, 1);
  EXPECT_EQ(Workspace.rememberedIndex, 1);
  EXPECT_EQ(ControlText(CaptionEditor), "typed but not yet stored");
  EXPECT_TRUE(answers.messages.empty());
  PictureRef shown = ShownPicture(PicturePreview);
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->width, 200);
  EXPECT_EQ(shown->height, 150);
}

TEST_F(ProcessTest, ReduceRewritesEveryFormatAsJpegUnderItsOwnName) {
  WritePhotoJpeg("wide.jpg", 2048, 1536, 4);
  WritePhotoJpeg("tall.jpg", 1536, 2048, 5);
  ASSERT_TRUE(WritePngFile(MakePhoto(300, 200, 6), Path("small.png")));
  ASSERT_TRUE(WriteBmpFile(MakePhoto(2400, 600, 7), Path("pano.bmp")));
  // Already at the target height, with alpha: thirds of clear red, solid blue, half black.
  Picture shade = MakeFlat(600, 480, 255, 0, 0, 0);
  for (int y = 0; y < 480; ++y)
    for (int x = 200; x < 600; ++x) {
      uint8_t* px = &shade.pixels[(size_t(y) * 600 + x) * 4];
      bool blue = x < 400;
      px[0] = px[1] = 0;
      px[2] = blue ? 255 : 0;
      px[3] = blue ? 255 : 128;
    }
  ASSERT_TRUE(WritePngFile(shade, Path("shade.png")));
  ScanPictureFolder();
  ChooseProcessOptions(false, Reduce480Option, true);

  PressProcess();

  struct Expected {
    const char* name;
    int width, height, thumbWidth, thumbHeight;
  };
  const Expected expected[] = {
      {"wide.jpg", 640, 480, 213, 160},  {"tall.jpg", 360, 480, 120, 160},
      {"small.png", 720, 480, 240, 160}, {"pano.bmp", 1920, 480, 640, 160},
      {"shade.png", 600, 480, 200, 160},
  };
  for (const Expected& e : expected) {
    ExpectWrittenJpeg(e.name, e.width, e.height);
    ExpectWrittenJpeg(ThumbnailName(e.name), e.thumbWidth, e.thumbHeight);
  }
  EXPECT_EQ(Snapshot().size(), 1u + 2 * std::size(expected));

  // JPEG holds no alpha: the page shows pictures on white.
  Picture blended;
  ASSERT_TRUE(DecodeJpegFile(Path("shade.png"), blended));
  auto sample = [&](int x, int c) { return int(blended.pixels[(size_t(240) * 600 + x) * 3 + c]); };
  const int white[] = {255, 255, 255}, blue[] = {0, 0, 255}, grey[] = {127, 127, 127};
  for (int c = 0; c < 3; ++c) {
    EXPECT_NEAR(sample(100, c), white[c], 3);
    EXPECT_NEAR(sample(300, c), blue[c], 3);
    EXPECT_NEAR(sample(500, c), grey[c], 3);
  }
}

TEST_F(ProcessTest, EachReduceOptionTargetsItsHeight) {
  struct Case {
    int option, width, height, newWidth, newHeight;
  };
  const Case cases[] = {
      {Reduce480Option, 4000, 3000, 639, 479},
      {Reduce600Option, 1280, 720, 1066, 599},
      {Reduce768Option, 1600, 1200, 1023, 767},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.option);
    WritePhotoJpeg("p.jpg", c.width, c.height, 8);
    ListPictures({"p.jpg"});
    ChooseProcessOptions(false, c.option, false);
    PressProcess();
    ExpectWrittenJpeg("p.jpg", c.newWidth, c.newHeight);
    EXPECT_FALSE(FileExists(Path("1p.jpg")));
  }
}

TEST_F(ProcessTest, RenameNumbersPicturesAndThumbnailsInListOrder) {
  WriteBytes(Path("boat.jpg"), "boat");
  WriteBytes(Path("dock.PNG"), "dock");
  WriteBytes(Path("pier.bmp"), "pier");
  WriteBytes(Path("1boat.jpg"), "boat thumbnail");
  WriteBytes(Path("1dock.PNG"), "dock thumbnail");
  ClearItems(PictureList);
  for (const char* name : {"boat.jpg", "dock.PNG", "pier.bmp"})
    AddItem(PictureList, -1, MakePictureEntry(name, "a caption"));
  SetControlState(PictureList, 2);
  Workspace.selectionIndex = 2;
  Workspace.rememberedIndex = 2;
  SetControlText(CaptionEditor, "pier caption");
  ChooseProcessOptions(true, NoAdjustOption, false);

  PressProcess();

  EXPECT_EQ(Snapshot(), (Files{{"album", "<folder>"},
                               {Rel("pic001.jpg"), "boat"},
                               {Rel("pic002.PNG"), "dock"},
                               {Rel("pic003.bmp"), "pier"},
                               {Rel("1pic001.jpg"), "boat thumbnail"},
                               {Rel("1pic002.PNG"), "dock thumbnail"}}));
  // The list comes from the folder again: no captions, nothing selected.
  EXPECT_EQ(ListItems(PictureList),
            (std::vector<std::string>{FitText("pic001.jpg", 30), FitText("pic002.PNG", 30),
                                      FitText("pic003.bmp", 30)}));
  EXPECT_EQ(ControlState(PictureList), -1);
  EXPECT_EQ(Workspace.selectionIndex, 2);
  EXPECT_EQ(Workspace.rememberedIndex, 2);
  EXPECT_EQ(ControlText(CaptionEditor), "pier caption");
  EXPECT_TRUE(answers.messages.empty());
}

// Renaming never replaces a file and never reaches outside the album: whatever the list
// says, the same contents are there afterwards, only some under new names.
TEST_F(ProcessTest, RenameNeverLosesOrMovesAFileOutOfTheAlbum) {
  struct Case {
    const char* what;
    Files files;                     // under the album
    std::vector<std::string> list;
    std::string prefix;
    Files expected;                  // under the album
  };
  const Case cases[] = {
      {"new name taken: its number goes to no picture",
       {{"boat.jpg", "B"}, {"dock.jpg", "D"}, {"pic001.jpg", "X"}},
       {"boat.jpg", "dock.jpg"}, "pic",
       {{"boat.jpg", "B"}, {"pic001.jpg", "X"}, {"pic002.jpg", "D"}}},
      {"new name taken in another case",
       {{"boat.jpg", "B"}, {"PIC001.JPG", "X"}, {"1boat.jpg", "T"}, {"1Pic001.jpg", "U"}},
       {"boat.jpg"}, "pic",
       {{"boat.jpg", "B"}, {"PIC001.JPG", "X"}, {"1boat.jpg", "T"}, {"1Pic001.jpg", "U"}}},
      {"thumbnail's new name taken, picture's free",
       {{"boat.jpg", "B"}, {"1boat.jpg", "T"}, {"1pic001.jpg", "U"}},
       {"boat.jpg"}, "pic",
       {{"pic001.jpg", "B"}, {"1boat.jpg", "T"}, {"1pic001.jpg", "U"}}},
      {"a picture listed twice",
       {{"boat.jpg", "B"}, {"dock.jpg", "D"}, {"1boat.jpg", "T"}},
       {"boat.jpg", "boat.jpg", "dock.jpg"}, "pic",
       {{"pic001.jpg", "B"}, {"1pic001.jpg", "T"}, {"pic003.jpg", "D"}}},
      {"names that would chain into each other",
       {{"pic002.jpg", "A"}, {"pic001.jpg", "B"}, {"x.jpg", "C"}},
       {"pic002.jpg", "pic001.jpg", "x.jpg"}, "pic",
       {{"pic002.jpg", "A"}, {"pic001.jpg", "B"}, {"pic003.jpg", "C"}}},
      {"a name already in place",
       {{"pic001.jpg", "A"}}, {"pic001.jpg"}, "pic", {{"pic001.jpg", "A"}}},
      {"picture missing, thumbnail present: the thumbnail stays with it",
       {{"1gone.jpg", "T"}}, {"gone.jpg"}, "pic", {{"1gone.jpg", "T"}}},
      {"picture's new name taken, thumbnail's free: neither moves",
       {{"boat.jpg", "B"}, {"1boat.jpg", "T"}, {"pic001.jpg", "X"}},
       {"boat.jpg"}, "pic",
       {{"boat.jpg", "B"}, {"1boat.jpg", "T"}, {"pic001.jpg", "X"}}},
      {"prefix that climbs out of the folder",
       {{"boat.jpg", "B"}}, {"boat.jpg"}, "../", {{"boat.jpg", "B"}}},
      {"prefix that names a sub-folder",
       {{"boat.jpg", "B"}, {"sub/keep", "K"}}, {"boat.jpg"}, "sub/",
       {{"boat.jpg", "B"}, {"sub/keep", "K"}}},
      {"entries that are not bare names",
       {{"a.jpg", "A"}, {"sub/in.jpg", "I"}},
       {"../outside.jpg", "sub/in.jpg", "", ".", "..", "a.jpg"}, "pic",
       {{"pic006.jpg", "A"}, {"sub/in.jpg", "I"}}},
      {"a name longer than twenty characters is not found",
       {{"abcdefghijklmnopqrstu.jpg", "L"}, {"boat.jpg", "B"}},
       {"abcdefghijklmnopqrstu.jpg", "boat.jpg"}, "pic",
       {{"abcdefghijklmnopqrstu.jpg", "L"}, {"pic002.jpg", "B"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder fresh;
    album = fresh / "album/";
    UseAlbumFolder(album);
    MakeFolder(album);
    WriteBytes(fresh / "outside.jpg", "O");
    for (const auto& [name, bytes] : c.files) {
      if (name.find('/') != std::string::npos) MakeFolder(album + name.substr(0, name.find('/')));
      WriteBytes(album + name, bytes);
    }
    ListPictures(c.list);
    SetControlText(RenamePrefixField, c.prefix);
    ChooseProcessOptions(true, NoAdjustOption, false);

    PressProcess();

    Files expected{{"album", "<folder>"}, {"outside.jpg", "O"}};
    for (const auto& [name, bytes] : c.expected) {
      if (name.find('/') != std::string::npos)
        expected["album/" + name.substr(0, name.find('/'))] = "<folder>";
      expected["album/" + name] = bytes;
    }
    Files found;
    namespace fs = std::filesystem;
    for (const auto& e : fs::recursive_directory_iterator(fresh.path()))
      found[fs::relative(e.path(), fresh.path()).string()] =
          e.is_directory() ? "<folder>" : ReadBytes(e.path().string());
    EXPECT_EQ(found, expected);
  }
}

TEST_F(ProcessTest, WithAnEmptyPrefixNumbers100To199DropOutOfTheRebuiltList) {
  for (int i = 0; i < 101; ++i) {
    std::string name = "f" + std::to_string(1000 + i) + ".jpg";
    WriteBytes(Path(name), name);
  }
  ScanPictureFolder();
  ASSERT_EQ(CountItems(PictureList), 101);
  SetControlText(RenamePrefixField, "");
  ChooseProcessOptions(true, NoAdjustOption, false);

  PressProcess();

  std::vector<std::string> listed;
  for (int i = 1; i <= 99; ++i) listed.push_back(RenameNumber(i) + ".jpg");
  EXPECT_EQ(EntryNames(PictureList), listed);
  // Still in the folder, taken for thumbnails by the scan.
  EXPECT_EQ(ReadBytes(Path("100.jpg")), "f1099.jpg");
  EXPECT_EQ(ReadBytes(Path("101.jpg")), "f1100.jpg");
  EXPECT_EQ(Snapshot().size(), 1u + 101);
}

TEST_F(ProcessTest, PicturesThatCannotBeLoadedAreLeftAloneAndThePreviewShowsNothing) {
  WritePhotoJpeg("a.jpg", 1024, 768, 9);
  WriteBytes(Path("bad.jpg"), "\xFF\xD8 not really a JPEG");
  WriteBytes(Path("gone.jpg"), "deleted after the scan");
  ASSERT_TRUE(WritePngFile(MakePhoto(1, 1000, 10), Path("sliver.png")));  // no column left
  MakeFolder(Path("holiday.jpg"));
  ScanPictureFolder();
  ASSERT_EQ(EntryNames(PictureList), (std::vector<std::string>{"a.jpg", "bad.jpg", "gone.jpg",
                                                                "holiday.jpg", "sliver.png"}));
  DeleteFile(Path("gone.jpg"));
  Files before = Snapshot();
  ChooseProcessOptions(false, Reduce480Option, true);

  PressProcess();

  ExpectOnlyAReducedAndThumbnailed(before);
  EXPECT_EQ(ShownPicture(PicturePreview), nullptr);
  EXPECT_TRUE(answers.messages.empty());
}

TEST_F(ProcessTest, ReduceAndThumbnailsSkipEntriesThatAreNotBareNames) {
  MakeFolder(Path("sub"));
  WritePhotoJpeg("../outside.jpg", 800, 600, 11);
  WritePhotoJpeg("sub/in.jpg", 800, 600, 12);
  WritePhotoJpeg("a.jpg", 800, 600, 13);
  ListPictures({"../outside.jpg", "sub/in.jpg", "a.jpg", "", "."});
  Files before = Snapshot();
  ChooseProcessOptions(false, Reduce480Option, true);

  PressProcess();

  ExpectOnlyAReducedAndThumbnailed(before);
}

TEST_F(ProcessTest, APictureListedTwiceIsRewrittenWholeEachTime) {
  WritePhotoJpeg("a.jpg", 2048, 1536, 14);
  ListPictures({"a.jpg", "a.jpg"});
  ChooseProcessOptions(false, Reduce480Option, true);

  PressProcess();

  ExpectWrittenJpeg("a.jpg", 640, 480);
  ExpectWrittenJpeg("1a.jpg", 213, 160);
  EXPECT_EQ(Snapshot().size(), 3u);
}

TEST_F(ProcessTest, AnEmptyListIsRescannedByARenamePassAndOtherwiseLeftEmpty) {
  WriteBytes(Path("boat.jpg"), "B");
  ChooseProcessOptions(false, Reduce480Option, true);
  PressProcess();
  EXPECT_EQ(CountItems(PictureList), 0);
  EXPECT_EQ(Snapshot(), (Files{{"album", "<folder>"}, {Rel("boat.jpg"), "B"}}));

  ChooseProcessOptions(true, NoAdjustOption, false);
  PressProcess();
  EXPECT_EQ(EntryNames(PictureList), std::vector<std::string>{"boat.jpg"});
  EXPECT_EQ(Snapshot(), (Files{{"album", "<folder>"}, {Rel("boat.jpg"), "B"}}));
}

}  // namespace
