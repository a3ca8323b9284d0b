// The replace-text dialog: its place, the fields it keeps, and a
// replacement through the tool.
#include <string>

#include "tests/file_bytes.h"
#include "tests/ui/tool_dialog_fixture.h"
#include "ui/frm_replace.h"

namespace {

typedef TfrmReplace F;
typedef ToolDialogTest ReplaceDialog;

std::vector<uint8_t> Bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

TEST_F(ReplaceDialog, OpensBesideTheMainFormKeepingItsFieldsAndReplacesInPlace) {
  std::string path = File("data.bin");
  ASSERT_TRUE(WriteBytes(path, Bytes("abc--abc")));
  frmReplace->ControlAt(F::txtFind).SetText("abc");
  RunUntilReturn(*frmReplace, F::btnCancel, RunReplaceText);
  ExpectPlacedBesideMainForm(*frmReplace);
  EXPECT_EQ("Replace Text", frmReplace->Caption());
  EXPECT_EQ("abc", Text(*frmReplace, F::txtFind));
  frmReplace->Show();
  form_driver::TypeText(*frmReplace, F::txtFileName, path.c_str());
  form_driver::TypeText(*frmReplace, F::txtReplace, "xy");
  form_driver::Click(*frmReplace, F::btnReplace);
  ASSERT_EQ(1, boxes_.Count());
  EXPECT_EQ("2 String(s) was Replaced Successfully!", boxes_.Boxes()[0].text);
  EXPECT_EQ(Bytes(std::string("xy\0--xy\0", 8)), ReadBytes(path));
}

}  // namespace
