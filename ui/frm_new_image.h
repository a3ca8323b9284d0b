#pragma once
// TfrmNewImage, the new floppy image maker (modal): a bootable seed image,
// a size in KB and an output file; Create writes an empty FAT12 image.
#include "win/form.h"

#define FRM_NEW_IMAGE_NAMES(X)                                                                      \
  X(lbFileName) X(txtFileName) X(btnCreate) X(btnCancel) X(btnFileName) X(lbSeedImg) X(txtSeedImage) \
  X(btnSetBootImage) X(lbImgSize) X(cbSize)

class TfrmNewImage : public Form {
 public:
  enum Name { FRM_NEW_IMAGE_NAMES(TW_NAME_ENUM) kNameCount };
  TfrmNewImage();

 protected:
  void OnEvent(FormEvent& event) override;

 private:
  void FormCreate();
  void FormShow();
  void cbSizeChange();
  void btnSetBootImageClick();
  void btnFileNameClick();
  void btnCreateClick();
};

extern TfrmNewImage* frmNewImage;
extern const FormDescription kNewImageFormDescription;

// Shows frmNewImage modally (the Tools menu's new image item).
void RunNewImageMaker();
