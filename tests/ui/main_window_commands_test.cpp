// The main window's small commands: popup menus at the cursor, the tool and
// configuration dialogs, help and links through the shell seam, the
// switches, the edge-width arrows, the main-password button and the
// colour-table file commands.
#include <functional>
#include <string>
#include <vector>

#include "menu/color_table_file.h"
#include "menu/korvel_template.h"
#include "menu/menu_file_layout.h"
#include "platform/cursor.h"
#include "platform/shell_launch.h"
#include "tests/menu/bitmap_test_pictures.h"
#include "ui/frm_config.h"
#include "ui/frm_floppy.h"
#include "ui/frm_new_image.h"
#include "ui/frm_preview.h"
#include "ui/frm_replace.h"
#include "main_window_fixture.h"

namespace {

using namespace form_driver;

// What the shell was asked to open.
std::vector<std::string> g_opened;
bool RecordOpen(const ShellStartRequest& request) {
  EXPECT_EQ(kShellOpen, request.kind);
  EXPECT_EQ(nullptr, request.verb);
  g_opened.push_back(request.file);
  return true;
}

// A cursor that stands still where the test puts it.
ScreenPoint g_cursor = {200, 150};
const CursorBackend kStillCursor = {[] { return g_cursor; }, [](ScreenPoint) {}};

// Runs once from the message loop of whatever modal loop is running then
// (a popup menu's, a dialog's).
std::function<void()> g_whileModal;
void CALLBACK RunWhileModal(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  std::function<void()> step = g_whileModal;
  g_whileModal = nullptr;
  if (step) step();
}
void WhenModal(std::function<void()> step) {
  g_whileModal = step;
  SetTimer(nullptr, 0, 20, RunWhileModal);
}

class MainWindowCommandsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    cursorBefore_ = SetCursorBackend(&kStillCursor);
    shellBefore_ = SetShellStartHandler(RecordOpen);
    g_opened.clear();
  }
  void TearDown() override {
    SetShellStartHandler(shellBefore_);
    SetCursorBackend(cursorBefore_);
    MainWindowTest::TearDown();
  }
  // A menu item chosen, as the popup menu reports it.
  void Choose(int item) { SendMessageA(*frmTb, WM_COMMAND, MAKEWPARAM(kFirstRowId + item, 0), 0); }
  void ClickLabel(int id) {
    SendMessageA(At(id), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(At(id), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  }
  void ClickArrow(bool up) {
    RECT r;
    GetClientRect(At(T::upEdgeL), &r);
    const LPARAM at = MAKELPARAM(r.right / 2, up ? 2 : r.bottom - 3);
    SendMessageA(At(T::upEdgeL), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(At(T::upEdgeL), WM_LBUTTONUP, 0, at);
  }
  // Saves the menu as a main menu, which writes loader.bin and kvldr.
  void SaveMainMenu() {
    WithoutPictures();
    CopyText(TheDocument.MenuFileName, kPathSize, "boot.zqk");
    Click(T::btnSave);
    ASSERT_EQ(0, TheDocument.DocumentModified);
  }
  std::string ComboText(int combo, int row) { return ComboBox(At(combo)).ItemText(row); }

 private:
  const CursorBackend* cursorBefore_ = nullptr;
  ShellStartHandler shellBefore_ = nullptr;
};

TEST_F(MainWindowCommandsTest, TheFilePageButtonsOpenTheirMenusAtTheCursor) {
  Show();
  const int buttons[] = {T::btnTools, T::btnHelp, T::btnOptions, T::btnBurn};
  const int menus[] = {T::pmTools, T::pmHelp, T::pmOptions, T::pmBurn};
  for (int i = 0; i < 4; ++i) {
    HMENU shown = nullptr;
    RECT place = {};
    WhenModal([&] {
      HWND popup = FindWindowA("#32768", nullptr);
      if (popup && IsWindowVisible(popup)) {
        shown = (HMENU)SendMessageA(popup, MN_GETHMENU, 0, 0);
        GetWindowRect(popup, &place);
      }
      EndMenu();
    });
    Click(buttons[i]);
    EXPECT_EQ((HMENU)frmTb->PopupMenuAt(menus[i]), shown) << i;
    EXPECT_EQ(g_cursor.x, place.left) << i;
    EXPECT_EQ(g_cursor.y, place.top) << i;
  }
}

TEST_F(MainWindowCommandsTest, ToolItemsRunTheirDialogsModallyAndOnlyConfigOkMarksTheDocument) {
  Show();
  struct Tool {
    int item;
    Form* dialog;
    int cancel;
  };
  const Tool tools[] = {{T::pmFloppyImage, frmFloppy, TfrmFloppy::btnCancel},
                        {T::pmNewImage, frmNewImage, TfrmNewImage::btnCancel},
                        {T::pmReplaceText, frmReplace, TfrmReplace::btnCancel}};
  for (const Tool& tool : tools) {
    bool modal = false;
    WhenModal([&] {
      modal = tool.dialog->Visible() && !IsWindowEnabled(*frmTb);
      PostMessageA(tool.dialog->ControlAt(tool.cancel), BM_CLICK, 0, 0);
    });
    Choose(tool.item);
    EXPECT_TRUE(modal) << tool.dialog->Name();
    EXPECT_FALSE(tool.dialog->Visible());
  }
  EXPECT_EQ(0, TheDocument.DocumentModified);

  const int repaints = preview.Count("RepaintPreview");
  WhenModal([] { PostMessageA(frmConfig->ControlAt(TfrmConfig::btnCancel), BM_CLICK, 0, 0); });
  Choose(T::pmConfig);
  EXPECT_EQ(0, TheDocument.DocumentModified);
  EXPECT_EQ(repaints, preview.Count("RepaintPreview"));
  WhenModal([] { PostMessageA(frmConfig->ControlAt(TfrmConfig::btnOK), BM_CLICK, 0, 0); });
  Choose(T::pmConfig);
  EXPECT_EQ(1, TheDocument.DocumentModified);
  EXPECT_EQ(repaints + 1, preview.Count("RepaintPreview"));
}

// A 24-bit background is refused in 256 colours; once the configuration
// dialog sets 16M colours, the preview shows it.
TEST_F(MainWindowCommandsTest, ABackgroundRefusedInOneColourModeShowsOnceTheModeTakesIt) {
  UseRealPreview();
  Show();
  TestPicture picture = MakePatternPicture(640, 480, 24);
  ASSERT_TRUE(WritePicture(JoinPaths(menuDir_, "BACK.BMP"), picture));
  Enter(T::txtBackImg, "BACK.BMP");
  ASSERT_EQ(1, boxes.Count());
  EXPECT_EQ("Background image format error -- not 256 color bitmap!", boxes.Boxes()[0].text);
  WhenModal([] {
    form_driver::Click(*frmConfig, TfrmConfig::rbtnTrue);
    PostMessageA(frmConfig->ControlAt(TfrmConfig::btnOK), BM_CLICK, 0, 0);
  });
  Choose(T::pmConfig);
  EXPECT_EQ(1, boxes.Count());
  const uint32_t rgb = picture.at(200, 100);
  HDC dc = GetDC(*frmPreview);
  EXPECT_EQ(RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF), GetPixel(dc, 200, 100));
  ReleaseDC(*frmPreview, dc);
}

TEST_F(MainWindowCommandsTest, HelpLinksAndBurnItemsOpenThroughTheShellAndAStoredHomePageMustBeAWebAddress) {
  Show();
  Choose(T::pmContents);
  Choose(T::pmHomePage);
  ClickLabel(T::lbAboutWeb);
  Choose(T::pmSupportForum);
  ClickLabel(T::lbAboutContact);
  const std::string home = TheProcessSettings.homePageLink;
  EXPECT_EQ(0u, home.find("http://"));
  EXPECT_EQ((std::vector<std::string>{JoinPaths(home_, "Tarnwick.chm"), home, home,
                                      "http://www.tarnwick.com/forum/", "mailto:support@tarnwick.com"}),
            g_opened);

  // A value of the settings key that names a program or a path is not run.
  const char* before = TheProcessSettings.homePageLink;
  g_opened.clear();
  for (const char* stored : {"C:\\Windows\\notepad.exe", "file:///C:/boot.ini", "calc"}) {
    TheProcessSettings.homePageLink = stored;
    Choose(T::pmHomePage);
    ClickLabel(T::lbAboutWeb);
  }
  TheProcessSettings.homePageLink = before;
  EXPECT_TRUE(g_opened.empty());

  // The Burn menu hands the image to Plexidor, which this prefix lacks: the
  // main window's question offers its download page.
  Choose(T::pmBurnCD);
  boxes.Queue(kIdYes);
  Choose(T::pmWriteUSB);
  ASSERT_EQ(2, boxes.Count());
  EXPECT_EQ(0u, boxes.Boxes()[0].text.find("Plexidor v8.6 or later not found!"));
  EXPECT_EQ(0u, boxes.Boxes()[1].text.find("Plexidor v9.5 or later not found!"));
  EXPECT_EQ((void*)frmTb->Handle(), boxes.Boxes()[1].owner);
  EXPECT_EQ(1u, g_opened.size());
}

TEST_F(MainWindowCommandsTest, SwitchesChangeTheDocumentAndThePreview) {
  Show();
  MenuDocument& doc = TheDocument;
  ASSERT_EQ(1, doc.LogoOn);
  const int repaints = preview.Count("RepaintPreview");
  Click(T::chkLogoImg);  // off: marked, the fields grey, no repaint
  EXPECT_EQ(0, doc.LogoOn);
  EXPECT_EQ(1, doc.DocumentModified);
  EXPECT_FALSE(At(T::txtLogoImg).Enabled());
  EXPECT_EQ(repaints, preview.Count("RepaintPreview"));
  doc.DocumentModified = 0;
  CheckBox(At(T::chkLogoImg)).SetChecked(true);
  Click(T::chkLogoImg);  // unticked again while LogoOn is already 0
  EXPECT_EQ(0, doc.DocumentModified);

  Click(T::chkBackImg);
  Click(T::chkBackImg);
  EXPECT_EQ(1, doc.BackImageOn);
  EXPECT_EQ(1, doc.DocumentModified);
  EXPECT_EQ(repaints + 2, preview.Count("RepaintPreview"));
  Click(T::chkDispCount);
  Click(T::chkShowProg);
  EXPECT_EQ(0, doc.ShowCounter);
  EXPECT_EQ(1, doc.ShowProgress);
  EXPECT_EQ(repaints + 4, preview.Count("RepaintPreview"));

  // The "use image text" switch needs a menu item.
  doc.DocumentModified = 0;
  SelectPage(kPageMenu);
  Click(T::chkHotSpot);
  EXPECT_EQ(0, doc.DocumentModified);
  CheckBox(At(T::chkHotSpot)).SetChecked(false);
  Click(T::btnAppendM);
  doc.DocumentModified = 0;
  Click(T::chkHotSpot);
  EXPECT_EQ(1, doc.menuStrings[1].useImageText);
  EXPECT_EQ(1, doc.DocumentModified);
}

TEST_F(MainWindowCommandsTest, TypedLogoNameAndTimeCountOnlyWhenTheyDifferFromTheFile) {
  Show();
  frmTb->SetFieldText(ViewField::txtLogoImg, "LOGO.BMP");
  frmTb->SetFieldText(ViewField::txtLogoTime, "5");
  SaveMainMenu();
  EXPECT_STREQ("LOGO.BMP", TheDocument.FileLogoName);
  // Texts put in whole, as a paste does.
  At(T::txtLogoImg).SetText("logo.bmp");
  At(T::txtLogoTime).SetText("05");
  EXPECT_EQ(0, TheDocument.DocumentModified);
  At(T::txtLogoTime).SetText("6");
  EXPECT_EQ(1, TheDocument.DocumentModified);
  TheDocument.DocumentModified = 0;
  At(T::txtLogoTime).SetText("5");
  At(T::txtLogoImg).SetText("other.bmp");
  EXPECT_EQ(1, TheDocument.DocumentModified);
}

TEST_F(MainWindowCommandsTest, AStoredPictureNameOutsideTheMenuFolderRefusesTheFileAndRewritesNothing) {
  Show();
  UseRealPreview();
  SaveMainMenu();
  const std::vector<uint8_t> saved = ReadBytes(JoinPaths(menuDir_, "boot.zqk"));
  ASSERT_GT(saved.size(), (size_t)kScreenBlock + kScreenBlockSize);
  // An 8-bit picture in the disc folder that a 256-colour menu would
  // convert in place when it is its background.
  const std::string outside = JoinPaths(JoinPaths(home_, "disk1"), "OUT.BMP");
  const std::vector<uint8_t> picture = EncodeBitmap(MakePatternPicture(640, 480, 8));
  ASSERT_TRUE(WriteBytes(outside, picture));
  // Received menus whose stored background or logo name leaves the menu
  // folder: through the parent, a drive, a separator.
  struct Case {
    uint32_t field;
    const char* name;
  };
  const Case cases[] = {{kScreenBlock + kBackImageNameField, "..\\OUT.BMP"},
                        {kScreenBlock + kBackImageNameField, ".."},
                        {kScreenBlock + kBackImageNameField, "C:OUT.BMP"},
                        {kLogoBlock + kLogoFileName, "../OUT.BMP"}};
  for (const Case& c : cases) {
    std::vector<uint8_t> file = saved;
    file[kSettingsBlock + 5] = kResolution640x480 | kColors256;
    file[kScreenBlock + kBackImageOnByte] = 1;
    file[kLogoBlock + kLogoOnByte] = 1;
    memset(&file[c.field], 0, kShortFileNameSize);
    memcpy(&file[c.field], c.name, strlen(c.name));
    const std::string received = JoinPaths(menuDir_, "received.zqk");
    ASSERT_TRUE(WriteBytes(received, file));
    const int shown = boxes.Count();
    dialogs.Queue(received.c_str());
    Click(T::btnOpen);
    EXPECT_EQ(shown + 1, boxes.Count()) << c.name;
    if (boxes.Count() > shown) {
      EXPECT_EQ("File '" + received + "' Open Error!", boxes.Boxes()[shown].text) << c.name;
    }
    EXPECT_EQ(picture, ReadBytes(outside)) << c.name;
    EXPECT_STREQ("boot.zqk", TheDocument.MenuFileName);
    EXPECT_STREQ("", TheDocument.BackImageName);
    EXPECT_EQ(0, TheDocument.BackImageOn);
  }
}

// A picture name that a menu file could not store is refused however it
// enters a picture field (typed, pasted, set whole), when the field is
// left, with the reason; the field shows its former name again. A name set
// into a field that is never left is refused by the writer, which keeps
// the last menu file as it was.
TEST_F(MainWindowCommandsTest, APictureNameTheReaderWouldRefuseIsRefusedHoweverItComesIn) {
  Show();
  Enter(T::txtBackImg, "BACK.BMP");
  Enter(T::txtLogoImg, "LOGO.BMP");
  Enter(T::txtBackImg, "..");  // the keys let dots through
  Focus(*frmTb, T::txtLogoImg);
  ASSERT_TRUE(OpenClipboard(*frmTb));
  EmptyClipboard();
  HGLOBAL clip = GlobalAlloc(GMEM_MOVEABLE, 16);
  strcpy((char*)GlobalLock(clip), "C:OUT.BMP");
  GlobalUnlock(clip);
  SetClipboardData(CF_TEXT, clip);
  CloseClipboard();
  SendMessageA(At(T::txtLogoImg), EM_SETSEL, 0, -1);
  PressKey('V', kShiftCtrl);
  ASSERT_EQ("C:OUT.BMP", Text(T::txtLogoImg));
  LeaveField(*frmTb);
  At(T::txtBackImg).SetText("..\\OUT.BMP");
  Focus(*frmTb, T::txtBackImg);
  LeaveField(*frmTb);
  ASSERT_EQ(3, boxes.Count());
  EXPECT_EQ("The picture name '..' cannot be used: it is made of dots and blanks alone, which names a "
            "folder. A logo or background picture is a file of the menu folder, named without a folder "
            "or drive. The field shows 'BACK.BMP' again.",
            boxes.Boxes()[0].text);
  EXPECT_EQ("Error", boxes.Boxes()[0].caption);
  EXPECT_NE(std::string::npos, boxes.Boxes()[1].text.find("'C:OUT.BMP' cannot be used: it holds a colon"));
  EXPECT_NE(std::string::npos, boxes.Boxes()[2].text.find("'..\\OUT.BMP' cannot be used: it holds a folder separator"));
  EXPECT_EQ("BACK.BMP", Text(T::txtBackImg));
  EXPECT_STREQ("BACK.BMP", TheDocument.BackImageName);
  EXPECT_EQ("LOGO.BMP", Text(T::txtLogoImg));

  SaveMainMenu();
  const std::string path = JoinPaths(menuDir_, "boot.zqk");
  const std::vector<uint8_t> saved = ReadBytes(path);
  At(T::txtLogoImg).SetText("..\\OUT.BMP");
  Click(T::btnSave);
  ASSERT_EQ(4, boxes.Count());
  EXPECT_EQ("The logo picture name '..\\OUT.BMP' cannot be stored: it holds a folder separator (\\ or /). "
            "A menu file holding it could not be opened again, so '" + path + "' was not written.",
            boxes.Boxes()[3].text);
  EXPECT_EQ(saved, ReadBytes(path));
  dialogs.Queue(path.c_str());
  Click(T::btnOpen);
  EXPECT_EQ(4, boxes.Count());
  EXPECT_EQ("LOGO.BMP", Text(T::txtLogoImg));
  // The background field is read at Save as the logo field is: a name set
  // into it and never left is refused, or saved as it is shown.
  At(T::txtBackImg).SetText("C:OUT.BMP");
  Click(T::btnSave);
  ASSERT_EQ(5, boxes.Count());
  EXPECT_NE(std::string::npos, boxes.Boxes()[4].text.find("The background picture name 'C:OUT.BMP' cannot be stored"));
  EXPECT_EQ(saved, ReadBytes(path));
  At(T::txtBackImg).SetText("NEW.BMP");
  Click(T::btnSave);
  const std::vector<uint8_t> named = ReadBytes(path);
  ASSERT_GT(named.size(), (size_t)kScreenBlock + kScreenBlockSize);
  EXPECT_STREQ("NEW.BMP", (const char*)&named[kScreenBlock + kBackImageNameField]);
  EXPECT_STREQ("NEW.BMP", TheDocument.BackImageName);
}

TEST_F(MainWindowCommandsTest, TheEdgeArrowsStepByOneWithin0To15) {
  Show();
  SelectPage(kPageLayout);
  Click(T::btnAppendL);
  const LayoutItem& box = TheDocument.layoutItems[1];
  const int start = box.edgeWidth;
  ClickArrow(true);
  EXPECT_EQ(start + 1, box.edgeWidth);
  EXPECT_EQ(std::to_string(start + 1), Text(T::txtEdgeL));
  for (int i = 0; i < 20; ++i) ClickArrow(true);
  EXPECT_EQ(15, box.edgeWidth);
  EXPECT_EQ("15", Text(T::txtEdgeL));
  EXPECT_EQ(15, UpDown(At(T::upEdgeL)).Position());
  for (int i = 0; i < 20; ++i) ClickArrow(false);
  EXPECT_EQ(0, box.edgeWidth);
  EXPECT_EQ("0", Text(T::txtEdgeL));
}

TEST_F(MainWindowCommandsTest, ThePasswordButtonPatchesBothBootFilesAndReportsAMissingOne) {
  Show();
  SaveMainMenu();
  Enter(T::txtPassword, " Ab1 ");
  Click(T::btnPassword);
  EXPECT_EQ(0, boxes.Count());
  const std::vector<uint8_t> loader = ReadBytes(JoinPaths(menuDir_, "loader.bin"));
  const std::vector<uint8_t> kvldr = ReadBytes(JoinPaths(menuDir_, "kvldr"));
  ASSERT_EQ(2048u, loader.size());
  ASSERT_EQ(8192u, kvldr.size());
  const uint8_t expected[10] = {3, 0, 'A' ^ 0xFF, 'b' ^ 0xFF, '1' ^ 0xFF, 0, 0, 0, 0, 0};
  EXPECT_EQ(0, memcmp(expected, &loader[kBootPasswordField], 10));
  const size_t field = kvldr[kSecondHeaderOffset + 4] | kvldr[kSecondHeaderOffset + 5] << 8;
  ASSERT_LE(field + 10, kvldr.size());
  EXPECT_EQ(0, memcmp(expected, &kvldr[field], 10));

  ASSERT_TRUE(DeleteFileAt(JoinPaths(menuDir_, "kvldr").c_str()));
  Click(T::btnPassword);
  ASSERT_EQ(1, boxes.Count());
  EXPECT_EQ("File '" + JoinPaths(menuDir_, "kvldr") + "' not Exist!", boxes.Boxes()[0].text);
  EXPECT_EQ("Error", boxes.Boxes()[0].caption);
}

// The main password is kept only in the boot files. Opening a main menu
// takes it back from its folder's loader.bin, so that the next save keeps
// it; New empties it; an emptied field saved removes it; a loader.bin with
// a broken length field, or one that ends inside the field, gives an
// empty field.
TEST_F(MainWindowCommandsTest, AnOpenedMainMenuKeepsItsPasswordAndNewEmptiesIt) {
  Show();
  SaveMainMenu();
  const std::string loaderBin = JoinPaths(menuDir_, "loader.bin");
  Enter(T::txtPassword, "Ab1");
  Click(T::btnSave);
  Click(T::btnNew);
  EXPECT_EQ("", Text(T::txtPassword));
  dialogs.Queue(JoinPaths(menuDir_, "boot.zqk").c_str());
  Click(T::btnOpen);
  EXPECT_EQ("Ab1", Text(T::txtPassword));
  Click(T::btnSave);
  const uint8_t kept[10] = {3, 0, 'A' ^ 0xFF, 'b' ^ 0xFF, '1' ^ 0xFF, 0, 0, 0, 0, 0};
  std::vector<uint8_t> loader = ReadBytes(loaderBin);
  ASSERT_EQ(2048u, loader.size());
  EXPECT_EQ(0, memcmp(kept, &loader[kBootPasswordField], 10));

  Enter(T::txtPassword, "");
  Click(T::btnSave);
  loader = ReadBytes(loaderBin);
  ASSERT_EQ(2048u, loader.size());
  EXPECT_EQ(0, memcmp(std::vector<uint8_t>(10, 0).data(), &loader[kBootPasswordField], 10));

  loader[kBootPasswordField] = 9;  // more than the 8 characters a password has
  ASSERT_TRUE(WriteBytes(loaderBin, loader));
  Enter(T::txtPassword, "old");
  dialogs.Queue(JoinPaths(menuDir_, "boot.zqk").c_str());
  Click(T::btnOpen);
  EXPECT_EQ("", Text(T::txtPassword));
  // A file that ends inside the field holds no password either.
  loader[kBootPasswordField] = 3;
  loader.resize(kBootPasswordField + 6);
  ASSERT_TRUE(WriteBytes(loaderBin, loader));
  Enter(T::txtPassword, "old");
  dialogs.Queue(JoinPaths(menuDir_, "boot.zqk").c_str());
  Click(T::btnOpen);
  EXPECT_EQ("", Text(T::txtPassword));
  EXPECT_EQ(0, boxes.Count());
}

TEST_F(MainWindowCommandsTest, ColorTablesSaveLoadAndComeFromABitmapIntoTheCombos) {
  Show();
  MenuDocument& doc = TheDocument;
  const std::string table = JoinPaths(menuDir_, "sea.ctb");
  DeleteFileAt(table.c_str());  // the folder of an earlier run may be found again
  dialogs.Queue("");  // cancelled: nothing written
  Choose(T::pmSaveColors);
  EXPECT_FALSE(FileExists(table.c_str()));
  CopyText(doc.CurrentColorTable[4].name, kColorNameSize, "Sea");
  doc.CurrentColorTable[4].color = 0x804020;
  dialogs.Queue(table.c_str());
  Choose(T::pmSaveColors);
  ASSERT_EQ(2, dialogs.Count());
  EXPECT_TRUE(dialogs.Dialogs()[1].save);
  EXPECT_EQ("Save ColorTable File", dialogs.Dialogs()[1].title);
  EXPECT_EQ("ctb", dialogs.Dialogs()[1].defaultExt);
  EXPECT_EQ(menuDir_, dialogs.Dialogs()[1].initialDir);
  EXPECT_EQ(kColorTableFileSize, ReadBytes(table).size());
  EXPECT_EQ(0, doc.DocumentModified);

  // Loaded back over another table: the lists, the combos, the preview.
  memcpy(doc.CurrentColorTable, doc.DefaultColorTable, sizeof doc.CurrentColorTable);
  const int repaints = preview.Count("RepaintPreview");
  dialogs.Queue(table.c_str());
  Choose(T::pmLoadColors);
  EXPECT_EQ("Load ColorTable File", dialogs.Dialogs()[2].title);
  EXPECT_STREQ("Sea", doc.CurrentColorTable[4].name);
  EXPECT_EQ(0x804020u, doc.CurrentColorTable[4].color);
  EXPECT_EQ("Sea", ComboText(T::cbBGColorM, 4));
  EXPECT_EQ(1, doc.DocumentModified);
  EXPECT_EQ(repaints + 1, preview.Count("RepaintPreview"));

  // The 16 colours of a 4-bit bitmap's palette; the names stay.
  CopyText(doc.CurrentColorTable[4].name, kColorNameSize, "Kept");
  doc.DocumentModified = 0;
  const std::string bitmap = JoinPaths(menuDir_, "colors.bmp");
  const TestPicture picture = MakePatternPicture(8, 8, 4);
  ASSERT_TRUE(WritePicture(bitmap, picture));
  dialogs.Queue(bitmap.c_str());
  Choose(T::pmLoadColorsBMP);
  EXPECT_EQ("Open Bitmap File", dialogs.Dialogs()[3].title);
  EXPECT_EQ("bmp", dialogs.Dialogs()[3].defaultExt);
  for (int i = 0; i < 16; ++i) {
    const TestColor& c = picture.palette[i];
    EXPECT_EQ((uint32_t)(c.red | c.green << 8 | c.blue << 16), doc.CurrentColorTable[i].color) << i;
  }
  EXPECT_STREQ("Kept", doc.CurrentColorTable[4].name);
  EXPECT_EQ(1, doc.DocumentModified);
}

// Fills the disk that holds path to its last byte.
void FillDisk(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, file);
  const std::vector<char> block(4096, 'f');
  DWORD written = 0;
  while (WriteFile(file, block.data(), (DWORD)block.size(), &written, nullptr) && written > 0) {}
  CloseHandle(file);
}

