#pragma once
// Named ids of the UI texts (GetString, app/language.h) that code in more
// than one place needs. The English text of each stands beside it; the
// built-in table (app/string_table.cpp) holds them all.

enum StringId {
  // Colour names (kColorNameStringIds, menu/document.cpp, puts them in the
  // order of the colour table).
  kStrColorBlack = 16001,         // "Black"
  kStrColorBlue = 16002,          // "Blue"
  kStrColorGreen = 16003,         // "Green"
  kStrColorCyan = 16004,          // "Cyan"
  kStrColorRed = 16005,           // "Red"
  kStrColorMagenta = 16006,       // "Magenta"
  kStrColorBrown = 16007,         // "Brown"
  kStrColorLightGray = 16008,     // "LightGray"
  kStrColorDarkGray = 16009,      // "DarkGray"
  kStrColorLightBlue = 16010,     // "LightBlue"
  kStrColorLightGreen = 16011,    // "LightGreen"
  kStrColorLightCyan = 16012,     // "LightCyan"
  kStrColorLightRed = 16013,      // "LightRed"
  kStrColorLightMagenta = 16014,  // "LightMagenta"
  kStrColorYellow = 16015,        // "Yellow"
  kStrColorWhite = 16016,         // "White"

  // Item kinds, one per item list in list order: layout, text, menu.
  kStrLayoutKind = 17001,  // "Layout"
  kStrTextKind = 17002,    // "Text"
  kStrMenuKind = 17003,    // "Menu"

  // Captions of the forms' own message boxes.
  kStrCaptionPrompt = 17007,  // "Prompt" (information and questions)
  kStrCaptionError = 17008,   // "Error"

  // Messages about files and folders.
  kStrSystemFileNotFound = 18008,   // "System File '%s' not Found!"
  kStrSystemFileOpenError = 18009,  // "System File '%s' Open Error!"
  kStrFolderNotExist = 18019,       // "Directory '%s' not Exist!"
  kStrFileCreateError = 18020,      // "File '%s' Create Error!"
  kStrFileOpenError = 18021,        // "File '%s' Open Error!"
  kStrFileNotExist = 18022,         // "File '%s' not Exist!"
  kStrFileExistOverwrite = 18023,   // "File '%s' Exist,Overwrite?"
  kStrMemoryError = 18032,          // "Memory Allocation Error!"
  kStrNotMenuFile = 18024,          // "'%s' is not Menu File!"
  kStrNotColorTable = 18055,        // "File '%s' is not a ColorTable File!"

  // The menu document.
  kStrItemLimit = 18025,  // "Item Number Exceeds Limit"
  kStrNoHotKey = 18060,   // "No Acc.Key defined for menu item '%s'!"

  // Boot-screen pictures.
  kStrLogoOpenError = 18033,            // "Logo image open error!"
  kStrLogoFormatError = 18034,          // "Logo image format error -- not %d color bitmap!"
  kStrLogoReadError = 18035,            // "Logo image read error!"
  kStrLogoSizeError = 18036,            // "Logo image error -- not %dx%d bitmap!"
  kStrBackgroundOpenError = 18037,      // "Background image open error!"
  kStrBackgroundFormatError = 18038,    // "Background image format error -- not %d color bitmap!"
  kStrBackgroundReadError = 18039,      // "Background image read error!"
  kStrBackgroundSizeError = 18040,      // "Background image error -- not %dx%d bitmap!"
  kStrLogo16ColorSizeError = 18059,     // "Logo image error -- not a 320x200, 256 color bitmap!"
  kStrBitmapOpenError = 18065,          // "Bitmap image open error!"
  kStrBitmapFormatError = 18066,        // "Bitmap image format error -- not %d color bitmap!"
  kStrBitmapReadError = 18067,          // "Bitmap image read error!"

