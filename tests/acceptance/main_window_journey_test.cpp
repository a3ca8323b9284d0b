// A user's way through the main window, driven from outside the program:
// the real Tarnwick.exe is started, a menu is designed on the four list
// pages with the mouse and the keyboard (two layout boxes, three text
// lines, three menu entries with commands and hot keys, two function
// keys), a value typed into a field is kept when another list row is
// clicked, one box is moved on the preview with the mouse, the menu is
// saved with Save As, and the program closed with Alt+F4 while a field
// still holds a typed value (the save question saves it). The saved file
// is read back with the program's own reader, and "reg query" shows what
// the quit sequence stored. A second way makes an ISO image from the main window and stops a
// later build of the same image.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/startup.h"
#include "menu/document.h"
#include "menu/menu_file_reader.h"
#include "platform/files.h"
#include "tests/acceptance/driver.h"
#include "tests/file_bytes.h"
#include "ui/frm_make_iso.h"
#include "ui/frm_progress.h"
#include "ui/frm_tb.h"

using namespace acceptance;

namespace {

typedef TfrmTb T;

// The output of a command line run in this prefix.
std::string RunCommand(const std::string& commandLine) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE read = nullptr, write = nullptr;
  if (!CreatePipe(&read, &write, &inherit, 0)) return "";
  SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = write;
  PROCESS_INFORMATION process = {};
  std::string line = commandLine;
  BOOL started = CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
  CloseHandle(write);
  std::string output;
  char buffer[4096];
  DWORD got = 0;
  while (started && ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got > 0) output.append(buffer, got);
  CloseHandle(read);
  if (started) {
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
  }
  return output;
}

// The text after "NAME    REG_SZ    " in the output of reg query.
std::string RegValue(const std::string& output, const std::string& name) {
  size_t at = output.find("    " + name + "    REG_SZ    ");
  if (at == std::string::npos) return "<missing>";
  at += name.size() + 18;
  return output.substr(at, output.find_first_of("\r\n", at) - at);
}

