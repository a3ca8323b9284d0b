// The main window's settings key, first showing, quit sequence and file
// commands (New, Open, Save As, Make ISO, the save question).
#include <string>

#include "app/language.h"
#include "menu/item_ops.h"
#include "menu/menu_file_layout.h"
#include "tests/file_bytes.h"
#include "ui/frm_make_iso.h"
#include "ui/main_settings.h"
#include "main_window_fixture.h"

namespace {

using namespace form_driver;

TEST_F(MainWindowTest, FirstStartWithoutSettingsPlacesTheWindowAndQuitWritesEveryValue) {
  Show();
  EXPECT_EQ(20, frmTb->Left());
  EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - 26 - frmTb->Height()) / 2, frmTb->Top());
  EXPECT_EQ(menuDir_, TheDocument.MenuFileDir);
  // Auto-open found no last file: the name is emptied.
  EXPECT_STREQ("", TheDocument.MenuFileName);
  EXPECT_EQ("", Text(T::txtMenuFileName));
  EXPECT_EQ(1, preview.Count("ShowPreview"));

  Click(T::btnQuit);
  EXPECT_TRUE(TakeQuitMessage());
  EXPECT_EQ("20", Setting("PanelLeft"));
  EXPECT_EQ("1", Setting("AutoLoad"));
  EXPECT_EQ(JoinPaths(home_, "disk1"), Setting("CDFileDir"));
  EXPECT_EQ("KORVEL", Setting("ImageFileDir"));
  EXPECT_EQ("BootMenu", Setting("CDVolumeID"));
  EXPECT_EQ("3.0.0.1", Setting("PreparerName"));
  EXPECT_EQ(JoinPaths(home_, "iso"), Setting("ISOFileDir"));
  EXPECT_EQ("mydisk.iso", Setting("ISOFileName"));
  EXPECT_EQ("1", Setting("HideBootFolder"));
  EXPECT_EQ("0", Setting("VOL_Lowercase"));
  EXPECT_EQ(0, boxes.Count());
}

