// The Make-ISO dialog through the forms layer: what it shows, what it
// stores, and the Make sequence against a recording engine and against the
// image engine itself.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/engine_log.h"
#include "app/process_settings.h"
#include "app/language.h"
#include "image/iso_engine.h"
#include "image/progress_seam.h"
#include "menu/document.h"
#include "platform/files.h"
#include "platform/shell_launch.h"
#include "platform/system_version.h"
#include "tests/file_bytes.h"
#include "tests/win/form_driver.h"
#include "ui/frm_make_iso.h"
#include "ui/frm_progress.h"
#include "ui/frm_tb.h"
#include "ui/main_settings.h"
#include "ui/make_iso_engine.h"
#include "ui/program_forms.h"
#include "win/application.h"

namespace {

typedef TfrmMakeISO M;
using form_driver::Click;
using form_driver::MessageBoxAnswerer;

// ------------------------------------------------------------ recording engine

// Records each call; the build writes "NEW" as the image, or deletes the
// output as the engine does after a failed build, and tries a second Make.
struct Recording {
  std::vector<std::string> calls;
  int createResult = 1, buildResult = 1, leftOutCount = 0;
  std::vector<std::string> leftOutPaths;
  std::string output;
  IsoMakeOptions optionsAtBuild;
  bool preparingAtInit = false, windowsEnabledInBuild = true;
  std::string waitLineAtInit;
};
Recording g_rec;
int g_rootNode;

int Call(const std::string& call) {
  g_rec.calls.push_back(call);
  return 1;
}
int RecInit() {
  g_rec.preparingAtInit = frmProgress->Visible() && ProgressMode == kProgressModePreparing;
  g_rec.waitLineAtInit = frmProgress->ControlAt(TfrmProgress::lbWait).Text();
  return Call("init");
}
int RecNew() { return Call("new"); }
DirectoryNode* RecRoot() { return (DirectoryNode*)&g_rootNode; }
int RecLeaveOut(const char* path) { return Call(std::string("leave ") + path); }
int RecAdd(DirectoryNode* node, const char* folder) { return Call((node == RecRoot() ? "add " : "add ? ") + std::string(folder)); }
int RecBoot(const char* path) { return Call(std::string("boot ") + path); }
int RecCreate(const char* path) {
  Call(std::string("create ") + path);
  g_rec.output = path;
  return g_rec.createResult && WriteBytes(path, {});
}
int RecBuild() {
  g_rec.optionsAtBuild = IsoOptions;
  g_rec.windowsEnabledInBuild = IsWindowEnabled(*frmMakeISO) || IsWindowEnabled(*TheApplication.MainForm());
  SendMessageA(frmMakeISO->ControlAt(M::btnMake), BM_CLICK, 0, 0);
  if (g_rec.buildResult) WriteBytes(g_rec.output, {'N', 'E', 'W'});
  else DeleteFileA(g_rec.output.c_str());
  return Call("build");
}
int RecClose() { return Call("close"); }
int RecDone() { return Call("done"); }
int RecResult() { return g_rec.buildResult; }
int RecLeftOutCount() { return g_rec.leftOutCount; }
const char* RecLeftOutPath(int i) { return i < (int)g_rec.leftOutPaths.size() ? g_rec.leftOutPaths[i].c_str() : nullptr; }

const MakeIsoEngine kRecordingEngine = {RecInit,   RecNew,   RecRoot,  RecLeaveOut, RecAdd,
                                        RecBoot,   RecCreate, RecBuild, RecClose,    RecDone,
                                        RecResult, RecLeftOutCount, RecLeftOutPath};

// ------------------------------------------------------------ fixture

std::string TempFolder() {
  static int count = 0;
  char base[MAX_PATH];
  GetTempPathA(sizeof base, base);
  std::string folder = std::string(base) + "tw_make_iso_" + std::to_string(GetCurrentProcessId()) + "_" +
                       std::to_string(++count);
  // Wine gives process ids again: an earlier run's folder of this name
  // would hold its image, and Make would ask before replacing it.
  system(("cmd /c rmdir /s /q \"" + folder + "\" 2>nul").c_str());
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

// A boot image the engine accepts: 2,048 bytes ending in 0x55 0xAA.
std::vector<uint8_t> BootSector() {
  std::vector<uint8_t> bytes(2048, 0x90);
  bytes[2046] = 0x55;
  bytes[2047] = 0xAA;
  return bytes;
}

class MakeIsoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateProgramForms(TheApplication);
    root_ = TempFolder();
    disc_ = root_ + "\\disk1";
    menu_ = disc_ + "\\KORVEL";
    CreateDirectoryA(disc_.c_str(), nullptr);
    CreateDirectoryA(menu_.c_str(), nullptr);
    CreateDirectoryA((root_ + "\\iso").c_str(), nullptr);
    WriteBytes(menu_ + "\\loader.bin", BootSector());
    WriteBytes(disc_ + "\\readme.txt", {'h', 'i'});
    strcpy(TheDocument.CDFileDir, disc_.c_str());
    strcpy(TheDocument.MenuFileDir, menu_.c_str());
    settingsBefore_ = TheMainSettings;
    strcpy(TheMainSettings.ISOFileDir, (root_ + "\\iso").c_str());
    strcpy(TheMainSettings.ISOFileName, "disc.iso");
    target_ = root_ + "\\iso\\disc.iso";
    g_rec = Recording();
    engineBefore_ = SetMakeIsoEngine(&kRecordingEngine);
  }
  void TearDown() override {
    SetMakeIsoEngine(engineBefore_);
    TheMainSettings = settingsBefore_;
    TheApplication.DestroyForms();
    TheLanguage.currentLangId = 1033;
    TheApplication.SetScreenPixelsPerInch(96);
    std::string command = "cmd /c rmdir /s /q \"" + root_ + "\"";
    SetFileAttributesA(target_.c_str(), FILE_ATTRIBUTE_NORMAL);
    system(command.c_str());
  }
  void ShowDialog() {
    frmMakeISO->Show();
    form_driver::Pump();
  }
  void SetText(int id, const std::string& text) { frmMakeISO->ControlAt(id).SetText(text.c_str()); }
  std::string Text(int id) { return frmMakeISO->ControlAt(id).Text(); }
  // The seven option boxes as 0 and 1, in the order of IsoSettingValues.
  std::string Boxes() {
    std::string marks;
    for (int id : {M::chkOptimize, M::chkDOS, M::chkJoliet, M::chkDateTime, M::chkHideFolder, M::chkHideFiles,
                   M::chkLowercase}) {
      marks += CheckBox(frmMakeISO->ControlAt(id)).Checked() ? '1' : '0';
    }
    return marks;
  }
  std::vector<std::string> ExpectedCalls(const std::string& target) {
    return {"init", "new", "leave " + target, "leave " + target + ".tw~", "add " + disc_,
            "boot " + menu_ + "\\loader.bin", "create " + target + ".tw~", "build", "close", "done"};
  }

