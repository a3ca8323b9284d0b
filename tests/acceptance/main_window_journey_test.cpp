// A user's ways through the program, driven from outside it: the real
// Tarnwick.exe is started as a Windows shortcut (and scripts/run.sh) starts
// it, with its own folder, the build tree laid out as an installed program
// folder, as the current folder, in a Wine prefix made for this run (no
// settings key of an earlier run). Each way is a list of named steps.
//
// First start: a small menu is designed, saved with Save As into the
// default menu folder (disk1\KORVEL of the program folder) and made into an
// image with Make ISO and the dialog's defaults (iso\mydisk.iso); a later
// build of the same image is stopped. The image stays there for the checks
// by outside tools (check_journey_image.py).
//
// Design: a menu is designed on the four list pages with the mouse and the
// keyboard (two layout boxes, three text lines, three menu entries with
// commands and hot keys, two function keys), a value typed into a field is
// kept when another list row is clicked, one box is moved on the preview
// with the mouse, the menu is saved with Save As, and the program is closed
// with Alt+F4 while a field still holds a typed value (the save question
// saves it). The saved file is read back with the program's own reader, and
// "reg query" shows what the quit sequence stored.
//
// Unnamed menus: a menu never saved is closed with Alt+F4, and Yes to the
// save question asks for its name; with "Open Last Menu File at Start"
// unticked, the next start opens a new, unnamed menu, whose Save asks for a
// name and leaves the last file as it was.
//
// A failed Save As: a Save As onto a file that another program holds open
// fails, and the next Save writes the file that "Menu File:" shows.
//
// Tabs: with the focus on the tab strip, the arrow keys walk across every
// page, Tab presses stay on the shown page, and a click on a tab shows its
// page.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <thread>
#include <utility>
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

// A visible window that owner owns: the question a dialog asks.
BOOL CALLBACK FindOwnedBox(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<std::pair<HWND, HWND>*>(data);
  if (GetWindow(window, GW_OWNER) == search->first && IsWindowVisible(window)) search->second = window;
  return search->second == nullptr;
}
HWND BoxOwnedBy(HWND owner) {
  std::pair<HWND, HWND> search(owner, nullptr);
  EnumWindows(FindOwnedBox, reinterpret_cast<LPARAM>(&search));
  return search.second;
}

// The text after "NAME    REG_SZ    " in the output of reg query.
std::string RegValue(const std::string& output, const std::string& name) {
  size_t at = output.find("    " + name + "    REG_SZ    ");
  if (at == std::string::npos) return "<missing>";
  at += name.size() + 18;
  return output.substr(at, output.find_first_of("\r\n", at) - at);
}

// The program folder as Windows sees it, without a trailing backslash.
std::string ProgramFolder() {
  std::string folder = BuildTreePath("");
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder;
}

// The settings key as "reg query" lists it.
std::string StoredSettings() {
  return RunCommand("reg.exe query \"HKCU\\" + std::string(kSettingsKeyPath) + "\"");
}

// Files put back as they were when it goes (removed when they were not there).
class FilesPutBack {
 public:
  explicit FilesPutBack(const std::vector<std::string>& paths) : paths_(paths) {
    for (const std::string& path : paths_) {
      there_.push_back(FileExists(path.c_str()));
      bytes_.push_back(ReadBytes(path));
    }
  }
  ~FilesPutBack() {
    for (size_t i = 0; i < paths_.size(); ++i) {
      if (there_[i]) {
        WriteBytes(paths_[i], bytes_[i]);
      } else {
        DeleteFileAt(paths_[i].c_str());
      }
    }
  }
  FilesPutBack(const FilesPutBack&) = delete;
  FilesPutBack& operator=(const FilesPutBack&) = delete;

 private:
  std::vector<std::string> paths_;
  std::vector<bool> there_;
  std::vector<std::vector<uint8_t>> bytes_;
};

// What the design steps put into the menu.
const char* const kLines[] = {"Welcome", "to the", "boot menu"};
const char* const kCommands[] = {"boot 80", "boot cd", "reboot"};
const char* const kMenuTexts[] = {"Hard disk", "CD-ROM", "Restart"};
const char* const kHotKeys[] = {"1", "2", "3"};
const char* const kDownTargets[] = {"2", "3", "1"};