  // The floppy reader, the new-image maker and the replace-text tool.
  kStrFloppyDriveError = 18027,    // "Floppy drive %s error!"
  kStrFloppyReadError = 18028,     // "Floppy drive %s read error!"
  kStrFloppyImageOk = 18029,       // "Floppy Image OK!"
  kStrImageSizeTooLarge = 18041,   // "Image size excceds 46080KB!"
  kStrSeedOpenError = 18042,       // "Seed image open error!"
  kStrUnknownSeed = 18043,         // "Unknown seed image format!"
  kStrImageCreateError = 18044,    // "Image file create error!"
  kStrImageCreatedOk = 18045,      // "Image file created OK!"
  kStrFindEmpty = 18046,           // "Text to Find is NULL!"
  kStrNotIdentical = 18047,        // "Length of 'Text to Find' and 'Replace with' is not Identical!"
  kStrReplaced = 18048,            // "%d String(s) was Replaced Successfully!"

  // Their file dialogs. A filter holds its pattern after an embedded NUL.
  kStrSetOutputImgTitle = 18026,   // "Set Output IMG File"
  kStrFloppyImageFilter = 18030,   // "Floppy Image File(*.img)" + "\0*.img\0"
  kStrSeedImageFilter = 18031,     // "Floppy Image File(*.img;*.ima;*.bif)" + "\0*.img;*.ima;*.bif\0"
  kStrSelectFileToChange = 18049,  // "Select File to change"
  kStrSeedImageTitle = 18050,      // "Select Bootable Seed Image File"
  kStrOutputImageTitle = 18051,    // "Output Image File"

  // The disc-image editor.
  kStrEditorNotFound = 18069,  // "Plexidor v%d.%d or later not found! ..."

  // Boot files named by menu commands.
  kStrBootFileNotExist = 18062,    // "Boot Image File '%s' not Exist!"
  kStrBootFileCompressed = 18070,  // "Boot Image File '%s' is in compressed format!"

  // A boot image that cannot make the image bootable (the image engine);
  // no pack has a text for them.
  kStrBootImageCannotStart = 18071,  // "Boot Image '%s' cannot start the disc: it is %s bytes long, ..."
  kStrBootImageUnreadable = 18072,   // "Boot Image '%s' cannot be read. ..."

  // The main window's file commands and questions.
  kStrActionQuit = 17009,       // "Quit"
  kStrActionMakeIso = 17010,    // "Make ISO File"
  kStrActionNew = 17011,        // "New"
  kStrActionOpen = 17012,       // "Open"
  kStrOpenMenuTitle = 17013,    // "Open Menu File"
  kStrSaveMenuAsTitle = 17015,  // "Save Menu File As"
  kStrVersion = 17016,          // "Version"
  kStrMenuFileFilter = 18013,   // "Menu File(*.zqk)" + "\0*.zqk\0"
  kStrSaveChanges = 18017,      // "File Changed, Save It?"
  kStrSaveErrorGoOn = 18018,    // "File Save Error, Continue to %s?"
  kStrFat32Overflow = 18061,    // "FAT32 volume does not support image file exceeds 4GB, continue anyway?"
  kStrMenuNameTooLong = 18068,  // "Menu filename '%s' should be less than 12 chracters!"

  // The progress window's line while an image is prepared.
  kStrOptimizingWait = 1001,  // "Optimizing File System, Please Wait ..."
  kStrPreparingWait = 1002,   // "Preparing File System, Please Wait ..."

  // The Make-ISO dialog and the image engine's question.
  kStrDiscFolderMissing = 18006,  // "CD File Directory '%s' not Exist!"
  kStrBootImageMissing = 18007,   // "Boot Image '%s' Not Exist!"
  kStrOverwriteImage = 18010,     // "ISO File '%s' exist, Overwrite?"
  kStrIsoFileFilter = 18011,      // "ISO File(*.iso)" + "\0*.iso\0"
  kStrBootImageFilter = 18012,    // "Boot Image(*.bif,...)" + "\0*.bif;...\0"
  kStrSetIsoFileTitle = 18015,    // "Set Output ISO File"
  kStrBootImageTitle = 18016,     // "Boot Image File"

  // The colour-table commands' file dialogs.
  kStrColorTableFilter = 18052,     // "ColorTable File(*.ctb)" + "\0*.ctb\0"
  kStrSaveColorTableTitle = 18053,  // "Save ColorTable File"
  kStrLoadColorTableTitle = 18054,  // "Load ColorTable File"
  kStrBitmapFilter = 18056,         // "Bitmap File(*.bmp)" + "\0*.bmp\0"
  kStrOpenBitmapTitle = 18057,      // "Open Bitmap File"
};