  std::string root_, disc_, menu_, target_;
  MainSettings settingsBefore_;
  const MakeIsoEngine* engineBefore_;
};

TEST_F(MakeIsoTest, ShowFillsTheFieldsAndClosingStoresTheOptions) {
  TheMainSettings.IsoSettings = {0, 1, 1, 0, 1, 0, 1};
  strcpy(TheMainSettings.VolumeLabel, "MYLABEL");
  ShowDialog();
  EXPECT_EQ("Make ISO File", frmMakeISO->Caption());
  EXPECT_EQ(target_, Text(M::txtISOFile));
  EXPECT_EQ(menu_ + "\\loader.bin", Text(M::txtBootImage));
  EXPECT_EQ(disc_, Text(M::txtCDFileDir));
  EXPECT_EQ("MYLABEL", Text(M::txtCDVol));
  EXPECT_EQ("0110101", Boxes());
  EXPECT_FALSE(frmMakeISO->ControlAt(M::datePicker).Enabled());
  Form* main = TheApplication.MainForm();
  EXPECT_EQ(main->Left() + main->Width() / 2, frmMakeISO->Left());
  EXPECT_EQ(main->Top() + main->Height() / 4, frmMakeISO->Top());

  Click(*frmMakeISO, M::chkDateTime);
  EXPECT_TRUE(frmMakeISO->ControlAt(M::timePicker).Enabled());
  Click(*frmMakeISO, M::chkHideFiles);
  EXPECT_EQ(1, TheMainSettings.IsoSettings.HideBootFiles);  // at once
  Click(*frmMakeISO, M::chkJoliet);
  SetText(M::txtCDVol, "NEWLABEL");
  SetText(M::txtCDFileDir, "C:\\elsewhere");
  Click(*frmMakeISO, M::btnReturn);
  EXPECT_FALSE(frmMakeISO->Visible());
  EXPECT_STREQ("NEWLABEL", TheMainSettings.VolumeLabel);

  ShowDialog();
  EXPECT_EQ("0101111", Boxes());  // stored when the dialog was closed
  EXPECT_EQ(disc_, Text(M::txtCDFileDir));  // an edit of the folder is not kept
  EXPECT_EQ("NEWLABEL", Text(M::txtCDVol));
  EXPECT_TRUE(frmMakeISO->ControlAt(M::datePicker).Enabled());
}