class MainWindowJourney : public ::testing::Test {
 protected:
  typedef TfrmMakeISO M;
  typedef TfrmProgress P;

  void SetUp() override {
    HKEY key = nullptr;
    if (RegOpenKeyA(HKEY_CURRENT_USER, kSettingsKeyPath, &key) == ERROR_SUCCESS) {
      RegCloseKey(key);
      FAIL() << "the settings key is there before the program starts: the journey needs a fresh Wine prefix";
    }
    home_ = ProgramFolder();
    char temp[MAX_PATH];
    ASSERT_TRUE(GetTempFolder(temp, sizeof temp));
    folder_ = std::string(temp) + "\\tw_journey_" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CreateFolder(folder_.c_str()));
    // Process ids come again under Wine: a file of an earlier run would
    // make the save dialog ask before it replaces it.
    DeleteFileAt((folder_ + "\\JOURNEY.ZQK").c_str());
    ASSERT_NO_FATAL_FAILURE(StartProgram());
  }
  void TearDown() override {
    program_.Kill();
    // The next way starts without settings too, as on a fresh prefix.
    RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKeyPath);
    for (int i = 0; i < kBigFiles; ++i) DeleteFileAt(BigFile(i).c_str());
    RemoveFolder((folder_ + "\\big").c_str());
  }

  // The program folder's default folders and the default image.
  std::string DiscFolder() const { return home_ + "\\disk1"; }
  std::string MenuFolder() const { return home_ + "\\disk1\\KORVEL"; }
  std::string DefaultImage() const { return home_ + "\\iso\\mydisk.iso"; }

  HWND Named(int id) const { return FindControl(main_, kFirstRowId + id); }
  static HWND Field(HWND form, int id) { return FindControl(form, kFirstRowId + id); }
  bool Type(int id, const char* text) { return TypeInto(Named(id), text); }
  // Appends an item with a button and waits for its row.
  bool Append(int button, int list, int rows) {
    Click(Named(button));
    return WaitFor([&] { return ListRowCount(Named(list)) == rows; });
  }
  bool CellIs(int list, int row, int column, const std::string& text) {
    return WaitFor([&] { return ListCell(Named(list), row, column) == text; });
  }

  // ---------------------------------------------------------------- steps

  // As a shortcut starts it: the program's folder is the current folder.
  void StartProgram() {
    ASSERT_TRUE(program_.Start(home_ + "\\Tarnwick.exe", "", home_.c_str()));
    main_ = program_.WaitForWindow("TfrmTb", "Tarnwick");
    ASSERT_TRUE(main_);
    Settle(main_);  // the first showing, which opens the last menu, has ended
    pages_ = Named(T::tabstrp);
  }

  // A menu saved earlier into the build tree's default menu folder opens at
  // start; the design begins as a new menu does.
  void StartANewMenu() {
    ASSERT_TRUE(SelectTab(pages_, kPageFile));
    Click(Named(T::btnNew));
    ASSERT_TRUE(WaitFor([&] { return TextOf(Named(T::txtMenuFileName)).empty(); }));
    if (HWND box = program_.WaitForDialog(300)) FAIL() << MessageText(box);
  }

  // One box and one menu entry with its hot key.
  void DesignASmallMenu() {
    ASSERT_TRUE(SelectTab(pages_, kPageLayout));
    ASSERT_TRUE(Append(T::btnAppendL, T::lstViewL, 1));
    ASSERT_TRUE(SelectTab(pages_, kPageMenu));
    ASSERT_TRUE(Append(T::btnAppendM, T::lstViewM, 1));
    ASSERT_TRUE(Type(T::txtMenuCmd, kCommands[0]));
    ASSERT_TRUE(Type(T::txtMenuText, kMenuTexts[0]));
    ASSERT_TRUE(Type(T::txtAccKey, kHotKeys[0]));
    EXPECT_TRUE(CellIs(T::lstViewM, 0, 3, "'1'"));
  }

  // Two layout boxes, the first one red inside.
  void DesignLayoutBoxes() {
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
  }

  // Three text lines; the lower row follows the upper one.
  void DesignTextLines() {
    ASSERT_TRUE(SelectTab(pages_, kPageText));
    const char* const rows[] = {"140", "160", "180"};
    for (int i = 0; i < 3; ++i) {
      ASSERT_TRUE(Append(T::btnAppendT, T::lstViewT, i + 1));
      ASSERT_TRUE(Type(T::txtULRowT, rows[i]));
      ASSERT_TRUE(Type(T::txtTextStr, kLines[i]));
    }
    EXPECT_EQ("196", TextOf(Named(T::txtLRRowT)));
    Click(Named(T::optAlignMiddle));
    EXPECT_TRUE(CellIs(T::lstViewT, 2, 4, "Middle"));
    EXPECT_TRUE(CellIs(T::lstViewT, 0, 5, "Welcome"));
  }

  // Three menu entries with commands, hot keys and cursor-key targets.
  void DesignMenuEntries() {
    ASSERT_TRUE(SelectTab(pages_, kPageMenu));
    const char* const tops[] = {"220", "250", "280"};
    for (int i = 0; i < 3; ++i) {
      ASSERT_TRUE(Append(T::btnAppendM, T::lstViewM, i + 1));
      ASSERT_TRUE(Type(T::txtULRowM, tops[i]));
      ASSERT_TRUE(Type(T::txtMenuCmd, kCommands[i]));
      ASSERT_TRUE(Type(T::txtMenuText, kMenuTexts[i]));
      ASSERT_TRUE(Type(T::txtAccKey, kHotKeys[i]));
      ASSERT_TRUE(Type(T::cmbDownKey, kDownTargets[i]));
    }
    EXPECT_TRUE(CellIs(T::lstViewM, 1, 3, "'2'"));
    EXPECT_TRUE(CellIs(T::lstViewM, 2, 6, "1"));
    // Back to the first entry by its row: its fields come back.
    ASSERT_TRUE(ClickListRow(Named(T::lstViewM), 0));
    EXPECT_TRUE(WaitFor([&] { return TextOf(Named(T::txtMenuCmd)) == "boot 80"; }));
  }

  // Two function keys, caught from the keyboard.
  void DesignFunctionKeys() {
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
  }

  // Box 2 moved on the preview with the mouse: the first click selects it
  // (the main window turns to the Layout page), the second, at once after
  // it, starts moving it with the cursor put on its centre; a right click
  // stores where it went. The box's left column before the move goes to
  // *left.
  void MoveTheSecondBoxOnThePreview(int* left) {
    HWND preview = program_.WaitForWindow("TfrmPreview", "CD/DVD Boot Menu Preview");
    ASSERT_TRUE(preview);
    HWND status = FindControl(preview, STATUSCLASSNAMEA, nullptr);
    ASSERT_EQ(1, sscanf(ListCell(Named(T::lstViewL), 1, 1).c_str(), "(120,%d)", left));
    const POINT grab = ScreenPointOf(preview, *left + 10, 125);  // above the text lines
    ClickAt(grab.x, grab.y);
    ASSERT_TRUE(WaitFor([&] { return SelectedTab(pages_) == kPageLayout; }));
    ClickAt(grab.x, grab.y);
    const POINT centre = ScreenPointOf(preview, (*left + 473) / 2, (120 + 301) / 2);
    ASSERT_TRUE(WaitFor([&] { return CursorAt().x == centre.x && CursorAt().y == centre.y; }));
    MoveMouseTo(centre.x + 50, centre.y - 40);
    const std::string moved = "(80," + std::to_string(*left + 50) + ")-(260,522)";
    // The centred panel's text starts with a tab.
    ASSERT_TRUE(WaitFor([&] { return TextOf(status) == "\t" + moved; })) << TextOf(status);
    RightClickAt(centre.x + 50, centre.y - 40);
    EXPECT_TRUE(CellIs(T::lstViewL, 1, 1, "(80," + std::to_string(*left + 50) + ")"));
  }

  // Save As on the File page; path is what the user types into the file
  // dialog (a name alone lands in the dialog's initial folder). The two
  // messages of a menu without pictures are acknowledged.
  void SaveAs(const std::string& path) {
    ASSERT_TRUE(SelectTab(pages_, kPageFile));
    PostClick(Named(T::btnSaveAs));
    HWND dialog = program_.WaitForDialog();
    ASSERT_TRUE(dialog);
    AnswerFileDialog(dialog, path.c_str());
    ASSERT_FALSE(IsWindow(dialog));
    EXPECT_EQ(kPictureNotes, AcknowledgeMessages());
    const std::string name = path.substr(path.rfind('\\') + 1);
    EXPECT_TRUE(WaitFor([&] { return TextOf(Named(T::txtMenuFileName)) == name; }));
  }

  // The writer's notes on a menu without pictures, at every save.
  const std::vector<std::string> kPictureNotes = {"Logo image open error!", "Background image open error!"};

  // The messages a save shows, each acknowledged with OK, in order.
  std::vector<std::string> AcknowledgeMessages() {
    std::vector<std::string> messages;
    for (int shown = 0; shown < 4; ++shown) {
      HWND box = program_.WaitForDialog(3000);
      if (!box) break;
      messages.push_back(MessageText(box));
      AnswerMessage(box, IDOK);
    }
    return messages;
  }

  // Save As onto held, a file that another program holds open: the save
  // dialog's question whether to replace it is answered Yes, and the save
  // fails with "Create Error!" after the notes on the pictures.
  void FailASaveAsOntoAHeldFile(const std::string& held) {
    ASSERT_TRUE(WriteBytes(held, std::vector<uint8_t>(3000, 0x5A)));
    HANDLE file = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    PostClick(Named(T::btnSaveAs));
    HWND dialog = program_.WaitForDialog(), question = nullptr;
    if (dialog) {
      std::thread naming([&] { AnswerFileDialog(dialog, held.c_str()); });
      if (WaitFor([&] { return (question = BoxOwnedBy(dialog)) != nullptr; })) AnswerMessage(question, IDYES);
      naming.join();
    }
    const std::vector<std::string> messages = AcknowledgeMessages();
    CloseHandle(file);
    ASSERT_TRUE(question);
    EXPECT_EQ((std::vector<std::string>{kPictureNotes[0], kPictureNotes[1], "File '" + held + "' Create Error!"}),
              messages);
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
    ASSERT_NO_FATAL_FAILURE(ExpectTheProgramEnds());
  }

  // The program ends with exit code 0; the messages that its last save
  // shows meanwhile (the writer's notes on the missing pictures, as at Save
  // As) are acknowledged with OK, however late a loaded machine shows them.
  void ExpectTheProgramEnds() {
    DWORD exitCode = 1;
    const bool ended = WaitFor([&] {
      if (HWND box = program_.WaitForDialog(0)) AnswerMessage(box, IDOK);
      return program_.WaitForExit(0, &exitCode);
    }, 30000);
    ASSERT_TRUE(ended);
    EXPECT_EQ(0u, exitCode);
  }

  // The save question answered with Yes on a menu never saved: Save As
  // comes and takes name (a name alone lands in its folder, the menu
  // folder).
  void AnswerYesAndName(HWND question, const char* name) {
    ASSERT_TRUE(question);
    EXPECT_EQ("File Changed, Save It?", MessageText(question));
    AnswerMessage(question, IDYES);
    HWND dialog = program_.WaitForDialog();
    ASSERT_TRUE(dialog);
    ASSERT_EQ("Save Menu File As", TextOf(dialog)) << MessageText(dialog);
    AnswerFileDialog(dialog, name);
    ASSERT_FALSE(IsWindow(dialog));
  }

  // The small design's menu, read back from the file.
  void ExpectTheSmallMenuIn(const std::string& path) {
    std::vector<uint8_t> bytes = ReadBytes(path);
    ASSERT_FALSE(bytes.empty()) << path;
    ASSERT_TRUE(ReadMenuFileBytes(bytes.data(), bytes.size()));
    const MenuDocument& doc = TheDocument;
    std::string boxes;
    for (int i = 1; i <= doc.ItemCount[kLayoutList] && i <= kMaxLayoutItems; ++i) {
      const LayoutItem& box = doc.layoutItems[i];
      boxes += " (" + std::to_string(box.x1) + "," + std::to_string(box.y1) + ")-(" + std::to_string(box.x2) + "," +
               std::to_string(box.y2) + ")";
    }
    EXPECT_EQ(1, doc.ItemCount[kLayoutList]) << "boxes:" << boxes;
    ASSERT_EQ(1, doc.ItemCount[kMenuList]);
    EXPECT_STREQ(kCommands[0], doc.menuStrings[1].command);
    EXPECT_STREQ(kMenuTexts[0], doc.menuStrings[1].text);
    EXPECT_EQ(kHotKeys[0][0], doc.menuKeys[1].accKey);
  }

  // Files a user puts on the disc beside the boot folder.
  void PutFilesIntoTheDiscFolder() {
    ASSERT_TRUE(CreateFolder((DiscFolder() + "\\Docs").c_str()));
    ASSERT_TRUE(WriteBytes(DiscFolder() + "\\readme.txt", std::vector<uint8_t>(3000, 'r')));
    std::vector<uint8_t> notes(70000);
    for (size_t i = 0; i < notes.size(); ++i) notes[i] = (uint8_t)(i * 7 + i / 251);
    ASSERT_TRUE(WriteBytes(DiscFolder() + "\\Docs\\Release Notes.txt", notes));
  }

  HWND OpenMakeIso() {
    PostClick(Named(T::btnISOMake));
    return program_.WaitForWindow("TfrmMakeISO", "Make ISO File");
  }

  // Make ISO saves the menu again without a word; the dialog proposes the
  // default disc folder, the menu's loader.bin and the default image, and
  // Make builds it (an image of an earlier run is replaced on Yes).
  void MakeIsoWithTheDialogDefaults() {
    const bool replacing = PathExists(DefaultImage().c_str());
    HWND dialog = OpenMakeIso();
    if (HWND box = program_.WaitForDialog(500)) FAIL() << MessageText(box);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(DiscFolder(), TextOf(Field(dialog, M::txtCDFileDir)));
    EXPECT_EQ(MenuFolder() + "\\loader.bin", TextOf(Field(dialog, M::txtBootImage)));
    EXPECT_EQ(DefaultImage(), TextOf(Field(dialog, M::txtISOFile)));
    PostClick(Field(dialog, M::btnMake));
    if (replacing) {
      HWND box = program_.WaitForDialog();
      ASSERT_TRUE(box);
      EXPECT_EQ("ISO File '" + DefaultImage() + "' exist, Overwrite?", MessageText(box));
      AnswerMessage(box, IDYES);
    }
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog) || program_.HasDialog(); }, 60000));
    if (HWND box = program_.WaitForDialog(500)) FAIL() << MessageText(box);
  }

  // Files of the big tree: sparse, so that they take no time to make and
  // no disc space, and read back fast. 3.6 GB in all (below the 4 GB
  // question), so that even where images are written at a few GB a second
  // the copy lasts long after the Stop click is sent: the progress window
  // takes one message per update, and a click is several.
  enum { kBigFiles = 4 };
  static constexpr LONGLONG kBigFileSize = 900LL << 20;
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

  // Again to the default image, from the big tree, stopped early in the
  // copy: the image made before stays as it was.
  void StopAnotherBuildOfTheSameImage() {
    const std::vector<uint8_t> made = ReadBytes(DefaultImage());
    ASSERT_TRUE(MakeBigTree());
    HWND dialog = OpenMakeIso();
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(TypeInto(Field(dialog, M::txtCDFileDir), (folder_ + "\\big").c_str()));
    PostClick(Field(dialog, M::btnMake));
    HWND box = program_.WaitForDialog();
    ASSERT_TRUE(box);
    EXPECT_EQ("ISO File '" + DefaultImage() + "' exist, Overwrite?", MessageText(box));
    AnswerMessage(box, IDYES);
    HWND progress = program_.WaitForWindow("TfrmProgress", nullptr);
    ASSERT_TRUE(progress);
    // The window shows first in its preparing mode, where the hidden
    // percentage still reads the last build's 100 %; Stop shows with the
    // copy, which resets it.
    HWND stop = Field(progress, P::btnCancel);
    HWND done = Field(progress, P::lbDoneTxt);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(stop) && atof(TextOf(done).c_str()) >= 5; }, 60000));
    Click(stop);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog); }, 60000));
    EXPECT_FALSE(program_.HasDialog());
    EXPECT_FALSE(PathExists((DefaultImage() + ".tw~").c_str()));
    EXPECT_TRUE(ReadBytes(DefaultImage()) == made) << "the earlier image changed";
  }

  // The design steps' menu, read back from the file with the program's own
  // reader; box 2 was moved to row 80, column left + 50.
  void ExpectTheDesignIn(const std::string& path, int left) {
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
      EXPECT_STREQ(kLines[i], doc.textItems[i + 1].text);
      EXPECT_EQ(140 + 20 * i, doc.textItems[i + 1].geometry.y1);
      EXPECT_EQ(156 + 20 * i, doc.textItems[i + 1].geometry.y2);
    }
    EXPECT_EQ(kAlignMiddle, doc.textItems[3].geometry.align);
    ASSERT_EQ(3, doc.ItemCount[kMenuList]);
    for (int i = 0; i < 3; ++i) {
      EXPECT_STREQ(kCommands[i], doc.menuStrings[i + 1].command);
      EXPECT_STREQ(kMenuTexts[i], doc.menuStrings[i + 1].text);
      EXPECT_EQ(kHotKeys[i][0], doc.menuKeys[i + 1].accKey);
      EXPECT_EQ(kDownTargets[i][0] - '0', doc.menuKeys[i + 1].down);
      EXPECT_EQ(220 + 30 * i, doc.menuGeometry[i + 1].y1);
    }
    EXPECT_EQ(kTypedMenuColumn, doc.menuGeometry[1].x2);
    EXPECT_EQ(kTypedTextColumn, doc.textItems[1].geometry.x2);
    ASSERT_EQ(2, doc.ItemCount[kFunctionKeyList]);
    EXPECT_STREQ("f2", doc.functionKeys[1].key);
    EXPECT_STREQ("reboot", doc.functionKeys[1].command);
    EXPECT_STREQ("sf3", doc.functionKeys[2].key);
    EXPECT_STREQ("halt", doc.functionKeys[2].command);
  }

  // The tabs with the keys and the mouse: with the focus on the tab strip,
  // Right walks across every page (and Left back to Text), each page shown
  // with its tab while the focus stays on the strip; 24 Tab presses never
  // reach a control of a hidden page; a click on a tab shows its page.
  bool PageShown(int page) {
    const int sheets[] = {T::tsFile, T::tsLayout, T::tsTextShow, T::tsMenuBar, T::tsFuncKey, T::tsAbout};
    return SelectedTab(pages_) == page && IsWindowVisible(Named(sheets[page]));
  }
  void WalkTheTabsWithTheKeysAndTheMouse() {
    HWND tabs = FindControl(pages_, WC_TABCONTROLA, nullptr);
    ASSERT_TRUE(SelectTab(pages_, kPageFile));
    ASSERT_TRUE(WaitForFocus(tabs));
    const WORD keys[] = {VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_LEFT, VK_LEFT, VK_LEFT};
    int page = kPageFile;
    for (WORD key : keys) {
      PressKey(key);
      page += key == VK_RIGHT ? 1 : -1;
      ASSERT_TRUE(WaitFor([&] { return PageShown(page); })) << "the arrow did not show page " << page;
      ASSERT_EQ(tabs, FocusedControl(main_)) << "the focus left the tab strip on page " << page;
    }
    for (int press = 0; press < 24; ++press) {
      PressKey(VK_TAB);
      HWND focus = FocusedControl(main_);
      EXPECT_TRUE(focus && IsWindowVisible(focus)) << "Tab " << press << " went to a hidden control";
    }
    for (int shown : {kPageFile, kPageMenu}) {
      ASSERT_TRUE(SelectTab(pages_, shown));
      EXPECT_TRUE(WaitFor([&] { return PageShown(shown); })) << "the click did not show page " << shown;
    }
  }

  // What the quit sequence stored.
  void ExpectTheStoredSettings() {
    const std::string settings = StoredSettings();
    EXPECT_EQ("JOURNEY.ZQK", RegValue(settings, "MenuFileName")) << settings;
    EXPECT_EQ("1", RegValue(settings, "AutoLoad"));
    EXPECT_EQ("KORVEL", RegValue(settings, "ImageFileDir"));
    EXPECT_EQ("BootMenu", RegValue(settings, "CDVolumeID"));
    EXPECT_EQ("mydisk.iso", RegValue(settings, "ISOFileName"));
    EXPECT_EQ("1", RegValue(settings, "HideBootFiles"));
  }

  Program program_;
  HWND main_ = nullptr;
  HWND pages_ = nullptr;
  std::string home_;    // the program folder
  std::string folder_;  // a scratch folder of this run
};