// A write that fails on a full disk, where Wine's C library returns 0 from
// fclose although the flush of the last bytes failed. full_disk_wine.sh
// runs this with a small file system of its own as TW_FULL_DISK_FOLDER.
TEST_F(MainWindowCommandsTest, OnAFullDiskSaveKeepsTheLoaderAndColourTablesAsTheyWereAndSaysSo) {
  const char* full = getenv("TW_FULL_DISK_FOLDER");
  if (full == nullptr) GTEST_SKIP() << "needs a small file system: full_disk_wine.sh";
  Show();
  CopyText(TheDocument.MenuFileDir, kPathSize, full);
  SelectPage(kPageMenu);
  Click(T::btnAppendM);  // its command copies grldr from the program's resource folder
  CopyText(TheDocument.menuStrings[1].command, kCommandSize, "grldr grldr");
  TheDocument.menuKeys[1].accKey = 'g';
  SaveMainMenu();  // no grldr to copy yet: said twice
  const std::string loader = JoinPaths(full, "loader.bin"), kept = JoinPaths(full, "kept.ctb");
  const std::string fresh = JoinPaths(full, "fresh.ctb"), reserve = JoinPaths(full, "reserve");
  dialogs.Queue(kept.c_str());
  Choose(T::pmSaveColors);
  const std::vector<uint8_t> loaderBefore = ReadBytes(loader), keptBefore = ReadBytes(kept);
  ASSERT_EQ(kLoaderBootSize, loaderBefore.size());
  // Room for the menu file under a new name, and not a byte more.
  ASSERT_TRUE(WriteBytes(reserve, ReadBytes(JoinPaths(full, "boot.zqk"))));
  FillDisk(JoinPaths(full, "filler"));
  ASSERT_TRUE(DeleteFileAt(reserve.c_str()));
  ASSERT_TRUE(CreateFolder(JoinPaths(home_, "resource").c_str()));
  ASSERT_TRUE(WriteBytes(JoinPaths(JoinPaths(home_, "resource"), "grldr"), std::vector<uint8_t>(256 * 1024, 'g')));
  CopyText(TheDocument.MenuFileName, kPathSize, "other.zqk");
  Click(T::btnSave);
  TheDocument.CurrentColorTable[4].color ^= 0xFFFFFF;
  dialogs.Queue(kept.c_str());
  Choose(T::pmSaveColors);
  dialogs.Queue(fresh.c_str());
  Choose(T::pmSaveColors);

  EXPECT_TRUE(FileExists(JoinPaths(full, "other.zqk").c_str()));
  EXPECT_EQ(loaderBefore, ReadBytes(loader));
  EXPECT_EQ(keptBefore, ReadBytes(kept));
  EXPECT_FALSE(PathExists(fresh.c_str()));
  EXPECT_FALSE(PathExists(JoinPaths(full, "grldr").c_str()));  // not half copied
  std::vector<std::string> said;
  for (const auto& box : boxes.Boxes()) said.push_back(box.text);
  const std::string grldrMissing = "Boot Image File '" + JoinPaths(full, "grldr") + "' not Exist!";
  std::vector<std::string> expected(4, grldrMissing);
  for (const char* name : {"loader.bin", "kvldr", "kept.ctb", "fresh.ctb"}) {
    expected.push_back("File '" + JoinPaths(full, name) + "' Create Error!");
  }
  EXPECT_EQ(expected, said);
}

}  // namespace