TEST_F(MakeIsoTest, MakeCallsTheEngineInOrderAndPutsTheImageInPlace) {
  TheMainSettings.IsoSettings = {1, 0, 0, 0, 0, 1, 0};
  ShowDialog();
  Click(*frmMakeISO, M::chkDOS);
  Click(*frmMakeISO, M::chkJoliet);
  SetText(M::txtCDVol, "DISC");
  IsoOptions.Optimize = 0;  // the build before was not optimized
  MessageBoxAnswerer boxes;
  Click(*frmMakeISO, M::btnMake);

  EXPECT_EQ(0, boxes.Count()) << (boxes.Count() ? boxes.Boxes()[0].text : "");
  EXPECT_EQ(ExpectedCalls(target_), g_rec.calls);  // a second Make during the build started nothing
  EXPECT_TRUE(g_rec.preparingAtInit);
  EXPECT_EQ("Optimizing File System, Please Wait ...", g_rec.waitLineAtInit);  // this build's option
  EXPECT_FALSE(g_rec.windowsEnabledInBuild);
  const IsoMakeOptions& o = g_rec.optionsAtBuild;
  EXPECT_EQ("0110001", std::to_string(o.LongNames) + std::to_string(o.Joliet) + std::to_string(o.Optimize) +
                           std::to_string(o.AllowLowercase) + std::to_string(o.SetDateTime) +
                           std::to_string(o.HideBootFolder) + std::to_string(o.HideBootFiles));
  EXPECT_STREQ("DISC", o.SavedVolumeLabel);
  EXPECT_STREQ("Tarnwick 3.0.0.1", o.PreparerName);
  EXPECT_STREQ(target_.c_str(), ISOFilePath);

  EXPECT_EQ(std::vector<uint8_t>({'N', 'E', 'W'}), ReadBytes(target_));
  EXPECT_FALSE(FileExists((target_ + ".tw~").c_str()));
  EXPECT_FALSE(frmMakeISO->Visible());
  EXPECT_FALSE(frmProgress->Visible());
  EXPECT_TRUE(IsWindowEnabled(*frmMakeISO));
  EXPECT_TRUE(IsWindowEnabled(*TheApplication.MainForm()));
  EXPECT_EQ(1, TheMainSettings.IsoSettings.VOL_DOS83);  // closing stored the boxes
}

TEST_F(MakeIsoTest, OneMessageTellsWhatTheImageWasMadeWithout) {
  g_rec.leftOutCount = 7;
  for (int i = 0; i < kIsoLeftOutPathsKept; ++i) g_rec.leftOutPaths.push_back("C:\\disc\\lost" + std::to_string(i));
  strcpy(TheEngineLog.path, "C:\\temp\\Plexi$dor\\plexidor.log");
  ShowDialog();
  MessageBoxAnswerer boxes(kIdYes);
  Click(*frmMakeISO, M::btnMake);
  ASSERT_EQ(1, boxes.Count());
  EXPECT_EQ("The image '" + target_ + "' was made without 7 entries of the disc folder:\n"
            "\n    C:\\disc\\lost0\n    C:\\disc\\lost1\n    C:\\disc\\lost2\n    C:\\disc\\lost3"
            "\n    C:\\disc\\lost4\n    ... and 2 more"
            "\n\nThe log file 'C:\\temp\\Plexi$dor\\plexidor.log' says why each was left out.",
            boxes.Boxes()[0].text);
  EXPECT_EQ((unsigned)(kMbOk | kMbIconInformation), boxes.Boxes()[0].style);

  g_rec.buildResult = 0;  // a build that failed has said so already
  ShowDialog();
  Click(*frmMakeISO, M::btnMake);
  ASSERT_EQ(2, boxes.Count());  // the overwrite question only
  EXPECT_EQ((unsigned)(kMbYesNo | kMbIconQuestion), boxes.Boxes()[1].style);
}

