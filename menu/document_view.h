#pragma once
// What the document code needs from the main window: the views of the four
// lists and their edit fields, the preview, the page switch, the Undo
// buttons and a few settings fields. The main window implements it and
// installs itself; tests install a recording fake. While nothing is
// installed every call does nothing and every field reads as empty.
#include <string>

// Main-window fields that the menu file writer and reader read or fill.
enum class ViewField {
  txtLogoImg,       // logo file name (at most 12 characters)
  txtLogoTime,      // logo time in seconds
  txtPassword,      // main menu password (at most 8 characters)
  txtBackImg,       // background image file name
  txtFileDir,       // the menu folder as shown
  txtMenuFileName,  // the menu file name as shown (static text)
};

class DocumentView {
 public:
  virtual ~DocumentView() {}

  // Field transfer between the document and the list pages. list is an
  // ItemList code; 255 means all four lists (StoreCurrentItem takes 0..3).
  virtual void RefreshListViews(int list) {}
  virtual void ShowCurrentItem(int list) {}
  virtual void StoreCurrentItem(int list) {}   // edit fields -> current item
  virtual void SetNewItemDefaults(int list) {} // defaults -> edit fields
  virtual void ShowDocumentSettings() {}       // settings -> File, Misc pages

  // The preview.
  virtual void RepaintPreview() {}
  virtual void RelayoutPreview() {}
  virtual void LoadBackImage() {}

  // Page bookkeeping: the list of the active page (kNoList on a page
  // without one), switching to a list's page, and the focus move to the Up
  // button of the active page that lets a pending field commit run.
  virtual int CurrentList() { return 128; }
  virtual void ShowListPage(int list) {}
  virtual void FocusMoveUpButton() {}

  // The four Undo buttons (btnUndoL, btnUndoT, btnUndoM, btnUndoF).
  virtual void EnableUndoButtons(bool enabled) {}

  // Owner of the document's message boxes (the main window handle).
  virtual void* OwnerWindow() { return nullptr; }

  // Texts of the main window's settings fields.
  virtual std::string GetFieldText(ViewField field) { return std::string(); }
  virtual void SetFieldText(ViewField field, const char* text) {}
};

// The installed view; never null (a do-nothing view while none is set).
DocumentView& TheDocumentView();

// Installs a view; null restores the do-nothing view. Returns the view
// that was installed before (null when it was the do-nothing one).
DocumentView* SetDocumentView(DocumentView* view);