// Stored places that hide the title bar are pulled back onto the screen,
// and the quit writes the place the window really has.
TEST_F(MainWindowTest, AStoredPlaceOffTheScreenKeepsTheTitleBarOnIt) {
  PutSetting("PanelLeft", "-32768");
  PutSetting("PanelTop", "32767");
  Show();
  POINT client = {0, 0};
  ClientToScreen(*frmTb, &client);
  EXPECT_GE(frmTb->Top(), 0);
  EXPECT_LE(client.y, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_GE(frmTb->Left() + frmTb->Width(), 64);
  EXPECT_LT(frmTb->Left(), GetSystemMetrics(SM_CXSCREEN));
  Click(T::btnQuit);
  EXPECT_TRUE(TakeQuitMessage());
  EXPECT_EQ(std::to_string(frmTb->Left()), Setting("PanelLeft"));
  EXPECT_EQ(std::to_string(frmTb->Top()), Setting("PanelTop"));
}

TEST_F(MainWindowTest, SettingsAreReadByTheirRulesAndAutoLoadReadsZeroWhileRunning) {
  PutSetting("AutoLoad", "1");
  PutSetting("PanelLeft", "-30");  // partly off the screen, the title bar within reach
  PutSetting("PanelTop", " 70");
  PutSetting("ImageFileDir", "NOSUCH");  // no folder of that name under CDFileDir
  PutSetting("CDVolumeID", std::string(300, 'V').c_str());  // longer than its 260 bytes
  PutSetting("ISOFileDir", "Q:\\missing");
  PutSetting("VOL_Joliet", "1");
  PutSetting("VOL_Lowercase", "0");
  PutSetting("SetDateTime", "x");  // no number: the start value stays
  PutSetting("KeepKernel", "257");  // a byte keeps the low 8 bits
  Show();
  EXPECT_EQ("0", Setting("AutoLoad"));
  EXPECT_EQ(-30, frmTb->Left());
  EXPECT_EQ(70, frmTb->Top());
  EXPECT_STREQ("KORVEL", TheDocument.ImageFileDir);
  EXPECT_STREQ("BootMenu", TheMainSettings.VolumeLabel);
  EXPECT_EQ(JoinPaths(home_, "iso"), TheMainSettings.ISOFileDir);
  EXPECT_EQ(1, TheMainSettings.IsoSettings.VOL_Joliet);
  EXPECT_EQ(0, TheMainSettings.IsoSettings.VOL_Lowercase);
  EXPECT_EQ(0, TheMainSettings.IsoSettings.SetDateTime);
  EXPECT_EQ(1, TheDocument.KeepKernel);

  // A quit answered with Cancel has already written the settings.
  Click(T::chkAutoLoad);  // cleared
  Click(T::btnAppendL);
  boxes.Queue(IDCANCEL);
  Click(T::btnQuit);
  EXPECT_FALSE(TakeQuitMessage());
  ASSERT_EQ(1, boxes.Count());
  EXPECT_EQ("File Changed, Save It?", boxes.Boxes()[0].text);
  EXPECT_EQ("0", Setting("AutoLoad"));
  EXPECT_EQ("1", Setting("VOL_Joliet"));
  EXPECT_EQ("0", Setting("VOL_Lowercase"));
}

TEST_F(MainWindowTest, AMenuFileNameValueNeedsTheMenuExtension) {
  PutSetting("MenuFileName", "menu.txt");
  PutSetting("AutoLoad", "0");
  Show();
  EXPECT_STREQ("bootmenu.zqk", TheMainSettings.MenuFileName);
}

TEST_F(MainWindowTest, AMenuFileNameValueWithTheExtensionInAnyCaseIsTaken) {
  PutSetting("MenuFileName", "menu.ZQK");
  PutSetting("AutoLoad", "0");
  Show();
  EXPECT_STREQ("menu.ZQK", TheMainSettings.MenuFileName);
}

// "Open Last Menu File at Start" unticked (or a run killed before its quit,
// which leaves AutoLoad 0): the window opens with a new, unnamed menu. Save
// asks for a name and the last file stays as it was; the settings keep its
// name for the next start that opens it.
TEST_F(MainWindowTest, AStartThatOpensNoMenuLeavesItUnnamedAndTheLastFileAlone) {
  PutSetting("AutoLoad", "0");
  PutSetting("MenuFileName", "last.zqk");
  const std::string last = JoinPaths(menuDir_, "last.zqk");
  const std::vector<uint8_t> before(3000, 0x5A);
  ASSERT_TRUE(WriteBytes(last, before));
  Show();
  WithoutPictures();
  EXPECT_STREQ("", TheDocument.MenuFileName);
  EXPECT_EQ("", Text(T::txtMenuFileName));
  Click(T::btnAppendL);
  Click(T::btnSave);  // Save As, cancelled
  ASSERT_EQ(1, dialogs.Count());
  EXPECT_TRUE(dialogs.Dialogs()[0].save);
  EXPECT_EQ(menuDir_, dialogs.Dialogs()[0].initialDir);
  EXPECT_TRUE(ReadBytes(last) == before) << "the last menu file was replaced";
  EXPECT_EQ(0, boxes.Count());
  Click(T::btnQuit);  // the save question answered No
  EXPECT_TRUE(TakeQuitMessage());
  EXPECT_EQ("last.zqk", Setting("MenuFileName"));
  EXPECT_TRUE(ReadBytes(last) == before);
}

// A menu named on the command line that cannot be read: the message, and
// the folders stay those the settings gave, as after a refused Open, so the
// quit stores the last file's name with the last file's folders.
TEST_F(MainWindowTest, ACommandLineMenuThatCannotBeReadKeepsTheFolders) {
  PutSetting("MenuFileName", "last.zqk");
  const std::string other = JoinPaths(home_, "other"), bad = JoinPaths(JoinPaths(other, "BOOT"), "bad.zqk");
  ASSERT_TRUE(CreateFolder(other.c_str()) && CreateFolder(JoinPaths(other, "BOOT").c_str()));
  ASSERT_TRUE(WriteBytes(bad, std::vector<uint8_t>(3000, 0x5A)));
  CopyText(TheProcessSettings.startupMenuPath, sizeof TheProcessSettings.startupMenuPath, bad.c_str());
  Show();
  ASSERT_EQ(1, boxes.Count());
  EXPECT_EQ("'" + bad + "' is not Menu File!", boxes.Boxes()[0].text);
  EXPECT_EQ(menuDir_, Text(T::txtFileDir));
  Click(T::btnQuit);
  EXPECT_TRUE(TakeQuitMessage());
  EXPECT_EQ(JoinPaths(home_, "disk1"), Setting("CDFileDir"));
  EXPECT_EQ("KORVEL", Setting("ImageFileDir"));
  EXPECT_EQ("last.zqk", Setting("MenuFileName"));
}

TEST_F(MainWindowTest, QuitWithAnEmptyModifiedDocumentAsksNothing) {
  Show();
  TheDocument.DocumentModified = 1;
  frmTb->Close();  // the close request runs the quit sequence and is refused
  EXPECT_TRUE(TakeQuitMessage());
  EXPECT_TRUE(IsWindow(*frmTb));
  EXPECT_EQ(0, boxes.Count());
}

// The caption's close button and Alt+F4 leave the focused field as the
// Exit button does: the save question knows the value still being typed.
TEST_F(MainWindowTest, EveryWayOfClosingCommitsTheFocusedFieldBeforeTheSaveQuestion) {
  Show();
  WithoutPictures();
  SelectPage(3);
  Click(T::btnAppendM);
  Enter(T::txtAccKey, "k");
  dialogs.Queue(JoinPaths(menuDir_, "close.zqk").c_str());
  Click(T::btnSaveAs);
  ASSERT_EQ(0, TheDocument.DocumentModified);
  TypeText(*frmTb, T::txtMenuCmd, "kernel abc");
  boxes.Queue(IDCANCEL);
  SendMessageA(*frmTb, WM_SYSCOMMAND, SC_CLOSE, 0);  // the caption's X
  Pump();
  EXPECT_FALSE(TakeQuitMessage());
  ASSERT_EQ(1, boxes.Count());
  EXPECT_EQ("File Changed, Save It?", boxes.Boxes()[0].text);
  EXPECT_STREQ("kernel abc", TheDocument.menuStrings[1].command);
  // Cancelled: the field is focused again, and the next value typed there
  // is saved by Alt+F4's Yes.
  EXPECT_EQ((HWND)At(T::txtMenuCmd), GetFocus());
  SendMessageA(At(T::txtMenuCmd), EM_SETSEL, 0, -1);
  Type("kernel xyz");
  boxes.Queue(IDYES);
  PressKey(VK_F4, kShiftAlt);
  EXPECT_TRUE(TakeQuitMessage());
  ASSERT_EQ(2, boxes.Count());
  EXPECT_EQ(0, TheDocument.DocumentModified);
  EXPECT_STREQ("kernel xyz", TheDocument.menuStrings[1].command);
}

// A menu never saved has no name: Yes to the save question asks for one in
// the menu folder, as Save does. Cancel there cancels the quit and keeps the
// menu; a name saves it there, the quit goes on and the settings keep the
// name for the next start.
TEST_F(MainWindowTest, YesToTheSaveQuestionOnAnUnnamedMenuAsksForAName) {
  Show();
  WithoutPictures();
  Click(T::btnAppendL);
  boxes.Queue(IDYES);
  Click(T::btnQuit);  // Save As cancelled
  EXPECT_FALSE(TakeQuitMessage());
  ASSERT_EQ(1, boxes.Count());
  ASSERT_EQ(1, dialogs.Count());
  EXPECT_TRUE(dialogs.Dialogs()[0].save);
  EXPECT_EQ(menuDir_, dialogs.Dialogs()[0].initialDir);
  EXPECT_EQ(1, TheDocument.ItemCount[kLayoutList]);
  EXPECT_EQ(1, TheDocument.DocumentModified);

  const std::string named = JoinPaths(menuDir_, "named.zqk");
  boxes.Queue(IDYES);
  dialogs.Queue(named.c_str());
  PressKey(VK_F4, kShiftAlt);
  EXPECT_TRUE(TakeQuitMessage());
  EXPECT_EQ(2, boxes.Count());
  const std::vector<uint8_t> saved = ReadBytes(named);
  ASSERT_GT(saved.size(), size_t(kLayoutArea));
  EXPECT_EQ(1, saved[kLayoutArea]);  // the layout count
  EXPECT_EQ("named.zqk", Setting("MenuFileName"));
}

TEST_F(MainWindowTest, SaveAsTakesTwelveCharactersAndRefusesThirteen) {
  Show();
  WithoutPictures();
  Click(T::btnAppendL);
  dialogs.Queue(JoinPaths(menuDir_, "ABCDEFGHI.ZQK").c_str());
  Click(T::btnSaveAs);
  ASSERT_EQ(1, boxes.Count());
  EXPECT_EQ("Menu filename 'ABCDEFGHI.ZQK' should be less than 12 chracters!", boxes.Boxes()[0].text);
  EXPECT_FALSE(FileExists(JoinPaths(menuDir_, "ABCDEFGHI.ZQK").c_str()));

  dialogs.Queue(JoinPaths(menuDir_, "ABCDEFGH.ZQK").c_str());
  Click(T::btnSaveAs);
  EXPECT_TRUE(FileExists(JoinPaths(menuDir_, "ABCDEFGH.ZQK").c_str()));
  EXPECT_EQ(0, TheDocument.DocumentModified);
  ASSERT_EQ(2, dialogs.Count());
  EXPECT_TRUE(dialogs.Dialogs()[1].save);
  EXPECT_EQ("Save Menu File As", dialogs.Dialogs()[1].title);
  EXPECT_EQ("Menu File(*.zqk)|*.zqk", dialogs.Dialogs()[1].filter);
  EXPECT_EQ(0x20806u, dialogs.Dialogs()[1].flags);
  EXPECT_EQ("ABCDEFGH.ZQK", Text(T::txtMenuFileName));
}

// A Save As that fails (its folder is gone) leaves the menu under the name
// and folder it had, so the quit's Yes (as Save) writes the file "Menu
// File:" shows. A name Save As refuses (too long, an extension alone) saves
// nothing and takes back the quit or the Make ISO that asked for it,
// instead of asking about a failed save.
TEST_F(MainWindowTest, AFailedSaveAsLeavesTheMenuUnderTheNameItHad) {
  Show();
  WithoutPictures();
  Click(T::btnAppendL);
  const std::string first = JoinPaths(menuDir_, "FIRST.ZQK");
  dialogs.Queue(first.c_str());
  Click(T::btnSaveAs);
  Click(T::btnAppendL);
  dialogs.Queue(JoinPaths(JoinPaths(home_, "gone"), "SECOND.ZQK").c_str());
  Click(T::btnSaveAs);
  ASSERT_EQ(1, boxes.Count());
  boxes.Queue(IDYES);
  Click(T::btnQuit);
  EXPECT_TRUE(TakeQuitMessage());
  EXPECT_EQ(2, ReadBytes(first)[kLayoutArea]);
  EXPECT_EQ("FIRST.ZQK", Setting("MenuFileName"));

  Click(T::btnNew);
  Click(T::btnAppendL);
  boxes.Queue(IDYES);
  dialogs.Queue(JoinPaths(menuDir_, ".zqk").c_str());
  Click(T::btnQuit);
  EXPECT_FALSE(TakeQuitMessage());
  dialogs.Queue(JoinPaths(menuDir_, "ABCDEFGHI.ZQK").c_str());
  Click(T::btnISOMake);
  EXPECT_FALSE(frmMakeISO->Visible());
  ASSERT_EQ(5, boxes.Count());
  EXPECT_EQ("Menu filename '.zqk' should be less than 12 chracters!", boxes.Boxes()[3].text);
  EXPECT_EQ("Menu filename 'ABCDEFGHI.ZQK' should be less than 12 chracters!", boxes.Boxes()[4].text);
}

TEST_F(MainWindowTest, MakeIsoSavesQuietlyAndAsksWhenTheSaveFails) {
  Show();
  WithoutPictures();
  Click(T::btnISOMake);  // an empty document: nothing is saved
  EXPECT_TRUE(frmMakeISO->Visible());
  frmMakeISO->Hide();

  // A menu never saved is named first; Cancel there takes back the Make ISO.
  Click(T::btnAppendL);
  ASSERT_STREQ("", TheDocument.MenuFileName);
  Click(T::btnISOMake);
  EXPECT_EQ(1, dialogs.Count());
  EXPECT_FALSE(frmMakeISO->Visible());
  const std::string menuFile = JoinPaths(menuDir_, "iso.zqk");
  dialogs.Queue(menuFile.c_str());
  Click(T::btnISOMake);
  ASSERT_EQ(2, dialogs.Count());
  EXPECT_EQ(menuDir_, dialogs.Dialogs()[1].initialDir);
  EXPECT_TRUE(frmMakeISO->Visible());
  EXPECT_STREQ("iso.zqk", TheDocument.MenuFileName);
  frmMakeISO->Hide();
  ASSERT_TRUE(DeleteFileAt(menuFile.c_str()));
  ASSERT_EQ(0, TheDocument.DocumentModified);
  Click(T::btnISOMake);  // unmodified, saved again without a word
  EXPECT_TRUE(FileExists(menuFile.c_str()));
  EXPECT_EQ(0, boxes.Count());
  frmMakeISO->Hide();

  // A save that fails is not silent: No keeps the dialog closed.
  CopyText(TheDocument.MenuFileDir, kPathSize, JoinPaths(home_, "gone").c_str());
  Click(T::btnISOMake);
  ASSERT_EQ(1, boxes.Count());
  EXPECT_EQ("Directory '" + JoinPaths(home_, "gone") + "' not Exist!\n\nFile Save Error, Continue to Make ISO File?",
            boxes.Boxes()[0].text);
  EXPECT_FALSE(frmMakeISO->Visible());
  boxes.Queue(IDYES);
  Click(T::btnISOMake);
  EXPECT_TRUE(frmMakeISO->Visible());
}

// The user deleted the default menu folder, later the disc folder too.
TEST_F(MainWindowTest, DeletedDefaultFoldersAreNamedAndTheMenuIsKept) {
  Show();
  WithoutPictures();
  Click(T::btnAppendL);
  ASSERT_EQ(menuDir_, TheDocument.MenuFileDir);
  RemoveTree(menuDir_);
  // The file dialogs open in the nearest folder that is still there.
  Click(T::btnSaveAs);  // cancelled
  RemoveTree(JoinPaths(home_, "disk1"));
  Click(T::btnSaveAs);
  ASSERT_EQ(2, dialogs.Count());
  EXPECT_EQ(JoinPaths(home_, "disk1"), dialogs.Dialogs()[0].initialDir);
  EXPECT_EQ(home_, dialogs.Dialogs()[1].initialDir);
  // Save and Make ISO name the missing folder; the menu stays, still to be saved.
  CopyText(TheDocument.MenuFileName, kPathSize, "boot.zqk");
  Click(T::btnSave);
  Click(T::btnISOMake);
  ASSERT_EQ(2, boxes.Count());
  EXPECT_EQ("Directory '" + menuDir_ + "' not Exist!", boxes.Boxes()[0].text);
  EXPECT_EQ("Directory '" + menuDir_ + "' not Exist!\n\nFile Save Error, Continue to Make ISO File?",
            boxes.Boxes()[1].text);
  EXPECT_FALSE(frmMakeISO->Visible());
  EXPECT_EQ(1, TheDocument.ItemCount[kLayoutList]);
  EXPECT_EQ(1, TheDocument.DocumentModified);
  EXPECT_EQ(menuDir_, TheDocument.MenuFileDir);
}

TEST_F(MainWindowTest, OpenSplitsThePathAndAFailedOpenKeepsTheNames) {
  Show();
  WithoutPictures();
  const std::string disc = JoinPaths(home_, "disc");
  const std::string korvel = JoinPaths(disc, "KORVEL");
  ASSERT_TRUE(CreateFolder(disc.c_str()));
  ASSERT_TRUE(CreateFolder(korvel.c_str()));
  Click(T::btnAppendT);
  dialogs.Queue(JoinPaths(korvel, "boot.zqk").c_str());
  Click(T::btnSaveAs);
  Click(T::btnNew);

  dialogs.Queue(JoinPaths(korvel, "boot.zqk").c_str());
  Click(T::btnOpen);
  EXPECT_STREQ("boot.zqk", TheDocument.MenuFileName);
  EXPECT_EQ(korvel, TheDocument.MenuFileDir);
  EXPECT_STREQ("KORVEL", TheDocument.ImageFileDir);
  EXPECT_EQ(disc, TheDocument.CDFileDir);
  EXPECT_EQ(1, TheDocument.ItemCount[kTextList]);
  EXPECT_EQ(0x21804u, dialogs.Dialogs().back().flags);
  EXPECT_EQ("Open Menu File", dialogs.Dialogs().back().title);

  // A file that is not there: the message, and the names stay those of
  // boot.zqk, so that Save cannot write over the missing file's place.
  dialogs.Queue(JoinPaths(JoinPaths(home_, "other"), "lost.zqk").c_str());
  Click(T::btnOpen);
  ASSERT_EQ(1, boxes.Count());
  EXPECT_NE(std::string::npos, boxes.Boxes()[0].text.find("not Exist"));
  EXPECT_STREQ("boot.zqk", TheDocument.MenuFileName);
  EXPECT_EQ(korvel, TheDocument.MenuFileDir);
  EXPECT_EQ(disc, TheDocument.CDFileDir);
  EXPECT_EQ(korvel, Text(T::txtFileDir));
}

TEST_F(MainWindowTest, TheSaveQuestionCancelsOnCancelAndOnAFailedSaveAnsweredNo) {
  Show();
  Click(T::btnAppendL);
  boxes.Queue(IDCANCEL);
  Click(T::btnNew);
  EXPECT_EQ(1, TheDocument.ItemCount[kLayoutList]);

  CopyText(TheDocument.MenuFileName, kPathSize, "boot.zqk");
  CopyText(TheDocument.MenuFileDir, kPathSize, JoinPaths(home_, "gone").c_str());
  boxes.Queue(IDYES);  // save: it fails (a missing folder, a message)
  boxes.Queue(IDNO);   // and do not go on
  Click(T::btnNew);
  EXPECT_EQ(1, TheDocument.ItemCount[kLayoutList]);
  ASSERT_EQ(4, boxes.Count());
  EXPECT_EQ("File Save Error, Continue to New?", boxes.Boxes()[3].text);

  boxes.Queue(IDNO);  // do not save
  Click(T::btnNew);
  EXPECT_EQ(0, TheDocument.ItemCount[kLayoutList]);
  EXPECT_STREQ("", TheDocument.MenuFileName);
}

}  // namespace
