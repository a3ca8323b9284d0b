// The replace-text dialog: its place, the fields it keeps, its file dialog
// and a replacement through the tool on a file of a scratch folder.
#include <string>

#include "tests/file_bytes.h"
#include "tests/ui/tool_dialog_fixture.h"
#include "ui/frm_replace.h"

namespace {

typedef TfrmReplace F;
typedef ToolDialogTest ReplaceDialog;

std::vector<uint8_t> Bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

TEST(ReplaceDialogTables, EveryNameHasItsRowAndEveryCaptionAndLayoutNamesOne) {
  EXPECT_EQ("", CheckFormDescription(kReplaceFormDescription));
}

TEST_F(ReplaceDialog, OpensBesideTheMainFormAndKeepsWhatTheFieldsHeld) {
  frmReplace->ControlAt(F::txtFind).SetText("abc");
  RunUntilReturn(*frmReplace, F::btnCancel, RunReplaceText);
  ExpectPlacedBesideMainForm(*frmReplace);
  EXPECT_EQ("Replace Text", frmReplace->Caption());
  EXPECT_EQ("Replace with:", Text(*frmReplace, F::lbReplace));
  EXPECT_EQ("abc", Text(*frmReplace, F::txtFind));
}

TEST_F(ReplaceDialog, TheFileDialogOpensAnyFile) {
  frmReplace->Show();
  form_driver::FileDialogAnswerer dialogs;
  dialogs.Queue("D:\\data.bin");
  form_driver::Click(*frmReplace, F::btnFileName);
  ASSERT_EQ(1, dialogs.Count());
  const auto& request = dialogs.Dialogs()[0];
  EXPECT_FALSE(request.save);
  EXPECT_EQ("Select File to change", request.title);
  EXPECT_EQ("All Files(*.*)|*.*", request.filter);
  EXPECT_EQ("", request.initialDir);
  EXPECT_EQ("", request.defaultExt);
  EXPECT_EQ(0x20804u, request.flags);
  EXPECT_EQ("D:\\data.bin", Text(*frmReplace, F::txtFileName));
}

TEST_F(ReplaceDialog, ReplaceChangesTheFileInPlaceAndCountsTheReplacements) {
  std::string path = File("data.bin");
  ASSERT_TRUE(WriteBytes(path, Bytes("abc--abc")));
  frmReplace->Show();
  form_driver::TypeText(*frmReplace, F::txtFileName, path.c_str());
  form_driver::TypeText(*frmReplace, F::txtFind, "abc");
  form_driver::TypeText(*frmReplace, F::txtReplace, "xy");
  form_driver::Click(*frmReplace, F::btnReplace);
  ASSERT_EQ(1, boxes_.Count());
  EXPECT_EQ("2 String(s) was Replaced Successfully!", boxes_.Boxes()[0].text);
  EXPECT_EQ(Bytes(std::string("xy\0--xy\0", 8)), ReadBytes(path));
}

}  // namespace
