// The saved album opened from disk in a real browser: every thumbnail decodes, every link
// leads to a full picture beside the page, and the background copy is found.
#include <unistd.h>

#include <cstdlib>
#include <set>
#include <sstream>

#include "tests/support/album.h"
#include "tests/support/fixtures.h"
#include "tests/support/window.h"
#include "ui/controls.h"
#include "ui/toolkit.h"
#include "workspace/scan.h"
#include "workspace/workspace.h"

namespace {

std::string FindChromium() {
  for (const char* name : {"/usr/bin/chromium", "/usr/bin/chromium-browser"})
    if (access(name, X_OK) == 0) return name;
  return "";
}

// Appended to a copy of the page: writes what the browser made of the page into the DOM.
const char kCheckScript[] = R"js(<script>
window.addEventListener('load', function () {
  var lines = [];
  var images = document.images;
  for (var i = 0; i < images.length; i++)
    lines.push('IMG ' + images[i].getAttribute('src') + ' ' +
               (images[i].complete && images[i].naturalWidth > 0 ? 'ok' : 'bad'));
  var probes = [];
  for (var j = 0; j < document.links.length; j++)
    probes.push(['LINK ' + document.links[j].getAttribute('href'), document.links[j].href]);
  var background = /url\("?(.*?)"?\)/.exec(getComputedStyle(document.body).backgroundImage);
  probes.push(['BACKGROUND', background ? background[1] : '']);
  var left = probes.length;
  function finished() {
    if (--left > 0) return;
    var pre = document.createElement('pre');
    pre.id = 'check';
    pre.textContent = lines.join('\n');
    document.body.appendChild(pre);
  }
  probes.forEach(function (p) {
    var probe = new Image();
    probe.onload = function () { lines.push(p[0] + (probe.naturalWidth > 0 ? ' ok' : ' bad')); finished(); };
    probe.onerror = function () { lines.push(p[0] + ' bad'); finished(); };
    probe.src = p[1];
  });
});
</script>
)js";

class PageBrowserTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    chromium = FindChromium();
    if (chromium.empty()) GTEST_SKIP() << "chromium is not installed (tools/install-deps.sh installs it)";
    UseAlbumFolder(album.path());
    MakeFolder(album / "library");
    ASSERT_TRUE(MakeJpeg(album / "library/sky.jpg", 64, 64, 220));
    Workspace.libraryFolder = album / "library/";
    ListBackgroundLibrary();
    int shade = 40;
    for (const std::string& name : pictures) {
      // Process writes JPEG data whatever the name says; browsers go by the content.
      ASSERT_TRUE(MakeJpeg(album / name, 640, 480, static_cast<unsigned char>(shade)));
      ASSERT_TRUE(MakeJpeg(album / ("1" + name), 213, 160, static_cast<unsigned char>(shade)));
      AddItem(PictureList, -1, FitText(name, 30));
      shade += 30;
    }
    SetControlText(BackgroundList, "sky.jpg");
    ClickItem(BackgroundList, ControlState(BackgroundList));
    ASSERT_TRUE(Pump());
  }

  // The browser's findings on the saved page, one line each.
  std::vector<std::string> OpenInBrowser(const std::string& page) {
    WriteBytes(album / "check.html", ReadBytes(album / page) + kCheckScript);
    TempFolder profile;
    std::string out = profile / "dom.txt";
    std::string command = "timeout 120 '" + chromium +
                          "' --headless --no-sandbox --disable-gpu --no-first-run"
                          " --disable-background-networking --disable-component-update --disable-sync"
                          " --user-data-dir='" + profile.path() + "user'"
                          " --virtual-time-budget=5000 --dump-dom 'file://" + album.path() +
                          "check.html' >'" + out + "' 2>'" + profile.path() + "errors.txt'";
    int status = std::system(command.c_str());
    std::string dom = ReadBytes(out);
    size_t from = dom.find("<pre id=\"check\">");
    size_t to = dom.find("</pre>", from);
    if (status != 0 || from == std::string::npos || to == std::string::npos) {
      ADD_FAILURE() << "no findings from the browser (status " << status << ")\n"
                    << dom.substr(0, 2000) << ReadBytes(profile / "errors.txt").substr(0, 2000);
      return {};
    }
    std::vector<std::string> lines;
    std::istringstream in(dom.substr(from + 16, to - from - 16));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  void ExpectEveryPictureShownAndLinked(const std::string& page) {
    Click(SaveButton);
    ASSERT_TRUE(Pump());
    ASSERT_TRUE(FileExists(album / page));
    std::vector<std::string> found = OpenInBrowser(page);
    std::set<std::string> expected{"BACKGROUND ok"};
    for (const std::string& name : pictures) {
      expected.insert("IMG 1" + name + " ok");
      expected.insert("LINK " + name + " ok");
    }
    EXPECT_EQ(std::set<std::string>(found.begin(), found.end()), expected);
    EXPECT_EQ(found.size(), expected.size());
    // The links lead to the full pictures themselves, not to their thumbnails.
    for (const std::string& line : found) {
      if (line.rfind("LINK ", 0) != 0) continue;
      std::string href = line.substr(5, line.rfind(' ') - 5);
      EXPECT_TRUE(FileExists(album / href)) << href;
      EXPECT_NE(href[0], '1') << href;
    }
  }

  std::string chromium;
  TempFolder album;
  const std::vector<std::string> pictures{"harbour.jpg", "Tower.JPG", "dusk.png", "meadow.bmp",
                                          "my boat.jpg"};
};

TEST_F(PageBrowserTest, TheGridShowsEveryThumbnailLinkedToItsPicture) {
  SetControlText(PageNameField, "album.html");
  ExpectEveryPictureShownAndLinked("album.html");
}

TEST_F(PageBrowserTest, OnePicturePerRowShowsEveryThumbnailLinkedToItsPicture) {
  Click(VerticalOption);
  SetControlText(PageNameField, "rows.html");
  ExpectEveryPictureShownAndLinked("rows.html");
}

}  // namespace