class MainWindowJourney : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKeyPath);
    char temp[MAX_PATH];
    ASSERT_TRUE(GetTempFolder(temp, sizeof temp));
    folder_ = std::string(temp) + "\\tw_journey_" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CreateFolder(folder_.c_str()));
    // Process ids come again under Wine: a file of an earlier run would
    // make the save dialog ask before it replaces it.
    for (const char* name : {"JOURNEY.ZQK", "loader.bin", "kvldr"}) DeleteFileAt((folder_ + "\\" + name).c_str());
    PrepareBeforeStart();
    if (HasFatalFailure()) return;
    // The program's folder is the build tree: korvel.dat lies there.
    ASSERT_TRUE(program_.Start(BuildTreePath("Tarnwick.exe"), "", BuildTreePath("").c_str()));
    main_ = program_.WaitForWindow("TfrmTb", "Tarnwick");
    ASSERT_TRUE(main_);
    pages_ = Named(T::tabstrp);
  }
  void TearDown() override {
    program_.Kill();
    RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKeyPath);
  }
  // Files and settings a journey needs before the program starts.
  virtual void PrepareBeforeStart() {}

  HWND Named(int id) const { return FindControl(main_, kFirstRowId + id); }
  bool Type(int id, const char* text) { return TypeInto(Named(id), text); }
  // Appends an item with a button and waits for its row.
  bool Append(int button, int list, int rows) {
    Click(Named(button));
    return WaitFor([&] { return ListRowCount(Named(list)) == rows; });
  }
  // Save As on the File page to path; the two messages of a menu without
  // pictures are acknowledged.
  void SaveAs(const std::string& path) {
    PostClick(Named(T::btnSaveAs));
    HWND dialog = program_.WaitForDialog();
    ASSERT_TRUE(dialog);
    AnswerFileDialog(dialog, path.c_str());
    ASSERT_FALSE(IsWindow(dialog));
    std::vector<std::string> messages;
    for (int shown = 0; shown < 4; ++shown) {
      HWND box = program_.WaitForDialog(3000);
      if (!box) break;
      messages.push_back(MessageText(box));
      AnswerMessage(box, IDOK);
    }
    EXPECT_EQ((std::vector<std::string>{"Logo image open error!", "Background image open error!"}), messages);
    const std::string name = path.substr(path.rfind('\\') + 1);
    EXPECT_TRUE(WaitFor([&] { return TextOf(Named(T::txtMenuFileName)) == name; }));
  }
  bool CellIs(int list, int row, int column, const std::string& text) {
    return WaitFor([&] { return ListCell(Named(list), row, column) == text; });
  }

  // On the Menu page with entry 1 current and three entries: a value typed
  // into entry 1's lower-right column, not left, then a click on row 2 with
  // the mouse. Back on row 1 the value is there; the saved file has it as
  // entry 1's x2 (kTypedMenuColumn).
  static constexpr int kTypedMenuColumn = 400;
  void TypeThenClickAnotherRow() {
    ASSERT_TRUE(TypeInto(Named(T::txtLRColM), std::to_string(kTypedMenuColumn).c_str(), false));
    ASSERT_TRUE(ClickListRow(Named(T::lstViewM), 1));
    EXPECT_TRUE(WaitFor([&] { return TextOf(Named(T::txtMenuCmd)) == "boot cd"; }));
    ASSERT_TRUE(ClickListRow(Named(T::lstViewM), 0));
    EXPECT_TRUE(WaitFor([&] { return TextOf(Named(T::txtLRColM)) == std::to_string(kTypedMenuColumn); }));
    const std::string corner = "," + std::to_string(kTypedMenuColumn) + ")";
    EXPECT_TRUE(WaitFor([&] { return ListCell(Named(T::lstViewM), 0, 2).find(corner) != std::string::npos; }));
  }

  // After the last save: a value typed into text line 1's lower-right
  // column, not left, and the window closed with Alt+F4 at once. The save
  // question comes, because the close committed the value; Yes saves it
  // (kTypedTextColumn, text line 1's x2) and the program ends.
  static constexpr int kTypedTextColumn = 500;
  void TypeThenCloseWithAltF4() {
    ASSERT_TRUE(SelectTab(pages_, kPageText));
    ASSERT_TRUE(ClickListRow(Named(T::lstViewT), 0));
    ASSERT_TRUE(TypeInto(Named(T::txtLRColT), std::to_string(kTypedTextColumn).c_str(), false));
    PressKey(VK_F4, false, false, true);
    HWND question = program_.WaitForDialog();
    ASSERT_TRUE(question);
    EXPECT_EQ("File Changed, Save It?", MessageText(question));
    AnswerMessage(question, IDYES);
    // The writer's notes on the missing pictures, as at Save As.
    for (int shown = 0; shown < 4; ++shown) {
      HWND box = program_.WaitForDialog(3000);
      if (!box) break;
      AnswerMessage(box, IDOK);
    }
    DWORD exitCode = 1;
    ASSERT_TRUE(program_.WaitForExit(20000, &exitCode));
    EXPECT_EQ(0u, exitCode);
  }

  Program program_;
  HWND main_ = nullptr;
  HWND pages_ = nullptr;
  std::string folder_;
};

