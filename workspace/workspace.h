// workspace/workspace.h - the album workspace record, picture entries and text helpers.
//
// Operations:
//   ResetWorkspace()               a fresh, empty record
//   EntryFileName(entry)           columns 1 to 20, blanks trimmed
//   EntryCaption(entry)            what follows column 20, blanks trimmed
//   MakePictureEntry(name, cap)    name cut or padded to 20 columns, then the caption
//   TrimBlanks(text)               removes blanks (character 32 only) at both ends
//   FitText(text, width)           pads with blanks on the right or cuts to width
//   UpperCase(text)                ASCII letters to upper case
//   SameIgnoringCase(a, b)         equal but for the case of ASCII letters
#pragma once
#include <string>

struct AlbumWorkspace {
  std::string albumFolder;          // ends with its separator
  std::string startingFileName;
  std::string startingExtension;
  std::string libraryFolder = "./Quorel/";
  int selectionIndex = -1;
  int rememberedIndex = -1;         // -1: nothing shown yet
  std::string shownFileName;        // file name of the entry at the remembered index
  std::string pendingAction;        // letter naming what OK of the open secondary window applies
  std::string backgroundCopyPath;
};

extern AlbumWorkspace Workspace;

constexpr int EntryNameWidth = 20;

void ResetWorkspace();
std::string EntryFileName(const std::string& entry);
std::string EntryCaption(const std::string& entry);
std::string MakePictureEntry(const std::string& name, const std::string& caption);
std::string TrimBlanks(const std::string& text);
std::string FitText(const std::string& text, size_t width);
std::string UpperCase(std::string text);
bool SameIgnoringCase(const std::string& a, const std::string& b);
