// A user's way through the main window, driven from outside the program:
// the real Tarnwick.exe is started, a menu is designed on the four list
// pages with the mouse and the keyboard (two layout boxes, three text
// lines, three menu entries with commands and hot keys, two function
// keys), saved with Save As and the program quit. The saved file is read
// back with the program's own reader, and "reg query" shows what the quit
// sequence stored.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/startup.h"
#include "menu/document.h"
#include "menu/menu_file_reader.h"
#include "platform/files.h"
#include "tests/acceptance/driver.h"
#include "tests/file_bytes.h"
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

  HWND Named(int id) const { return FindControl(main_, kFirstRowId + id); }
  bool Type(int id, const char* text) { return TypeInto(Named(id), text); }
  // Appends an item with a button and waits for its row.
  bool Append(int button, int list, int rows) {
    Click(Named(button));
    return WaitFor([&] { return ListRowCount(Named(list)) == rows; });
  }
  bool CellIs(int list, int row, int column, const std::string& text) {
    return WaitFor([&] { return ListCell(Named(list), row, column) == text; });
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

  // Save As; the menu names no logo or background picture, which the
  // writer reports and the user acknowledges.
  ASSERT_TRUE(SelectTab(pages_, kPageFile));
  PostClick(Named(T::btnSaveAs));
  HWND dialog = program_.WaitForDialog();
  ASSERT_TRUE(dialog);
  const std::string path = folder_ + "\\JOURNEY.ZQK";
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
  EXPECT_TRUE(WaitFor([&] { return TextOf(Named(T::txtMenuFileName)) == "JOURNEY.ZQK"; }));

  // Quit: nothing is left to save.
  PostClick(Named(T::btnQuit));
  DWORD exitCode = 1;
  ASSERT_TRUE(program_.WaitForExit(20000, &exitCode));
  EXPECT_EQ(0u, exitCode);

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
  EXPECT_EQ(120, doc.layoutItems[2].y1);
  EXPECT_EQ(300, doc.layoutItems[2].y2);
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

}  // namespace
