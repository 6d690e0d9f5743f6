// ui/controls.h - control numbers of the main window and of the secondary windows.
// Secondary windows share numbers: only one of them is open at a time.
#pragma once

enum Window { MainWindow = 0, SecondaryWindow = 1 };

enum Control {
  SaveButton = 0, AbandonButton = 1, SetOrderButton = 2, ProcessButton = 3,
  OkButton = 4, PasteButton = 5, CutButton = 6,
  HeadingFontButton = 7, TextFontButton = 8, CaptionFontButton = 9,
  ThumbnailsCheck = 10, RenameCheck = 11, CreditLineCheck = 12, NumberedCaptionsCheck = 13,
  CaptionEditor = 15,
  HeadingFrame = 16, TextFrame = 17, FormatFrame = 18, BackgroundFrame = 19,
  ProcessFrame = 20, CaptionsFrame = 21,
  BackgroundPreview = 22, PicturePreview = 23, CutPreview = 24, SelectedPreview = 25,
  PictureList = 26, BackgroundList = 27, OrderList = 28,
  NoAdjustOption = 29, Reduce480Option = 30, Reduce600Option = 31, Reduce768Option = 32,
  HorizontalOption = 33, VerticalOption = 34, SansSerifOption = 35, SerifOption = 36,
  PageNameField = 37, BackgroundColourField = 38, PageTitleField = 39, PageHeadingField = 40,
  PageTextEditor = 41, RenamePrefixField = 42,
  HeadingColourField = 43, TextColourField = 44, CaptionColourField = 45,
  RedBar = 47, GreenBar = 48, BlueBar = 49,
  FolderLabel = 50, WebPageLabel = 51, FrameTitleLabel = 52, PageHeadingLabel = 53,
  AlbumFolderLabel = 54,
  RedValue = 57, GreenValue = 58, BlueValue = 59,
  SecondaryLabel1 = 60, SecondaryLabel2 = 61, SecondaryLabel3 = 62, ColourSample = 63,
};

// Fonts loaded at start-up: 1 fixed pitch, 2 proportional; 0 is the system's interface font.
enum Font { SystemFont = 0, FixedFont = 1, ProportionalFont = 2 };
