#pragma once
// TfrmPreview, the live preview of the boot screen: the picture of the
// menu document at the menu screen size, with a status line below, where
// the user picks items and moves and sizes their rectangles with the mouse
// and the keys (PreviewEditor). The window installs itself as the
// PreviewLink when it is created; the main window shows, hides, repaints
// and relayouts it through that link.
#include <string>

#include "platform/cursor.h"
#include "ui/back_image.h"
#include "ui/designer_links.h"
#include "ui/preview_canvas.h"
#include "ui/preview_editor.h"
#include "win/form.h"

#define FRM_PREVIEW_NAMES(X) X(sbStatus)

class TfrmPreview : public Form, public PreviewLink, private PreviewEditHost {
 public:
  enum Name { FRM_PREVIEW_NAMES(TW_NAME_ENUM) kNameCount };
  TfrmPreview();
  ~TfrmPreview() override;

  // The preview's side of the link. RepaintPreview paints the whole window
  // now; RelayoutPreview sizes it to MenuScreenSize again, puts it at its
  // default place and repaints it; the frame calls draw on the window.
  void RepaintPreview() override;
  void RelayoutPreview() override;
  void LoadBackImage() override;
  void ShowCurrentItemFocus() override;
  void EraseFocusRect() override;
  void SetEditEnabled(bool on) override;
  void ShowPreview() override;
  void HidePreview() override;
  void LocalizePreview() override;

  // What tests and the main window may read.
  const PreviewEditing& Editing() const { return editor_.State(); }
  std::string StatusText() const;

 protected:
  void OnEvent(FormEvent& event) override;

 private:
  void FormCreate();
  void frmPreviewShow();
  void frmPreviewPaint();
  void frmPreviewMouseDown(const FormEvent& event);
  void PlacePreviewWindow();
  void SizeToScreen();
  void DefaultPosition(int* left, int* top) const;

  // PreviewEditHost (EraseFocusRect and ShowCurrentItemFocus serve both).
  void DrawSelectionFrame(const DrawingRect& rect) override;
  void ShowStatus(const char* text) override;
  void CursorClientPosition(int32_t* x, int32_t* y) override;
  void SetCursorClientPosition(int32_t x, int32_t y) override;
  void TakeFocus() override;

  PreviewCanvas canvas_;
  BackImage imgBack = {nullptr, 0, 0};  // the background picture that loaded last
  PreviewEditor editor_;
  PreviewLink* linkBefore_ = nullptr;
  bool linked_ = false;
};

extern TfrmPreview* frmPreview;