TEST_F(MakeIsoTest, TheOutputNameGetsIsoWhenItLacksIt) {
  const struct {
    const char* typed;
    const char* built;
  } cases[] = {{"\\iso\\disc", "\\iso\\disc.iso"},
               {"\\iso\\disc.ISO", "\\iso\\disc.ISO"},
               {"\\my.dir\\disc", "\\my.dir\\disc.iso"},
               {"\\iso\\disc.iso.bak", "\\iso\\disc.iso.bak.iso"}};
  CreateDirectoryA((root_ + "\\my.dir").c_str(), nullptr);
  MessageBoxAnswerer boxes(kIdYes);  // disc.ISO names the image disc.iso made before
  for (const auto& c : cases) {
    g_rec.calls.clear();
    ShowDialog();
    SetText(M::txtISOFile, root_ + c.typed);
    Click(*frmMakeISO, M::btnMake);
    ASSERT_EQ(10u, g_rec.calls.size()) << c.typed;
    EXPECT_EQ("create " + root_ + c.built + ".tw~", g_rec.calls[6]);
  }
}

TEST_F(MakeIsoTest, AnEarlierImageIsKeptOnNoAndOnAFailedBuildAndReplacedOnSuccess) {
  WriteBytes(target_, {'O', 'L', 'D'});
  SetFileAttributesA(target_.c_str(), FILE_ATTRIBUTE_READONLY);
  ShowDialog();
  MessageBoxAnswerer boxes(kIdYes);
  boxes.Queue(kIdNo);
  Click(*frmMakeISO, M::btnMake);
  ASSERT_EQ(1, boxes.Count());
  EXPECT_EQ("ISO File '" + target_ + "' exist, Overwrite?", boxes.Boxes()[0].text);
  EXPECT_EQ("Prompt", boxes.Boxes()[0].caption);
  EXPECT_EQ((void*)frmMakeISO->Handle(), boxes.Boxes()[0].owner);
  EXPECT_EQ((unsigned)(kMbYesNo | kMbIconQuestion), boxes.Boxes()[0].style);
  EXPECT_TRUE(g_rec.calls.empty());
  EXPECT_TRUE(frmMakeISO->Visible());

  g_rec.buildResult = 0;
  Click(*frmMakeISO, M::btnMake);
  EXPECT_EQ(ExpectedCalls(target_), g_rec.calls);
  EXPECT_EQ(std::vector<uint8_t>({'O', 'L', 'D'}), ReadBytes(target_));
  EXPECT_FALSE(FileExists((target_ + ".tw~").c_str()));

  g_rec.buildResult = 1;
  ShowDialog();
  Click(*frmMakeISO, M::btnMake);
  EXPECT_EQ(std::vector<uint8_t>({'N', 'E', 'W'}), ReadBytes(target_));
}

