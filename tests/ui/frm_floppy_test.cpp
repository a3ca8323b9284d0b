// The floppy reader's dialog: its place and drive list, no drive, a read
// through the dialog, and a language layout at two screen densities.
#include <cstring>

#include "app/language.h"
#include "platform/cursor_shape.h"
#include "platform/disk_queries.h"
#include "platform/floppy_device.h"
#include "tests/ui/tool_dialog_fixture.h"
#include "ui/frm_floppy.h"
#include "ui/frm_new_image.h"
#include "ui/frm_replace.h"

namespace {

typedef TfrmFloppy F;

// The system's roots: none, or "A:\ C:\ b:\" with C: fixed.
bool g_withDrives = true;
unsigned FakeDriveStrings(char* buffer, unsigned) {
  if (!g_withDrives) return 0;
  memcpy(buffer, "A:\\\0C:\\\0b:\\\0", 13);
  return 12;
}
unsigned FakeDriveType(const char* root) { return root[0] == 'C' ? kDriveFixed : kDriveRemovable; }
const DiskQueries kFakeDrives = {FakeDriveStrings, FakeDriveType, nullptr, nullptr};

// Drive A: without a disk: it does not open, whatever drives the machine
// running the tests has.
FloppyHandle NoDisk(const char*) { return kInvalidFloppyHandle; }
FloppyHandle NoVwin32() { return kInvalidFloppyHandle; }
const FloppyDeviceAccess kDriveWithoutDisk = {NoDisk, NoVwin32, nullptr, nullptr, nullptr};

std::vector<CursorShape> g_cursors;
void RecordCursor(CursorShape shape) { g_cursors.push_back(shape); }

class FloppyDialog : public ToolDialogTest {
 protected:
  void SetUp() override {
    ToolDialogTest::SetUp();
    g_withDrives = true;
    SetDiskQueries(&kFakeDrives);
    SetFloppyDeviceAccess(&kDriveWithoutDisk);
  }
  void TearDown() override {
    SetFloppyDeviceAccess(nullptr);
    SetDiskQueries(nullptr);
    ToolDialogTest::TearDown();
  }
};

TEST(ToolDialogTables, EveryNameHasItsRowAndEveryCaptionAndLayoutNamesOne) {
  EXPECT_EQ("", CheckFormDescription(kFloppyFormDescription));
  EXPECT_EQ("", CheckFormDescription(kNewImageFormDescription));
  EXPECT_EQ("", CheckFormDescription(kReplaceFormDescription));
}

TEST_F(FloppyDialog, OpensBesideTheMainFormWithTheRemovableDrivesAndTheDefaultOutput) {
  RunUntilReturn(*frmFloppy, F::btnCancel, RunFloppyReader);
  ExpectPlacedBesideMainForm(*frmFloppy);
  EXPECT_EQ("Make Floppy Image", frmFloppy->Caption());
  EXPECT_EQ("Floppy Drive:", Text(*frmFloppy, F::lbFloppy));
  ComboBox drives(frmFloppy->ControlAt(F::cmbFloppyDrive));
  ASSERT_EQ(2, drives.Count());
  EXPECT_EQ("B:", drives.ItemText(1));
  EXPECT_EQ("A:", drives.Text());
  EXPECT_EQ(File("boot.img"), Text(*frmFloppy, F::txtFileName));
  EXPECT_EQ(0, boxes_.Count());
}

TEST_F(FloppyDialog, WithoutARemovableDriveItSaysSoAndKeepsTheOutputNameAndMakeDoesNothing) {
  frmFloppy->ControlAt(F::txtFileName).SetText("C:\\kept.img");
  g_withDrives = false;
  frmFloppy->Show();
  ASSERT_EQ(1, boxes_.Count());
  EXPECT_EQ("No floppy drive found!", boxes_.Boxes()[0].text);
  EXPECT_EQ("Error", boxes_.Boxes()[0].caption);
  EXPECT_EQ("C:\\kept.img", Text(*frmFloppy, F::txtFileName));
  form_driver::Click(*frmFloppy, F::btnMakeImage);
  EXPECT_EQ(1, boxes_.Count());
}

// Drive A: holds no disk, so the read stops at opening it.
TEST_F(FloppyDialog, MakeReadsTheChosenDriveUnderTheHourglassAndReportsTheOutcome) {
  CursorShapeHandler cursorBefore = SetCursorShapeHandler(RecordCursor);
  g_cursors.clear();
  frmFloppy->Show();
  form_driver::Click(*frmFloppy, F::btnMakeImage);
  SetCursorShapeHandler(cursorBefore);
  EXPECT_EQ((std::vector<CursorShape>{kShapeHourglass, kShapeArrow}), g_cursors);
  ASSERT_EQ(1, boxes_.Count());
  EXPECT_EQ("Floppy drive A: error!", boxes_.Boxes()[0].text);
  EXPECT_EQ("Promot", boxes_.Boxes()[0].caption);
  EXPECT_FALSE(PathExists(File("boot.img").c_str()));
}

// The German row of the layout table: the drive label 95 wide at 16, the
// drive list at 114, design pixels; English goes back to the design layout.
TEST(FloppyDialogLayout, GermanMovesTheDriveLabelAndListAtEachScreenDensity) {
  LanguageState language = TheLanguage;
  int pixelsPerInch = TheApplication.ScreenPixelsPerInch();
  form_driver::MessageBoxAnswerer boxes;  // no removable drive, whatever the machine has
  g_withDrives = false;
  SetDiskQueries(&kFakeDrives);
  for (int dpi : {96, 120}) {
    TheApplication.SetScreenPixelsPerInch(dpi);
    CreateProgramForms(TheApplication);
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
  SetDiskQueries(nullptr);
  TheLanguage = language;
  TheApplication.SetScreenPixelsPerInch(pixelsPerInch);
}

}  // namespace
