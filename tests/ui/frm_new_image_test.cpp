// The new-image dialog: its place, the size renaming the output (typed or
// picked in the list), and creations through the image maker.
#include <cstring>

#include "platform/byte_order.h"
#include "tests/file_bytes.h"
#include "tests/ui/tool_dialog_fixture.h"
#include "ui/frm_new_image.h"

namespace {

typedef TfrmNewImage F;
typedef ToolDialogTest NewImageDialog;

// A 1.44 MB floppy with the boot sector the image maker takes as a seed.
std::vector<uint8_t> FloppySeed() {
  std::vector<uint8_t> seed(2880 * 512, 0);
  uint8_t* s = seed.data();
  memcpy(s, "\xEB\x3C\x90MSWIN4.1", 11);
  put16le(s + 11, 512);
  s[13] = 1;
  put16le(s + 14, 1);
  s[16] = 2;
  put16le(s + 17, 224);
  put16le(s + 19, 2880);
  s[21] = 0xF0;
  put16le(s + 22, 9);
  s[38] = 0x29;
  memcpy(s + 43, "SEED       FAT12   ", 19);
  s[510] = 0x55, s[511] = 0xAA;
  return seed;
}

TEST_F(NewImageDialog, OpensBesideTheMainFormAndEveryChangeOfTheSizeRenamesTheOutput) {
  RunUntilReturn(*frmNewImage, F::btnCancel, RunNewImageMaker);
  ExpectPlacedBesideMainForm(*frmNewImage);
  EXPECT_EQ("Create New Image", frmNewImage->Caption());
  EXPECT_EQ(16, ComboBox(frmNewImage->ControlAt(F::cbSize)).Count());
  EXPECT_EQ(File("2880.img"), Text(*frmNewImage, F::txtFileName));
  frmNewImage->Show();
  form_driver::TypeText(*frmNewImage, F::txtFileName, "mine");
  form_driver::TypeText(*frmNewImage, F::cbSize, "720");  // over the selected text
  EXPECT_EQ(File("720.img"), Text(*frmNewImage, F::txtFileName));
  frmNewImage->Hide();
  frmNewImage->ControlAt(F::txtFileName).SetText("other.img");
  frmNewImage->Show();
  EXPECT_EQ(File("720.img"), Text(*frmNewImage, F::txtFileName));
}

// A pick with the mouse in the opened list: the combo box tells of the new
// selection before its edit shows the picked text.
TEST_F(NewImageDialog, ASizePickedInTheOpenListNamesTheOutput) {
  frmNewImage->Show();
  ComboBox sizes(frmNewImage->ControlAt(F::cbSize));
  form_driver::Focus(*frmNewImage, F::cbSize);
  SendMessageA(sizes, CB_SHOWDROPDOWN, TRUE, 0);
  COMBOBOXINFO info = {};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(sizes, &info));
  RECT item = {};
  SendMessageA(info.hwndList, LB_GETITEMRECT, 2, (LPARAM)&item);
  LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  SendMessageA(info.hwndList, WM_MOUSEMOVE, 0, at);
  SendMessageA(info.hwndList, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(info.hwndList, WM_LBUTTONUP, 0, at);
  form_driver::Pump();
  EXPECT_EQ("4320", sizes.Text());
  EXPECT_EQ(File("4320.img"), Text(*frmNewImage, F::txtFileName));
}

TEST_F(NewImageDialog, CreateWritesTheImageAndASizeThatIsNotANumberGetsAPlainMessage) {
  ASSERT_TRUE(WriteBytes(File("seed.img"), FloppySeed()));
  frmNewImage->Show();
  form_driver::TypeText(*frmNewImage, F::txtSeedImage, File("seed.img").c_str());
  form_driver::SelectComboItem(*frmNewImage, F::cbSize, 0);
  form_driver::Click(*frmNewImage, F::btnCreate);
  form_driver::TypeText(*frmNewImage, F::cbSize, "1.44MB");
  form_driver::Click(*frmNewImage, F::btnCreate);
  ASSERT_EQ(2, boxes_.Count());
  EXPECT_EQ("Image file created OK!", boxes_.Boxes()[0].text);
  EXPECT_EQ("Image size '1.44MB' is not a number!", boxes_.Boxes()[1].text);
  std::vector<uint8_t> image = ReadBytes(File("1440.img"));
  ASSERT_EQ(1474560u, image.size());
  EXPECT_EQ(2880, get16le(&image[19]));
  EXPECT_FALSE(PathExists(File("1.44MB.img").c_str()));
}

// The output is named after the size, so a second image of one size would
// replace the first: Create asks; No writes nothing and the dialog stays.
TEST_F(NewImageDialog, CreateAsksBeforeItReplacesAnImageAndNoKeepsItByteForByte) {
  ASSERT_TRUE(WriteBytes(File("seed.img"), FloppySeed()));
  const std::vector<uint8_t> mine = {'m', 'i', 'n', 'e'};
  ASSERT_TRUE(WriteBytes(File("1440.img"), mine));
  frmNewImage->Show();
  form_driver::TypeText(*frmNewImage, F::txtSeedImage, File("seed.img").c_str());
  form_driver::SelectComboItem(*frmNewImage, F::cbSize, 0);
  form_driver::Click(*frmNewImage, F::btnCreate);
  ASSERT_EQ(1, boxes_.Count());
  EXPECT_EQ("File '" + File("1440.img") + "' Exist,Overwrite?", boxes_.Boxes()[0].text);
  EXPECT_EQ(mine, ReadBytes(File("1440.img")));
  EXPECT_TRUE(frmNewImage->Visible());
  boxes_.Queue(kIdYes);
  form_driver::Click(*frmNewImage, F::btnCreate);
  ASSERT_EQ(3, boxes_.Count());
  EXPECT_EQ("Image file created OK!", boxes_.Boxes()[2].text);
  EXPECT_EQ(1474560u, ReadBytes(File("1440.img")).size());
}

}  // namespace