TEST_F(MakeIsoTest, LongPathsMissingFoldersAndAnUncreatableOutputAreReportedAndNothingIsBuilt) {
  ShowDialog();
  MessageBoxAnswerer boxes;
  SetText(M::txtCDFileDir, "C:\\" + std::string(257, 'a'));
  Click(*frmMakeISO, M::btnMake);
  SetText(M::txtCDFileDir, root_ + "\\nofolder");
  SetText(M::txtBootImage, root_ + "\\noboot.bin");
  Click(*frmMakeISO, M::btnMake);  // the folder is checked first
  SetText(M::txtCDFileDir, disc_);
  Click(*frmMakeISO, M::btnMake);
  EXPECT_TRUE(g_rec.calls.empty());
  ASSERT_EQ(3, boxes.Count());
  EXPECT_EQ(0u, boxes.Boxes()[0].text.find("CD File Dir: the path is 260 characters long; it must be shorter than "
                                             "260 characters."));
  EXPECT_EQ("CD File Directory '" + root_ + "\\nofolder' not Exist!", boxes.Boxes()[1].text);
  EXPECT_EQ("Error", boxes.Boxes()[1].caption);
  EXPECT_EQ((unsigned)kMbIconError, boxes.Boxes()[1].style);
  EXPECT_EQ("Boot Image '" + root_ + "\\noboot.bin' Not Exist!", boxes.Boxes()[2].text);

  // The image folder deleted: named, and the dialog stays for another path.
  SetText(M::txtBootImage, menu_ + "\\loader.bin");
  ASSERT_TRUE(RemoveDirectoryA((root_ + "\\iso").c_str()));
  Click(*frmMakeISO, M::btnMake);
  EXPECT_TRUE(g_rec.calls.empty());
  ASSERT_EQ(4, boxes.Count());
  EXPECT_EQ("Directory '" + root_ + "\\iso' not Exist!", boxes.Boxes()[3].text);
  EXPECT_EQ((unsigned)kMbIconError, boxes.Boxes()[3].style);
  EXPECT_TRUE(frmMakeISO->Visible());

  ASSERT_TRUE(CreateDirectoryA((root_ + "\\iso").c_str(), nullptr));
  g_rec.createResult = 0;
  Click(*frmMakeISO, M::btnMake);
  ASSERT_EQ(5, boxes.Count());
  EXPECT_EQ("File '" + target_ + "' Create Error!", boxes.Boxes()[4].text);
  std::vector<std::string> calls = ExpectedCalls(target_);
  calls.resize(7);  // up to the output file
  calls.push_back("done");
  EXPECT_EQ(calls, g_rec.calls);
  EXPECT_TRUE(frmMakeISO->Visible());
  EXPECT_FALSE(frmProgress->Visible());  // the preparing window is closed on this path too
}

TEST_F(MakeIsoTest, TheFixedDateKeepsItsLocalTimeInSummerAfter2038AndBefore1970) {
  // Central European time; in July the clocks are an hour ahead.
  _putenv("TZ=CET-1CEST");
  _tzset();
  TheMainSettings.IsoSettings.SetDateTime = 1;
  MessageBoxAnswerer boxes(kIdYes);  // replace the image of the case before
  const struct {
    SYSTEMTIME local;
    time_t utc;
  } cases[] = {
      {{2024, 7, 1, 1, 12, 0, 0, 0}, 1719828000},         // 2024-07-01 10:00:00 UTC
      {{2040, 1, 0, 1, 13, 0, 0, 0}, 2209032000LL},       // 2040-01-01 12:00:00 UTC
      {{1850, 1, 2, 1, 1, 0, 0, 0}, -3786825600LL},       // 1850-01-01 00:00:00 UTC
  };
  for (const auto& c : cases) {
    ShowDialog();
    DateTimePicker(frmMakeISO->ControlAt(M::datePicker)).SetValue(c.local);
    DateTimePicker(frmMakeISO->ControlAt(M::timePicker)).SetValue(c.local);
    g_rec = Recording();
    Click(*frmMakeISO, M::btnMake);
    EXPECT_EQ(1, g_rec.optionsAtBuild.SetDateTime);
    EXPECT_EQ(c.utc, g_rec.optionsAtBuild.FixedTime) << c.local.wYear;
  }
  _putenv("TZ=");
  _tzset();
}

TEST_F(MakeIsoTest, GermanAt120DotsPerInch) {
  TheLanguage.currentLangId = 1031;
  TheApplication.SetScreenPixelsPerInch(120);
  ShowDialog();
  EXPECT_EQ(110, frmMakeISO->ControlAt(M::txtCDFileDir).Left());
  EXPECT_EQ(211, frmMakeISO->ControlAt(M::txtCDFileDir).Width());
  frmMakeISO->Hide();
  TheLanguage.currentLangId = 1033;
  ShowDialog();
  EXPECT_EQ(95, frmMakeISO->ControlAt(M::txtCDFileDir).Left());  // the design's 76
}

