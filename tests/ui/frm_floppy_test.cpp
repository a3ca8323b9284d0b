// The floppy reader's dialog: its place, the drive list, its file dialog,
// a whole read through the dialog from a disk served by a fake drive, and
// a language layout at two screen densities.
#include <cstring>

#include "app/language.h"
#include "image/progress_seam.h"
#include "platform/byte_order.h"
#include "platform/cursor_shape.h"
#include "platform/disk_queries.h"
#include "platform/floppy_device.h"
#include "tests/file_bytes.h"
#include "tests/ui/tool_dialog_fixture.h"
#include "ui/frm_floppy.h"

namespace {

typedef TfrmFloppy F;

// The drive roots the fake system reports: "" or "A:\ C:\ b:\".
bool g_withDrives = false;
unsigned FakeDriveStrings(char* buffer, unsigned size) {
  static const char kRoots[] = "A:\\\0C:\\\0b:\\\0";
  if (!g_withDrives) return 0;
  memcpy(buffer, kRoots, sizeof kRoots);
  return sizeof kRoots - 2;
}
unsigned FakeDriveType(const char* root) { return root[0] == 'C' ? kDriveFixed : kDriveRemovable; }
const DiskQueries kFakeDrives = {FakeDriveStrings, FakeDriveType, nullptr, nullptr};

// A 1.44 MB disk in memory, read through the device path.
std::vector<uint8_t> g_disk;
FloppyHandle FakeOpen(const char*) { return 3; }
FloppyHandle FakeOpenVwin32() { return 3; }
bool FakeReadAt(FloppyHandle, uint64_t offset, void* buffer, uint32_t bytes, uint32_t* got) {
  *got = offset < g_disk.size() ? (uint32_t)std::min<uint64_t>(bytes, g_disk.size() - offset) : 0;
  memcpy(buffer, g_disk.data() + offset, *got);
  return true;
}
bool FakeInt13(FloppyHandle, Int13Registers*, void*) { return false; }
void FakeClose(FloppyHandle) {}
const FloppyDeviceAccess kFakeDevice = {FakeOpen, FakeOpenVwin32, FakeReadAt, FakeInt13, FakeClose};

int g_updates = 0;
int CountUpdate(double) {
  ++g_updates;
  return 0;
}
const ProgressHandlers kProgress = {nullptr, nullptr, nullptr, CountUpdate, nullptr, nullptr};

std::vector<CursorShape> g_cursors;
void RecordCursor(CursorShape shape) { g_cursors.push_back(shape); }

class FloppyDialog : public ToolDialogTest {
 protected:
  void SetUp() override {
    ToolDialogTest::SetUp();
    g_withDrives = true;
    SetDiskQueries(&kFakeDrives);
  }
  void TearDown() override {
    SetDiskQueries(nullptr);
    ToolDialogTest::TearDown();
  }
};

TEST(FloppyDialogTables, EveryNameHasItsRowAndEveryCaptionAndLayoutNamesOne) {
  EXPECT_EQ("", CheckFormDescription(kFloppyFormDescription));
}

TEST_F(FloppyDialog, OpensBesideTheMainFormWithTheRemovableDrivesAndTheDefaultOutput) {
  RunUntilReturn(*frmFloppy, F::btnCancel, RunFloppyReader);
  ExpectPlacedBesideMainForm(*frmFloppy);
  EXPECT_EQ("Make Floppy Image", frmFloppy->Caption());
  EXPECT_EQ("Floppy Drive:", Text(*frmFloppy, F::lbFloppy));
  ComboBox drives(frmFloppy->ControlAt(F::cmbFloppyDrive));
  ASSERT_EQ(2, drives.Count());
  EXPECT_EQ("A:", drives.ItemText(0));
  EXPECT_EQ("B:", drives.ItemText(1));
  EXPECT_EQ("A:", drives.Text());
  EXPECT_EQ(Path(dir_, "boot.img"), Text(*frmFloppy, F::txtFileName));
  EXPECT_EQ(0, boxes_.Count());
}

TEST_F(FloppyDialog, WithoutARemovableDriveItSaysSoAndKeepsTheOutputNameAndMakeDoesNothing) {
  frmFloppy->ControlAt(F::txtFileName).SetText("C:\\kept.img");
  g_withDrives = false;
  frmFloppy->Show();
  ASSERT_EQ(1, boxes_.Count());
  EXPECT_EQ("No floppy drive found!", boxes_.Boxes()[0].text);
  EXPECT_EQ("Error", boxes_.Boxes()[0].caption);
  EXPECT_EQ(0, ComboBox(frmFloppy->ControlAt(F::cmbFloppyDrive)).Count());
  EXPECT_EQ("C:\\kept.img", Text(*frmFloppy, F::txtFileName));
  form_driver::Click(*frmFloppy, F::btnMakeImage);
  EXPECT_EQ(1, boxes_.Count());
}

TEST_F(FloppyDialog, TheOutputFileDialogSavesAnImgFile) {
  frmFloppy->Show();
  form_driver::FileDialogAnswerer dialogs;
  dialogs.Queue("D:\\images\\disk.img");
  form_driver::Click(*frmFloppy, F::btnFileName);
  ASSERT_EQ(1, dialogs.Count());
  const auto& request = dialogs.Dialogs()[0];
  EXPECT_TRUE(request.save);
  EXPECT_EQ(frmFloppy->Handle(), request.owner);
  EXPECT_EQ("Set Output IMG File", request.title);
  EXPECT_EQ("Floppy Image File(*.img)|*.img", request.filter);
  EXPECT_EQ("", request.initialDir);
  EXPECT_EQ("img", request.defaultExt);
  EXPECT_EQ(0x20804u, request.flags);
  EXPECT_EQ("D:\\images\\disk.img", Text(*frmFloppy, F::txtFileName));
  form_driver::Click(*frmFloppy, F::btnFileName);  // cancelled: the name stays
  EXPECT_EQ("D:\\images\\disk.img", Text(*frmFloppy, F::txtFileName));
}

TEST_F(FloppyDialog, MakeReadsTheDiskUnderTheHourglassAndReportsIt) {
  g_disk.assign(2880 * 512, 0);
  for (size_t i = 0; i < g_disk.size(); ++i) g_disk[i] = (uint8_t)(i / 512 + i % 7);
  put16le(&g_disk[11], 512);
  put16le(&g_disk[19], 2880);
  put16le(&g_disk[24], 18);
  put16le(&g_disk[26], 2);
  SetFloppyDeviceAccess(&kFakeDevice);
  const ProgressHandlers* progressBefore = SetProgressHandlers(&kProgress);
  CursorShapeHandler cursorBefore = SetCursorShapeHandler(RecordCursor);
  g_updates = 0;
  g_cursors.clear();
  frmFloppy->Show();
  std::string output = File("boot.img");
  form_driver::Click(*frmFloppy, F::btnMakeImage);
  SetCursorShapeHandler(cursorBefore);
  EXPECT_EQ(g_disk, ReadBytes(output));
  EXPECT_EQ(80, g_updates);
  EXPECT_EQ((std::vector<CursorShape>{kShapeHourglass, kShapeArrow}), g_cursors);
  ASSERT_EQ(1, boxes_.Count());
  EXPECT_EQ("Floppy Image OK!", boxes_.Boxes()[0].text);
  // Again: the existing image is offered for overwriting; No keeps it.
  boxes_.Queue(kIdNo);
  form_driver::Click(*frmFloppy, F::btnMakeImage);
  ASSERT_EQ(2, boxes_.Count());
  EXPECT_EQ("File '" + output + "' Exist,Overwrite?", boxes_.Boxes()[1].text);
  SetProgressHandlers(progressBefore);
  SetFloppyDeviceAccess(nullptr);
}

// The layout table's German row: the drive label 95 wide at 16, the drive
// list at 114, in design pixels; English goes back to the design layout.
TEST(FloppyDialogLayout, GermanMovesTheDriveLabelAndListAtEachScreenDensity) {
  LanguageState language = TheLanguage;
  for (int dpi : {96, 120}) {
    TheApplication.SetScreenPixelsPerInch(dpi);
    CreateProgramForms(TheApplication);
    form_driver::MessageBoxAnswerer boxes;
    TheLanguage.currentLangId = 1031;
    frmFloppy->Show();
    EXPECT_EQ(16 * dpi / 96, frmFloppy->ControlAt(F::lbFloppy).Left()) << dpi;
    EXPECT_EQ(95 * dpi / 96, frmFloppy->ControlAt(F::lbFloppy).Width()) << dpi;
    EXPECT_EQ(114 * dpi / 96, frmFloppy->ControlAt(F::cmbFloppyDrive).Left()) << dpi;
    frmFloppy->Hide();
    TheLanguage.currentLangId = 1033;
    frmFloppy->Show();
    EXPECT_EQ(65 * dpi / 96, frmFloppy->ControlAt(F::lbFloppy).Width()) << dpi;
    EXPECT_EQ(88 * dpi / 96, frmFloppy->ControlAt(F::cmbFloppyDrive).Left()) << dpi;
    TheApplication.DestroyForms();
  }
  TheLanguage = language;
  TheApplication.SetScreenPixelsPerInch(96);
}

}  // namespace
