#pragma once
// The calls between the main window (frmTb) and the preview window
// (frmPreview). Each window installs its side when it is created; until
// then the other side's calls do nothing, so each window can be built and
// tested alone (tests install recording fakes).
//
// The document's own calls to the preview (RepaintPreview, RelayoutPreview,
// LoadBackImage) and the page bookkeeping the document needs (CurrentList,
// ShowListPage) go through DocumentView (menu/document_view.h), which the
// main window implements; its preview calls are handed on to PreviewLink.
#include <cstdint>

// What the main window offers the preview.
class MainWindowLink {
 public:
  virtual ~MainWindowLink() {}
  // The active page index of the page control: 0 File, 1 Layout, 2 Text,
  // 3 Menu, 4 Misc, 5 About.
  virtual int CurrentPage() { return 0; }
  // The main window shows the current item of CurrentList and selects its row.
  virtual void RefreshCurrentItem() {}
  // Stores a drawn rectangle (inclusive pixels) into the current item of
  // CurrentList through the page's coordinate fields, with one undo entry;
  // appendFirst appends a new item first.
  virtual void SetItemRectFromPreview(uint16_t top, uint16_t left, uint16_t bottom, uint16_t right,
                                      bool appendFirst) {}
};

// What the preview offers the main window.
class PreviewLink {
 public:
  virtual ~PreviewLink() {}
  virtual void RepaintPreview() {}
  virtual void RelayoutPreview() {}
  virtual void LoadBackImage() {}
  virtual void ShowCurrentItemFocus() {}
  virtual void EraseFocusRect() {}
  // PreviewEditOn, from the main window's "Enable Edit" check box.
  virtual void SetEditEnabled(bool on) {}
  virtual void ShowPreview() {}
  virtual void HidePreview() {}
  // The caption and font of the current language, at once: after a switch
  // from the language menu, while the preview stays shown.
  virtual void LocalizePreview() {}
};

// The installed sides; never null (a do-nothing side while none is set).
// Set... returns the side installed before (null for the do-nothing one).
MainWindowLink& TheMainWindowLink();
MainWindowLink* SetMainWindowLink(MainWindowLink* link);
PreviewLink& ThePreviewLink();
PreviewLink* SetPreviewLink(PreviewLink* link);