TEST_F(MakeIsoTest, BrowsingSetsTheOutputFileAndTheBootImage) {
  ShowDialog();
  form_driver::FileDialogAnswerer dialogs;
  dialogs.Queue("C:\\out\\new.iso");
  dialogs.Queue("D:\\boot\\other.img");
  Click(*frmMakeISO, M::btnSetISOFile);
  Click(*frmMakeISO, M::btnSetBootImage);
  ASSERT_EQ(2, dialogs.Count());
  const auto& save = dialogs.Dialogs()[0];
  EXPECT_TRUE(save.save);
  EXPECT_EQ("Set Output ISO File|ISO File(*.iso)|*.iso|" + root_ + "\\iso|ISO",
            save.title + "|" + save.filter + "|" + save.initialDir + "|" + save.defaultExt);
  EXPECT_EQ(0x20804u, save.flags);
  EXPECT_STREQ("C:\\out", TheMainSettings.ISOFileDir);
  EXPECT_STREQ("new.iso", TheMainSettings.ISOFileName);
  EXPECT_EQ("C:\\out\\new.iso", Text(M::txtISOFile));
  const auto& open = dialogs.Dialogs()[1];
  EXPECT_FALSE(open.save);
  EXPECT_EQ("Boot Image File|" + menu_ + "|bin", open.title + "|" + open.initialDir + "|" + open.defaultExt);
  EXPECT_EQ("D:\\boot\\other.img", Text(M::txtBootImage));
}

// Plexidor 9.5 in the program folder, and the command lines it is started with.
std::vector<std::string> g_started;
bool RecordStart(const ShellStartRequest& request) {
  g_started.push_back(request.file);
  return true;
}
bool Version95(const char*, char* out, size_t size) { return snprintf(out, size, "9.5") > 0; }

// An output path typed into "ISO File" is the image Burn hands over once it
// is made; an image that is gone is not handed over, and the user is told.
TEST_F(MakeIsoTest, BurnHandsOverTheImageMadeFromATypedPathAndSaysWhenItIsGone) {
  const ProcessSettings processBefore = TheProcessSettings;
  strcpy(TheProcessSettings.startDir, root_.c_str());
  WriteBytes(root_ + "\\plexidor.exe", {});
  const SystemVersionSource versions = {nullptr, Version95};
  const SystemVersionSource* versionsBefore = SetSystemVersionSource(&versions);
  ShellStartHandler shellBefore = SetShellStartHandler(RecordStart);
  g_started.clear();
  CreateDirectoryA((root_ + "\\my.dir").c_str(), nullptr);
  const std::string typed = root_ + "\\my.dir\\typed.iso";
  ShowDialog();
  SetText(M::txtISOFile, root_ + "\\my.dir\\typed");
  MessageBoxAnswerer boxes;
  Click(*frmMakeISO, M::btnMake);
  HWND main = *TheApplication.MainForm();
  SendMessageA(main, WM_COMMAND, MAKEWPARAM(kFirstRowId + TfrmTb::pmBurnCD, 0), 0);
  DeleteFileA(typed.c_str());
  SendMessageA(main, WM_COMMAND, MAKEWPARAM(kFirstRowId + TfrmTb::pmWriteUSB, 0), 0);
  SetShellStartHandler(shellBefore);
  SetSystemVersionSource(versionsBefore);
  TheProcessSettings = processBefore;

  ASSERT_EQ(1u, g_started.size()) << (boxes.Count() ? boxes.Boxes()[0].text : "");
  EXPECT_EQ("\"" + root_ + "\\plexidor.exe\" -infile \"" + typed + "\" -burnto", g_started[0]);
  ASSERT_EQ(1, boxes.Count());
  EXPECT_EQ("The image '" + typed + "' does not exist, so there is nothing to hand to Plexidor. Make the image "
            "with Make ISO first.", boxes.Boxes()[0].text);
  EXPECT_EQ((void*)main, boxes.Boxes()[0].owner);
  ShowDialog();
  EXPECT_EQ(typed, Text(M::txtISOFile));
}

// ------------------------------------------------------------ the image engine itself

class MakeIsoEngineTest : public MakeIsoTest {
 protected:
  void SetUp() override {
    MakeIsoTest::SetUp();
    SetMakeIsoEngine(nullptr);
    std::vector<uint8_t> big(3 << 20);
    for (size_t i = 0; i < big.size(); ++i) big[i] = (uint8_t)(i * 7);
    WriteBytes(disc_ + "\\big.bin", big);
  }
};