TEST_F(MainWindowJourney, DesignSaveAsAndQuit) {
  // Two layout boxes, the first one red inside.
  ASSERT_TRUE(SelectTab(pages_, kPageLayout));
  ASSERT_TRUE(Append(T::btnAppendL, T::lstViewL, 1));
  ASSERT_TRUE(Type(T::txtULRowL, "20"));
  ASSERT_TRUE(Type(T::txtULColL, "30"));
  ASSERT_TRUE(Type(T::txtLRRowL, "100"));
  ASSERT_TRUE(Type(T::txtLRColL, "600"));
  SelectComboItem(Named(T::cbMColorL), 1);
  ASSERT_TRUE(Append(T::btnAppendL, T::lstViewL, 2));
  ASSERT_TRUE(Type(T::txtULRowL, "120"));
  ASSERT_TRUE(Type(T::txtLRRowL, "300"));
  EXPECT_TRUE(CellIs(T::lstViewL, 0, 1, "(20,30)"));
  EXPECT_TRUE(CellIs(T::lstViewL, 0, 2, "(100,600)"));
  EXPECT_TRUE(CellIs(T::lstViewL, 0, 5, "Red"));
  EXPECT_TRUE(CellIs(T::lstViewL, 1, 2, "(300,472)"));

  // Three text lines; the lower row follows the upper one.
  ASSERT_TRUE(SelectTab(pages_, kPageText));
  const char* const lines[] = {"Welcome", "to the", "boot menu"};
  const char* const rows[] = {"140", "160", "180"};
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(Append(T::btnAppendT, T::lstViewT, i + 1));
    ASSERT_TRUE(Type(T::txtULRowT, rows[i]));
    ASSERT_TRUE(Type(T::txtTextStr, lines[i]));
  }
  EXPECT_EQ("196", TextOf(Named(T::txtLRRowT)));
  Click(Named(T::optAlignMiddle));
  EXPECT_TRUE(CellIs(T::lstViewT, 2, 4, "Middle"));
  EXPECT_TRUE(CellIs(T::lstViewT, 0, 5, "Welcome"));

  // Three menu entries with commands, hot keys and cursor-key targets.
  ASSERT_TRUE(SelectTab(pages_, kPageMenu));
  const char* const commands[] = {"boot 80", "boot cd", "reboot"};
  const char* const texts[] = {"Hard disk", "CD-ROM", "Restart"};
  const char* const keys[] = {"1", "2", "3"};
  const char* const tops[] = {"220", "250", "280"};
  const char* const downs[] = {"2", "3", "1"};
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(Append(T::btnAppendM, T::lstViewM, i + 1));
    ASSERT_TRUE(Type(T::txtULRowM, tops[i]));
    ASSERT_TRUE(Type(T::txtMenuCmd, commands[i]));
    ASSERT_TRUE(Type(T::txtMenuText, texts[i]));
    ASSERT_TRUE(Type(T::txtAccKey, keys[i]));
    ASSERT_TRUE(Type(T::cmbDownKey, downs[i]));
  }
  EXPECT_TRUE(CellIs(T::lstViewM, 1, 3, "'2'"));
  EXPECT_TRUE(CellIs(T::lstViewM, 2, 6, "1"));
  // Back to the first entry by its row: its fields come back.
  ASSERT_TRUE(ClickListRow(Named(T::lstViewM), 0));
  EXPECT_TRUE(WaitFor([&] { return TextOf(Named(T::txtMenuCmd)) == "boot 80"; }));
  ASSERT_NO_FATAL_FAILURE(TypeThenClickAnotherRow());

  // Two function keys, caught from the keyboard.
  ASSERT_TRUE(SelectTab(pages_, kPageMisc));
  ASSERT_TRUE(Append(T::btnAppendF, T::lstViewF, 1));
  Click(Named(T::txtFuncKey));
  ASSERT_TRUE(WaitForFocus(Named(T::txtFuncKey)));
  PressKey(VK_F2);
  ASSERT_TRUE(WaitFor([&] { return TextOf(Named(T::txtFuncKey)) == "F2"; }));
  ASSERT_TRUE(Type(T::txtFKeyCmd, "reboot"));
  ASSERT_TRUE(Append(T::btnAppendF, T::lstViewF, 2));
  Click(Named(T::txtFuncKey));
  ASSERT_TRUE(WaitForFocus(Named(T::txtFuncKey)));
  PressKey(VK_F3, true);
  ASSERT_TRUE(WaitFor([&] { return TextOf(Named(T::txtFuncKey)) == "Shift+F3"; }));
  ASSERT_TRUE(Type(T::txtFKeyCmd, "halt"));
  EXPECT_TRUE(CellIs(T::lstViewF, 0, 1, "'f2'"));
  EXPECT_TRUE(CellIs(T::lstViewF, 1, 1, "'sf3'"));
  EXPECT_TRUE(CellIs(T::lstViewF, 1, 2, "halt"));

  // Box 2 moved on the preview with the mouse: the first click selects it
  // (the main window turns to the Layout page), the second, at once after
  // it, starts moving it with the cursor put on its centre; a right click
  // stores where it went.
  HWND preview = program_.WaitForWindow("TfrmPreview", "CD/DVD Boot Menu Preview");
  ASSERT_TRUE(preview);
  HWND status = FindControl(preview, STATUSCLASSNAMEA, nullptr);
  int left = 0;
  ASSERT_EQ(1, sscanf(ListCell(Named(T::lstViewL), 1, 1).c_str(), "(120,%d)", &left));
  const POINT grab = ScreenPointOf(preview, left + 10, 125);  // above the text lines
  ClickAt(grab.x, grab.y);
  ASSERT_TRUE(WaitFor([&] { return SelectedTab(pages_) == kPageLayout; }));
  ClickAt(grab.x, grab.y);
  const POINT centre = ScreenPointOf(preview, (left + 473) / 2, (120 + 301) / 2);
  ASSERT_TRUE(WaitFor([&] { return CursorAt().x == centre.x && CursorAt().y == centre.y; }));
  MoveMouseTo(centre.x + 50, centre.y - 40);
  const std::string moved = "(80," + std::to_string(left + 50) + ")-(260,522)";
  // The centred panel's text starts with a tab.
  ASSERT_TRUE(WaitFor([&] { return TextOf(status) == "\t" + moved; })) << TextOf(status);
  RightClickAt(centre.x + 50, centre.y - 40);
  EXPECT_TRUE(CellIs(T::lstViewL, 1, 1, "(80," + std::to_string(left + 50) + ")"));

  // Save As; the menu names no logo or background picture, which the
  // writer reports and the user acknowledges.
  ASSERT_TRUE(SelectTab(pages_, kPageFile));
  const std::string path = folder_ + "\\JOURNEY.ZQK";
  ASSERT_NO_FATAL_FAILURE(SaveAs(path));

  ASSERT_NO_FATAL_FAILURE(TypeThenCloseWithAltF4());

  // The saved file, read back.
  std::vector<uint8_t> bytes = ReadBytes(path);
  ASSERT_FALSE(bytes.empty());
  ASSERT_TRUE(ReadMenuFileBytes(bytes.data(), bytes.size()));
  const MenuDocument& doc = TheDocument;
  ASSERT_EQ(2, doc.ItemCount[kLayoutList]);
  EXPECT_EQ(20, doc.layoutItems[1].y1);
  EXPECT_EQ(30, doc.layoutItems[1].x1);
  EXPECT_EQ(100, doc.layoutItems[1].y2);
  EXPECT_EQ(600, doc.layoutItems[1].x2);
  EXPECT_EQ(1, doc.layoutItems[1].mainColor);
  EXPECT_EQ(80, doc.layoutItems[2].y1);
  EXPECT_EQ(left + 50, doc.layoutItems[2].x1);
  EXPECT_EQ(260, doc.layoutItems[2].y2);
  EXPECT_EQ(522, doc.layoutItems[2].x2);
  ASSERT_EQ(3, doc.ItemCount[kTextList]);
  for (int i = 0; i < 3; ++i) {
    EXPECT_STREQ(lines[i], doc.textItems[i + 1].text);
    EXPECT_EQ(140 + 20 * i, doc.textItems[i + 1].geometry.y1);
    EXPECT_EQ(156 + 20 * i, doc.textItems[i + 1].geometry.y2);
  }
  EXPECT_EQ(kAlignMiddle, doc.textItems[3].geometry.align);
  ASSERT_EQ(3, doc.ItemCount[kMenuList]);
  for (int i = 0; i < 3; ++i) {
    EXPECT_STREQ(commands[i], doc.menuStrings[i + 1].command);
    EXPECT_STREQ(texts[i], doc.menuStrings[i + 1].text);
    EXPECT_EQ(keys[i][0], doc.menuKeys[i + 1].accKey);
    EXPECT_EQ(downs[i][0] - '0', doc.menuKeys[i + 1].down);
    EXPECT_EQ(220 + 30 * i, doc.menuGeometry[i + 1].y1);
  }
  EXPECT_EQ(kTypedMenuColumn, doc.menuGeometry[1].x2);
  EXPECT_EQ(kTypedTextColumn, doc.textItems[1].geometry.x2);
  ASSERT_EQ(2, doc.ItemCount[kFunctionKeyList]);
  EXPECT_STREQ("f2", doc.functionKeys[1].key);
  EXPECT_STREQ("reboot", doc.functionKeys[1].command);
  EXPECT_STREQ("sf3", doc.functionKeys[2].key);
  EXPECT_STREQ("halt", doc.functionKeys[2].command);

  // What the quit sequence stored.
  const std::string settings = RunCommand("reg.exe query \"HKCU\\" + std::string(kSettingsKeyPath) + "\"");
  EXPECT_EQ("JOURNEY.ZQK", RegValue(settings, "MenuFileName")) << settings;
  EXPECT_EQ("1", RegValue(settings, "AutoLoad"));
  EXPECT_EQ("KORVEL", RegValue(settings, "ImageFileDir"));
  EXPECT_EQ("BootMenu", RegValue(settings, "CDVolumeID"));
  EXPECT_EQ("mydisk.iso", RegValue(settings, "ISOFileName"));
  EXPECT_EQ("1", RegValue(settings, "HideBootFiles"));
}