// The first start of a newly built program: everything with the defaults.
// The image stays in the program folder's iso folder for the image checks.
TEST_F(MainWindowJourney, FirstStartSavesIntoTheDefaultMenuFolderAndMakesTheDefaultImage) {
  ASSERT_NO_FATAL_FAILURE(StartANewMenu());
  ASSERT_NO_FATAL_FAILURE(DesignASmallMenu());
  DeleteFileAt((MenuFolder() + "\\JOURNEY.ZQK").c_str());  // an earlier run's: the dialog would ask
  ASSERT_NO_FATAL_FAILURE(SaveAs("JOURNEY.ZQK"));
  ASSERT_TRUE(FileExists((MenuFolder() + "\\JOURNEY.ZQK").c_str())) << "not saved into the default menu folder";
  EXPECT_TRUE(FileExists((MenuFolder() + "\\loader.bin").c_str()));
  ASSERT_NO_FATAL_FAILURE(PutFilesIntoTheDiscFolder());
  ASSERT_NO_FATAL_FAILURE(MakeIsoWithTheDialogDefaults());
  const int64_t size = GetFileSize64(DefaultImage().c_str());
  ASSERT_GT(size, 70000) << DefaultImage();
  EXPECT_EQ(0, size % 2048);
  ASSERT_NO_FATAL_FAILURE(StopAnotherBuildOfTheSameImage());
}