// A window of the test's own that the build's message pump reaches. Its
// WM_APP with wParam 0 notes what the windows were like when it was
// handled; with wParam 1 it clicks Stop as a user does once the button is
// shown, and waits in the queue until then.
std::vector<std::string> g_probes;

LRESULT CALLBACK ProbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_APP) return DefWindowProcA(window, message, wParam, lParam);
  bool writing = ProgressMode == kProgressModeRunning && frmProgress->Visible();
  if (wParam == 1) {
    if (writing) SendMessageA(frmProgress->ControlAt(TfrmProgress::btnCancel), BM_CLICK, 0, 0);
    else PostMessageA(window, WM_APP, 1, 0);
    return 0;
  }
  std::string state = ProgressMode == kProgressModePreparing ? "preparing" : "writing";
  if (frmProgress->Visible()) state += ", progress shown";
  if (frmMakeISO->Visible() && frmMakeISO->Building()) state += ", building";
  g_probes.push_back(state);
  return 0;
}

HWND CreateProbe() {
  WNDCLASSA probeClass = {};
  probeClass.lpfnWndProc = ProbeProc;
  probeClass.hInstance = GetModuleHandleA(nullptr);
  probeClass.lpszClassName = "TwProbe";
  RegisterClassA(&probeClass);
  g_probes.clear();
  return CreateWindowA("TwProbe", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
}

TEST_F(MakeIsoEngineTest, BuildsTheImageAndStopKeepsTheEarlierOne) {
  // The image goes into the disc folder itself.
  strcpy(TheMainSettings.ISOFileDir, disc_.c_str());
  target_ = disc_ + "\\disc.iso";
  ShowDialog();
  MessageBoxAnswerer boxes(kIdYes);
  Click(*frmMakeISO, M::btnMake);
  EXPECT_EQ(0, boxes.Count());
  std::vector<uint8_t> first = ReadBytes(target_);
  ASSERT_GT(first.size(), (size_t)(3 << 20));
  EXPECT_EQ(0, memcmp(&first[0x8001], "CD001", 5));

  // Again: the earlier image is not packed into the new one.
  ShowDialog();
  Click(*frmMakeISO, M::btnMake);
  EXPECT_EQ(1, boxes.Count());  // the overwrite question
  std::vector<uint8_t> second = ReadBytes(target_);
  EXPECT_EQ(first.size(), second.size());

  ShowDialog();
  // Stop is clicked once the copy has begun.
  HWND probe = CreateProbe();
  PostMessageA(probe, WM_APP, 1, 0);
  Click(*frmMakeISO, M::btnMake);
  DestroyWindow(probe);
  EXPECT_EQ(1, ProgressCancelled);
  EXPECT_EQ(2, boxes.Count());  // the overwrite questions only
  EXPECT_EQ(second, ReadBytes(target_));
  EXPECT_FALSE(FileExists((target_ + ".tw~").c_str()));
  EXPECT_FALSE(frmProgress->Visible());
}

TEST_F(MakeIsoEngineTest, AFinishedImageIsKeptWhenTheEarlierOneCannotBeReplacedAndTheNextBuildLeavesIt) {
  const std::string kept_name = target_ + ".new";
  ASSERT_TRUE(WriteBytes(target_, {'O', 'L', 'D'}));
  // Another program holds the earlier image open: it cannot be replaced.
  HANDLE held = CreateFileA(target_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  ShowDialog();
  MessageBoxAnswerer boxes(kIdYes);
  Click(*frmMakeISO, M::btnMake);
  CloseHandle(held);
  ASSERT_EQ(2, boxes.Count());  // the overwrite question, then what became of the image
  const std::string& text = boxes.Boxes()[1].text;
  EXPECT_NE(std::string::npos, text.find("'" + target_ + "'")) << text;
  EXPECT_NE(std::string::npos, text.find("'" + kept_name + "'; rename it once that file is free.")) << text;
  EXPECT_EQ(std::vector<uint8_t>({'O', 'L', 'D'}), ReadBytes(target_));
  std::vector<uint8_t> kept = ReadBytes(kept_name);
  ASSERT_GT(kept.size(), (size_t)(3 << 20));
  EXPECT_EQ(0, memcmp(&kept[0x8001], "CD001", 5));
  EXPECT_FALSE(frmMakeISO->Visible());

  // Beside the kept image, the work files of ten killed builds: the next
  // build removes them all, puts its image in place and leaves the kept one.
  ASSERT_TRUE(WriteBytes(target_ + ".tw~", {'p'}));
  for (int i = 1; i <= 9; ++i) ASSERT_TRUE(WriteBytes(target_ + ".tw" + std::to_string(i) + "~", {'p'}));
  ShowDialog();
  Click(*frmMakeISO, M::btnMake);
  EXPECT_EQ(3, boxes.Count());  // the overwrite question only
  EXPECT_EQ(kept.size(), ReadBytes(target_).size());
  EXPECT_EQ(kept, ReadBytes(kept_name));
  EXPECT_FALSE(PathExists((target_ + ".tw~").c_str()));
  for (int i = 1; i <= 9; ++i) EXPECT_FALSE(PathExists((target_ + ".tw" + std::to_string(i) + "~").c_str())) << i;
}

// A boot image the engine does not take (empty, as a failed save leaves
// loader.bin, or 2,048 bytes without the boot signature): the image is
// made without a boot record, and the user and the log are told why it
// will not boot.
TEST_F(MakeIsoEngineTest, ABootImageThatCannotStartTheDiscIsNamedAndTheImageIsMadeWithoutIt) {
  std::vector<uint8_t> unsigned_loader = BootSector();
  unsigned_loader[2047] = 0;
  MessageBoxAnswerer boxes(kIdYes);
  for (const std::vector<uint8_t>& boot : {std::vector<uint8_t>(), unsigned_loader}) {
    ASSERT_TRUE(WriteBytes(menu_ + "\\loader.bin", boot));
    ShowDialog();
    Click(*frmMakeISO, M::btnMake);
    std::vector<uint8_t> image = ReadBytes(target_);
    ASSERT_GT(image.size(), (size_t)(3 << 20));
    EXPECT_EQ(0, memcmp(&image[0x8001], "CD001", 5));
    EXPECT_NE(0, memcmp(&image[17 * 2048 + 7], "EL TORITO", 9));
    const std::string said = "Boot Image '" + menu_ + "\\loader.bin' cannot start the disc: it is " +
                             std::to_string(boot.size()) +
                             " bytes long, and a boot image is a 2,048-byte loader ending in 55 AA or a floppy "
                             "image of 1,228,800, 1,474,560 or 2,949,120 bytes. The image is made without a boot "
                             "record and will not be bootable.";
    ASSERT_GE(boxes.Count(), 1);
    EXPECT_EQ(said, boxes.Boxes().back().text);
    std::vector<uint8_t> log = ReadBytes(TheEngineLog.path);
    EXPECT_NE(std::string::npos, std::string(log.begin(), log.end()).find(said));
  }
  EXPECT_EQ(3, boxes.Count());  // and the overwrite question before the second build
}

TEST_F(MakeIsoEngineTest, WhilePreparingTheWindowsAnswerAndRefuseASecondMakeAndClosing) {
  HWND probe = CreateProbe();
  ShowDialog();
  MessageBoxAnswerer boxes;
  // Queued before the click, as a user's input waits while the handler runs.
  PostMessageA(probe, WM_APP, 0, 0);
  PostMessageA(frmMakeISO->ControlAt(M::btnMake), BM_CLICK, 0, 0);
  PostMessageA(probe, WM_APP, 0, 0);
  PostMessageA(*frmProgress, WM_CLOSE, 0, 0);
  PostMessageA(probe, WM_APP, 0, 0);
  Click(*frmMakeISO, M::btnMake);
  DestroyWindow(probe);

  EXPECT_EQ(std::vector<std::string>(3, "preparing, progress shown, building"), g_probes);
  EXPECT_EQ(0, boxes.Count());
  std::vector<uint8_t> image = ReadBytes(target_);
  ASSERT_GT(image.size(), (size_t)(3 << 20));
  EXPECT_EQ(0, memcmp(&image[0x8001], "CD001", 5));
  EXPECT_FALSE(frmProgress->Visible());
  EXPECT_FALSE(frmMakeISO->Visible());
}

}  // namespace
