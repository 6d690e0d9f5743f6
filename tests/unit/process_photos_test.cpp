// A thumbnail run over a folder of photograph-sized pictures, as a user would make one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "imaging/picture.h"
#include "imaging/process.h"
#include "tests/support/album.h"
#include "tests/support/pictures.h"
#include "ui/controls.h"
#include "workspace/scan.h"

namespace {

using namespace testpictures;

using ProcessPhotosTest = AlbumTest;

TEST_F(ProcessPhotosTest, EveryPhotoGetsAThumbnailThatLooksLikeIt) {
  // 2 to 20 megapixels, most near the low end as phones and compacts make them.
  const PictureSize sizes[] = {
      {1632, 1224}, {1224, 1632}, {1920, 1080}, {1800, 1200}, {1700, 1275}, {1200, 1800},
      {2048, 1536}, {1600, 1600}, {2000, 1125}, {1760, 1320}, {2100, 1400}, {1400, 2100},
      {1920, 1440}, {2304, 1296}, {1640, 1230}, {2400, 1000}, {1500, 1500}, {1728, 1296},
      {2592, 1944}, {3264, 2448}, {4000, 3000}, {5184, 3888},
  };
  std::vector<std::string> names;
  std::vector<Picture> references;
  for (size_t i = 0; i < std::size(sizes); ++i) {
    names.push_back("photo" + std::to_string(i + 10) + ".jpg");
    Picture photo = MakePhoto(sizes[i].width, sizes[i].height, uint32_t(i + 1));
    ASSERT_TRUE(EncodeJpegFile(photo, Path(names.back()), 92));
    PictureSize thumb = ScaledSize(photo.width, photo.height, ThumbnailHeight);
    // The reference goes through the same JPEG coding as a thumbnail, so that what is
    // left to compare is the scaling and the first generation's loss.
    std::string reference = scratch / "reference.jpg";
    ASSERT_TRUE(EncodeJpegFile(AreaAverage(photo, thumb.width, thumb.height), reference, 90));
    references.emplace_back();
    ASSERT_TRUE(DecodeJpegFile(reference, references.back()));
  }
  ScanPictureFolder();
  ASSERT_EQ(EntryNames(PictureList), names);

  PressProcess();

  for (size_t i = 0; i < names.size(); ++i) {
    std::string thumbnail = ThumbnailName(names[i]);
    SCOPED_TRACE(thumbnail);
    JpegFacts facts = InspectJpeg(Path(thumbnail), 90);
    ASSERT_TRUE(facts.readable);
    EXPECT_TRUE(facts.quantMatches);
    Picture decoded;
    ASSERT_TRUE(DecodeJpegFile(Path(thumbnail), decoded));
    EXPECT_EQ(decoded.width, references[i].width);
    EXPECT_EQ(decoded.height, references[i].height);
    EXPECT_LE(decoded.height, 160);
    EXPECT_GE(decoded.height, 159);
    // About 0.5 to 0.9 from the first generation's loss; a picture shifted by one pixel
    // scores 1.5 or more, a mirrored or wrong one 20 or more.
    EXPECT_LT(MeanAbsoluteDifference(decoded, references[i]), 1.25);
  }
  PictureRef shown = ShownPicture(PicturePreview);
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->width, 200);
  EXPECT_EQ(shown->height, 150);
  EXPECT_TRUE(answers.messages.empty());
}

}  // namespace
