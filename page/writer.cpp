#include "page/writer.h"

#include <vector>

#include "ui/controls.h"
#include "ui/toolkit.h"
#include "workspace/files.h"
#include "workspace/scan.h"
#include "workspace/style.h"
#include "workspace/workspace.h"

namespace {

// Caption cells of the grid row being written. "}" marks a slot with nothing waiting. They
// keep their contents from one save to the next, so the first save of a run writes four cells
// in a short last row and later saves write only the cells the row filled.
std::string CaptionSlots[4];

std::string Page;  // the page being assembled

void Line(const std::string& text) { Page += text + "\r\n"; }

std::string MarkerIndex(int position) {
  std::string n = std::to_string(position);
  return n.size() == 1 ? "0" + n : n;
}

std::string PictureLine(int position, const std::string& name, bool grid) {
  return "<!---I" + MarkerIndex(position) + "--><A href=\"" + name + "\" TARGET=\"_blank\">" +
         "<IMG SRC=\"1" + name + (grid ? "\" HEIGHT=120" : "\" HEIGHT=150") + " BORDER=0></A>";
}

std::string CaptionLine(int position, const std::string& caption) {
  std::string text = caption;
  if (ControlState(NumberedCaptionsCheck) == 1) text = std::to_string(position) + ". " + caption;
  return "<!---T" + MarkerIndex(position) + "--><P>" + text + "</P>";
}

void WriteCaptionRow() {
  Line("<TR>");
  for (std::string& slot : CaptionSlots) {
    if (slot == "}") continue;
    Line("<TD>");
    Line(slot);
    Line("</TD>");
    slot = "}";
  }
  Line("</TR>");
  Line("<TR><TD><BR></TD></TR>");
}

void WriteGrid() {
  Line("<TABLE WIDTH=200 CELLSPACING=20 BORDER=0>");
  Line("<TR>");
  int k = 1;
  for (int i = 0, n = CountItems(PictureList); i < n; i++) {
    std::string entry = ItemText(PictureList, i);
    if (k == 1 && i > 0) Line("<TR>");
    CaptionSlots[k - 1] = CaptionLine(i + 1, EntryCaption(entry));
    Line("<TD>");
    Line(PictureLine(i + 1, EntryFileName(entry), true));
    Line("</TD>");
    if (k == 4) {
      Line("</TR>");
      WriteCaptionRow();
      k = 1;
    } else {
      k++;
    }
  }
  WriteCaptionRow();
}

void WriteRows() {
  Line("<TABLE CELLSPACING=00 CELLPADDING=20 BORDER=0>");
  for (int i = 0, n = CountItems(PictureList); i < n; i++) {
    std::string entry = ItemText(PictureList, i);
    Line("<TR>");
    Line("<TD>");
    Line(PictureLine(i + 1, EntryFileName(entry), false));
    Line("</TD>");
    Line("<TD>");
    Line(CaptionLine(i + 1, EntryCaption(entry)));
    Line("</TD>");
    Line("</TR>");
  }
}

// A file of the album that a background copy must never replace or delete.
bool IsListedPictureOrThumbnail(const std::string& name) {
  for (int i = 0, n = CountItems(PictureList); i < n; i++) {
    std::string listed = EntryFileName(ItemText(PictureList, i));
    if (SameIgnoringCase(name, listed) || SameIgnoringCase(name, ThumbnailName(listed))) return true;
  }
  return false;
}

// The earlier copy to delete, "" to keep it: only a file of the album folder, never the file
// the new copy replaces anyway, nor a listed picture or thumbnail.
std::string EarlierCopyToDelete(const std::string& keep) {
  std::string folder, name;
  SplitPath(Workspace.backgroundCopyPath, folder, name);
  if (!IsBareFileName(name) || folder != Workspace.albumFolder) return "";
  if (Workspace.backgroundCopyPath == keep || IsListedPictureOrThumbnail(name)) return "";
  return Workspace.backgroundCopyPath;
}

std::string BackgroundPictureLine(const std::string& name) {
  return "body {background-image:url('" + name + "')}";
}

std::string BackgroundColourLine(const std::string& colourText) {
  return "body {background-color:#" + SwapColourText(colourText).text + "}";
}

// What Save does to the background: decided while the page is assembled, carried out on the
// files only once the page is written.
struct BackgroundPlan {
  std::string line;
  std::string deletePath;   // the copy an earlier page named
  std::string copyName;     // the library picture to copy beside the page
  std::string clashName;    // the library picture not copied: a listed name has it
};
BackgroundPlan Background;

void PlanBackground() {
  Background = BackgroundPlan{};
  std::string field = ControlText(BackgroundColourField);
  if (field != "-") {
    Background.line = BackgroundColourLine(field);
    Background.deletePath = EarlierCopyToDelete("");
    return;
  }
  std::string name = TrimBlanks(ControlText(BackgroundList));
  if (!IsBareFileName(name)) {
    // The page read at start-up named a picture the library lacks: keep its copy if any.
    std::string folder, copy;
    SplitPath(Workspace.backgroundCopyPath, folder, copy);
    Background.line = copy.empty() ? BackgroundColourLine("000000") : BackgroundPictureLine(copy);
    return;
  }
  Background.line = BackgroundPictureLine(name);
  Background.deletePath = EarlierCopyToDelete(Workspace.albumFolder + name);
  if (IsListedPictureOrThumbnail(name)) Background.clashName = name;
  else Background.copyName = name;
}

void CarryOutBackground() {
  if (!Background.deletePath.empty()) DeleteFile(Background.deletePath);
  if (!Background.clashName.empty())
    ShowMessage("The background picture " + Background.clashName +
                " has the name of a picture or thumbnail of this album, so it was not copied.");
  if (!Background.copyName.empty())
    CopyFileWhole(Workspace.libraryFolder + Background.copyName,
                  Workspace.albumFolder + Background.copyName);
}

std::string PageBaseName() {
  std::string field = ControlText(PageNameField);
  return field.substr(0, field.find('.'));
}

void AssemblePage() {
  Page.clear();
  Line("<HTML>");
  Page += "<HEAD>";
  Line("<META NAME=\"ROBOTS\" CONTENT=\"NOINDEX, NOFOLLOW\">");
  bool grid = ControlState(HorizontalOption) == 1;
  bool credit = ControlState(CreditLineCheck) == 1;
  Line(std::string("<!--A-") + (grid ? "H" : "V") + (credit ? "Y" : "N") +
       (ControlState(NumberedCaptionsCheck) == 1 ? "Y" : "N") + "-->");
  Line("<TITLE>" + TrimBlanks(ControlText(PageTitleField)) + "</TITLE>");
  Line("<STYLE type=\"text/css\">");
  Line(StyleLineText("H1", ControlText(HeadingFontButton), ControlText(HeadingColourField)));
  Line(StyleLineText("H2", ControlText(TextFontButton), ControlText(TextColourField)));
  Line(StyleLineText("P ", ControlText(CaptionFontButton), ControlText(CaptionColourField)));
  Line("H3 {font-family: Arial, sans-serif; font-size: 9; color: #" +
       SwapColourText(ControlText(CaptionColourField)).text + "}");
  PlanBackground();
  Line(Background.line);
  Line("</STYLE>");
  Line("</HEAD>");
  Line("<!--D--><H1>" + TrimBlanks(ControlText(PageHeadingField)) + "</H1>");
  Line("<!--E--><H2>" + EditorToPageText(TrimBlanks(ControlText(PageTextEditor))));
  Line("<BR><BR>");
  Line("Click on an image for a larger view.</H2>");
  Line("<BR><BR>");
  if (grid) WriteGrid();
  else WriteRows();
  Line("</TABLE>");
  Line("<!--Album page set with Quorel from Marvane Services.-->");
  Line("<BR>");
  if (credit) Line("<H3>This page was set using Quorel softare from Marvane Services</H3>");
  Line("</BODY>");
  Line("</HTML>");
}

}  // namespace

std::string StyleLineText(const std::string& tag, const std::string& fontSpec,
                          const std::string& colourText) {
  PageFont f = ReadPageFontSpec(fontSpec);
  return tag + " {font-family: " + f.family + "; font-size: " + f.size + "pt; color: #" +
         SwapColourText(colourText).text + ";" + (f.italic ? " font-style: italic;" : "") +
         (f.bold ? " font-weight: bold;" : "") + "}";
}

void ResetCaptionSlots() {
  for (std::string& slot : CaptionSlots) slot.clear();
}

void WriteAlbumPage() {
  std::vector<std::string> thumbnails;
  ListFolder(Workspace.albumFolder, "1*.jpg", thumbnails);
  if (thumbnails.empty()) {
    ShowMessage("Cannot construct page - no thumbnails!");
    return;
  }
  std::string path = Workspace.albumFolder + PageBaseName() + ".html";
  AssemblePage();
  bool written = WriteFileWhole(path, [](FILE* f) {
    return fwrite(Page.data(), 1, Page.size(), f) == Page.size();
  });
  if (!written) {
    ShowMessage("Your web album page could not be written at " + path);
    return;
  }
  CarryOutBackground();
  ShowMessage("All done!\r\n\r\nYour web album page is at " + path);
}
