// The new-image dialog: its place and output name, the size combo renaming
// the output, its two file dialogs, and creations through the image maker
// on files of a scratch folder.
#include <cstring>

#include "platform/byte_order.h"
#include "tests/file_bytes.h"
#include "tests/ui/tool_dialog_fixture.h"
#include "ui/frm_new_image.h"

namespace {

typedef TfrmNewImage F;

// A bootable 1.44 MB floppy's boot sector, the rest of the seed empty.
std::vector<uint8_t> FloppySeed() {
  std::vector<uint8_t> seed(2880 * 512, 0);
  uint8_t* s = seed.data();
  s[0] = 0xEB, s[1] = 0x3C, s[2] = 0x90;
  memcpy(s + 3, "MSWIN4.1", 8);
  put16le(s + 11, 512);
  s[13] = 1;
  put16le(s + 14, 1);
  s[16] = 2;
  put16le(s + 17, 224);
  put16le(s + 19, 2880);
  s[21] = 0xF0;
  put16le(s + 22, 9);
  put16le(s + 24, 18);
  put16le(s + 26, 2);
  s[38] = 0x29;
  memcpy(s + 43, "SEED       FAT12   ", 19);
  s[510] = 0x55, s[511] = 0xAA;
  return seed;
}

typedef ToolDialogTest NewImageDialog;

TEST(NewImageDialogTables, EveryNameHasItsRowAndEveryCaptionAndLayoutNamesOne) {
  EXPECT_EQ("", CheckFormDescription(kNewImageFormDescription));
}

TEST_F(NewImageDialog, OpensBesideTheMainFormWithTheSizesAndAnOutputNamedAfterTheSize) {
  RunUntilReturn(*frmNewImage, F::btnCancel, RunNewImageMaker);
  ExpectPlacedBesideMainForm(*frmNewImage);
  EXPECT_EQ("Create New Image", frmNewImage->Caption());
  EXPECT_EQ("Image Size(KB):", Text(*frmNewImage, F::lbImgSize));
  ComboBox sizes(frmNewImage->ControlAt(F::cbSize));
  ASSERT_EQ(16, sizes.Count());
  EXPECT_EQ("1440", sizes.ItemText(0));
  EXPECT_EQ("23040", sizes.ItemText(15));
  EXPECT_EQ("2880", sizes.Text());
  EXPECT_EQ(Path(dir_, "2880.img"), Text(*frmNewImage, F::txtFileName));
}

TEST_F(NewImageDialog, EveryChangeOfTheSizeRenamesTheOutputOverWhatWasTyped) {
  frmNewImage->Show();
  form_driver::TypeText(*frmNewImage, F::txtFileName, "mine");
  form_driver::SelectComboItem(*frmNewImage, F::cbSize, 0);
  EXPECT_EQ(Path(dir_, "1440.img"), Text(*frmNewImage, F::txtFileName));
  form_driver::TypeText(*frmNewImage, F::cbSize, "720");  // over the selected text
  EXPECT_EQ(Path(dir_, "720.img"), Text(*frmNewImage, F::txtFileName));
  // Shown again, the name follows the size kept from before.
  frmNewImage->Hide();
  frmNewImage->ControlAt(F::txtFileName).SetText("other.img");
  frmNewImage->Show();
  EXPECT_EQ(Path(dir_, "720.img"), Text(*frmNewImage, F::txtFileName));
}

// A pick with the mouse in the opened list: the combo box tells of the
// new selection before its edit shows the picked text.
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
  EXPECT_EQ(Path(dir_, "4320.img"), Text(*frmNewImage, F::txtFileName));
}

TEST_F(NewImageDialog, TheSeedIsOpenedFromTheMenuFolderAndTheOutputSavedAsImg) {
  frmNewImage->Show();
  form_driver::FileDialogAnswerer dialogs;
  dialogs.Queue("D:\\seed.ima");
  dialogs.Queue("D:\\out.img");
  form_driver::Click(*frmNewImage, F::btnSetBootImage);
  form_driver::Click(*frmNewImage, F::btnFileName);
  ASSERT_EQ(2, dialogs.Count());
  const auto& seed = dialogs.Dialogs()[0];
  EXPECT_FALSE(seed.save);
  EXPECT_EQ("Select Bootable Seed Image File", seed.title);
  EXPECT_EQ("Floppy Image File(*.img;*.ima;*.bif)|*.img;*.ima;*.bif", seed.filter);
  EXPECT_EQ(dir_, seed.initialDir);
  EXPECT_EQ("img", seed.defaultExt);
  EXPECT_EQ(0x20804u, seed.flags);
  const auto& output = dialogs.Dialogs()[1];
  EXPECT_TRUE(output.save);
  EXPECT_EQ("Output Image File", output.title);
  EXPECT_EQ("Floppy Image File(*.img)|*.img", output.filter);
  EXPECT_EQ("", output.initialDir);
  EXPECT_EQ("img", output.defaultExt);
  EXPECT_EQ(0x20804u, output.flags);
  EXPECT_EQ("D:\\seed.ima", Text(*frmNewImage, F::txtSeedImage));
  EXPECT_EQ("D:\\out.img", Text(*frmNewImage, F::txtFileName));
}

TEST_F(NewImageDialog, CreateWritesTheImageOfTheChosenSizeAndSaysSo) {
  std::string seed = File("seed.img");
  ASSERT_TRUE(WriteBytes(seed, FloppySeed()));
  std::string output = File("1440.img");
  frmNewImage->Show();
  form_driver::TypeText(*frmNewImage, F::txtSeedImage, seed.c_str());
  form_driver::SelectComboItem(*frmNewImage, F::cbSize, 0);
  form_driver::Click(*frmNewImage, F::btnCreate);
  ASSERT_EQ(1, boxes_.Count());
  EXPECT_EQ("Image file created OK!", boxes_.Boxes()[0].text);
  EXPECT_EQ("Promot", boxes_.Boxes()[0].caption);
  std::vector<uint8_t> image = ReadBytes(output);
  ASSERT_EQ(1474560u, image.size());
  EXPECT_EQ(2880, get16le(&image[19]));
}

TEST_F(NewImageDialog, ASizeThatIsNotANumberGetsAPlainMessageAndNothingIsWritten) {
  std::string seed = File("seed.img");
  ASSERT_TRUE(WriteBytes(seed, FloppySeed()));
  frmNewImage->Show();
  form_driver::TypeText(*frmNewImage, F::txtSeedImage, seed.c_str());
  form_driver::TypeText(*frmNewImage, F::cbSize, "1.44MB");
  form_driver::Click(*frmNewImage, F::btnCreate);
  ASSERT_EQ(1, boxes_.Count());
  EXPECT_EQ("Image size '1.44MB' is not a number!", boxes_.Boxes()[0].text);
  EXPECT_FALSE(PathExists(File("1.44MB.img").c_str()));
}

}  // namespace