TEST_F(MainWindowJourney, DesignSaveAsAndQuit) {
  ASSERT_NO_FATAL_FAILURE(StartANewMenu());
  ASSERT_NO_FATAL_FAILURE(DesignLayoutBoxes());
  ASSERT_NO_FATAL_FAILURE(DesignTextLines());
  ASSERT_NO_FATAL_FAILURE(DesignMenuEntries());
  ASSERT_NO_FATAL_FAILURE(TypeThenClickAnotherRow());
  ASSERT_NO_FATAL_FAILURE(DesignFunctionKeys());
  int left = 0;
  ASSERT_NO_FATAL_FAILURE(MoveTheSecondBoxOnThePreview(&left));
  // The menu names no logo or background picture, which the writer
  // reports and the user acknowledges.
  const std::string path = folder_ + "\\JOURNEY.ZQK";
  ASSERT_NO_FATAL_FAILURE(SaveAs(path));
  ASSERT_NO_FATAL_FAILURE(TypeThenCloseWithAltF4());
  ExpectTheDesignIn(path, left);
  ExpectTheStoredSettings();
}

// A failed Save As: the small menu, saved as SHOWN.ZQK, is saved as a file
// that another program holds open, which fails; "Menu File:" still shows
// SHOWN.ZQK, and Save writes that file (gone meanwhile), not the held one.
TEST_F(MainWindowJourney, AFailedSaveAsLeavesTheMenuUnderTheNameItShows) {
  const std::string shown = folder_ + "\\SHOWN.ZQK", held = folder_ + "\\HELD.ZQK";
  DeleteFileAt(shown.c_str());  // an earlier run's: the dialog would ask
  ASSERT_NO_FATAL_FAILURE(StartANewMenu());
  ASSERT_NO_FATAL_FAILURE(DesignASmallMenu());
  ASSERT_NO_FATAL_FAILURE(SaveAs(shown));
  ASSERT_NO_FATAL_FAILURE(FailASaveAsOntoAHeldFile(held));
  EXPECT_EQ("SHOWN.ZQK", TextOf(Named(T::txtMenuFileName)));
  const std::vector<uint8_t> heldBytes = ReadBytes(held);
  ASSERT_TRUE(DeleteFileAt(shown.c_str()));
  PostClick(Named(T::btnSave));
  EXPECT_EQ(kPictureNotes, AcknowledgeMessages());
  ExpectTheSmallMenuIn(shown);
  EXPECT_TRUE(ReadBytes(held) == heldBytes) << "the held file was written";
}