// Make ISO from the main window: the default disc folder (set in the
// settings key to a folder of the build tree) with the menu's loader.bin
// as boot image. The disc folder and the image stay there for the checks
// by outside tools that run after this test (check_journey_image.py).
// Then a second Make to the same path from a tree of some hundred MB is
// stopped at about 30 %: the earlier image must stay as it was.
class MakeIsoJourney : public MainWindowJourney {
 protected:
  typedef TfrmMakeISO M;
  typedef TfrmProgress P;

  void PrepareBeforeStart() override {
    const char* kept = getenv("TW_JOURNEY_ISO_DIR");
    ASSERT_TRUE(kept);
    disc_ = WindowsPath(kept) + "\\disc";
    image_ = WindowsPath(kept) + "\\out\\journey.iso";
    for (const char* folder : {"", "\\disc", "\\disc\\KORVEL", "\\disc\\Docs", "\\out"}) {
      ASSERT_TRUE(CreateFolder((WindowsPath(kept) + folder).c_str()));
    }
    for (const std::string& file : {image_, image_ + ".tw~", disc_ + "\\KORVEL\\JOURNEY.ZQK"}) {
      DeleteFileAt(file.c_str());
    }
    ASSERT_TRUE(WriteBytes(disc_ + "\\readme.txt", std::vector<uint8_t>(3000, 'r')));
    std::vector<uint8_t> notes(70000);
    for (size_t i = 0; i < notes.size(); ++i) notes[i] = (uint8_t)(i * 7 + i / 251);
    ASSERT_TRUE(WriteBytes(disc_ + "\\Docs\\Release Notes.txt", notes));
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, nullptr, 0, KEY_SET_VALUE,
                                             nullptr, &key, nullptr));
    const std::string values[][2] = {{"CDFileDir", disc_},
                                     {"ISOFileDir", WindowsPath(kept) + "\\out"},
                                     {"ISOFileName", "journey.iso"}};
    for (const auto& value : values) {
      RegSetValueExA(key, value[0].c_str(), 0, REG_SZ, (const BYTE*)value[1].c_str(), (DWORD)value[1].size() + 1);
    }
    RegCloseKey(key);
  }
  void TearDown() override {
    MainWindowJourney::TearDown();
    for (int i = 0; i < kBigFiles; ++i) DeleteFileAt(BigFile(i).c_str());
    RemoveFolder((folder_ + "\\big").c_str());
  }

  // Files of the big tree: sparse, so that they take no time to make and
  // no disc space, and read back fast.
  enum { kBigFiles = 4 };
  static constexpr LONGLONG kBigFileSize = 150LL << 20;
  std::string BigFile(int i) const { return folder_ + "\\big\\part" + std::to_string(i) + ".bin"; }
  bool MakeBigTree() {
    if (!CreateFolder((folder_ + "\\big").c_str())) return false;
    for (int i = 0; i < kBigFiles; ++i) {
      HANDLE file = CreateFileA(BigFile(i).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
      if (file == INVALID_HANDLE_VALUE) return false;
      LARGE_INTEGER size;
      size.QuadPart = kBigFileSize;
      bool sized = SetFilePointerEx(file, size, nullptr, FILE_BEGIN) && SetEndOfFile(file);
      CloseHandle(file);
      if (!sized) return false;
    }
    return true;
  }

  HWND OpenMakeIso() {
    PostClick(Named(T::btnISOMake));
    return program_.WaitForWindow("TfrmMakeISO", "Make ISO File");
  }
  static HWND Field(HWND form, int id) { return FindControl(form, kFirstRowId + id); }

  std::string disc_, image_;
};

TEST_F(MakeIsoJourney, MakeThenStopAnotherBuild) {
  // A one-box menu saved into the disc folder's KORVEL folder, with the
  // loader beside it; Make ISO saves it again without a word.
  ASSERT_TRUE(SelectTab(pages_, kPageLayout));
  ASSERT_TRUE(Append(T::btnAppendL, T::lstViewL, 1));
  ASSERT_TRUE(SelectTab(pages_, kPageFile));
  ASSERT_NO_FATAL_FAILURE(SaveAs(disc_ + "\\KORVEL\\JOURNEY.ZQK"));
  HWND dialog = OpenMakeIso();
  if (HWND box = program_.WaitForDialog(500)) FAIL() << MessageText(box);
  ASSERT_TRUE(dialog);
  EXPECT_EQ(disc_, TextOf(Field(dialog, M::txtCDFileDir)));
  EXPECT_EQ(disc_ + "\\KORVEL\\loader.bin", TextOf(Field(dialog, M::txtBootImage)));
  EXPECT_EQ(image_, TextOf(Field(dialog, M::txtISOFile)));
  PostClick(Field(dialog, M::btnMake));
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog) || program_.HasDialog(); }, 60000));
  if (HWND box = program_.WaitForDialog(500)) FAIL() << MessageText(box);
  const std::vector<uint8_t> made = ReadBytes(image_);
  ASSERT_GT(made.size(), 70000u);

  // Again to the same path, from a tree of 600 MB, stopped at about 30 %.
  ASSERT_TRUE(MakeBigTree());
  dialog = OpenMakeIso();
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(TypeInto(Field(dialog, M::txtCDFileDir), (folder_ + "\\big").c_str()));
  PostClick(Field(dialog, M::btnMake));
  HWND box = program_.WaitForDialog();
  ASSERT_TRUE(box);
  EXPECT_EQ("ISO File '" + image_ + "' exist, Overwrite?", MessageText(box));
  AnswerMessage(box, IDYES);
  HWND progress = program_.WaitForWindow("TfrmProgress", nullptr);
  ASSERT_TRUE(progress);
  HWND done = Field(progress, P::lbDoneTxt);
  double percent = 0;
  ASSERT_TRUE(WaitFor([&] { return (percent = atof(TextOf(done).c_str())) >= 30; }, 60000));
  Click(Field(progress, P::btnCancel));
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog); }, 60000));
  EXPECT_FALSE(program_.HasDialog());
  EXPECT_FALSE(PathExists((image_ + ".tw~").c_str()));
  EXPECT_TRUE(ReadBytes(image_) == made) << "the earlier image changed";
}

}  // namespace