// The tabs answer the keys and the mouse for the whole session.
TEST_F(MainWindowJourney, TheTabsAnswerTheKeysAndTheMouse) {
  ASSERT_NO_FATAL_FAILURE(StartANewMenu());
  ASSERT_NO_FATAL_FAILURE(WalkTheTabsWithTheKeysAndTheMouse());
}

// Unnamed menus: Alt+F4 on a menu never saved, Yes, a name; then a start
// with "Open Last Menu File at Start" unticked. The menu of this way is
// saved into the program folder's menu folder, whose boot files the image
// checks compare with the first way's image: they are put back at the end,
// and the menu file removed.
TEST_F(MainWindowJourney, AnUnnamedMenuIsSavedOnlyUnderANameTheUserGives) {
  const std::string last = MenuFolder() + "\\LAST.ZQK";
  DeleteFileAt(last.c_str());  // an earlier run's: the dialog would ask
  FilesPutBack putBack({MenuFolder() + "\\loader.bin", MenuFolder() + "\\kvldr", last});
  ASSERT_NO_FATAL_FAILURE(StartANewMenu());
  ASSERT_NO_FATAL_FAILURE(DesignASmallMenu());
  ASSERT_TRUE(SelectTab(pages_, kPageFile));
  Click(Named(T::chkAutoLoad));
  ASSERT_TRUE(WaitFor([&] { return !IsChecked(Named(T::chkAutoLoad)); }));
  PressKey(VK_F4, false, false, true);
  ASSERT_NO_FATAL_FAILURE(AnswerYesAndName(program_.WaitForDialog(), "LAST.ZQK"));
  ASSERT_NO_FATAL_FAILURE(ExpectTheProgramEnds());
  ASSERT_NO_FATAL_FAILURE(ExpectTheSmallMenuIn(last));
  const std::vector<uint8_t> saved = ReadBytes(last);
  std::string settings = StoredSettings();
  EXPECT_EQ("LAST.ZQK", RegValue(settings, "MenuFileName")) << settings;
  EXPECT_EQ("0", RegValue(settings, "AutoLoad"));

  // The next start opens nothing: Save asks for a name (cancelled), and the
  // quit's save question is answered No.
  ASSERT_NO_FATAL_FAILURE(StartProgram());
  ASSERT_TRUE(SelectTab(pages_, kPageLayout));
  ASSERT_TRUE(Append(T::btnAppendL, T::lstViewL, 1));
  ASSERT_TRUE(SelectTab(pages_, kPageFile));
  EXPECT_EQ("", TextOf(Named(T::txtMenuFileName)));
  PostClick(Named(T::btnSave));
  HWND dialog = program_.WaitForDialog();
  ASSERT_TRUE(dialog);
  EXPECT_EQ("Save Menu File As", TextOf(dialog)) << MessageText(dialog);
  AnswerMessage(dialog, IDCANCEL);
  PostClick(Named(T::btnQuit));
  HWND question = program_.WaitForDialog();
  ASSERT_TRUE(question);
  EXPECT_EQ("File Changed, Save It?", MessageText(question));
  AnswerMessage(question, IDNO);
  ASSERT_NO_FATAL_FAILURE(ExpectTheProgramEnds());
  EXPECT_TRUE(ReadBytes(last) == saved) << "the last menu file changed";
  settings = StoredSettings();
  EXPECT_EQ("LAST.ZQK", RegValue(settings, "MenuFileName")) << settings;
}

}  // namespace
