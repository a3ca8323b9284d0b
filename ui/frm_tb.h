#pragma once
// TfrmTb, the main window: the designer's six pages (File, Layout, Text,
// Menu, Misc, About) and its commands; the first form, so the main form.
// It shows the menu document in its list views and fields (DocumentView)
// and answers the preview (MainWindowLink); it installs both when it is
// created. Its parts live in several files by purpose:
//   frm_tb_form.cpp      the form table: controls, popup menus, captions
//   frm_tb.cpp           events, first showing, page bookkeeping, the links
//   frm_tb_views.cpp     document <-> list views and fields
//   frm_tb_settings.cpp  the settings key, set-up and the quit sequence
//   frm_tb_files.cpp     New, Open, Save, Save As, Make ISO, save question
//   frm_tb_editing.cpp   list buttons, list views, page change, File options
//   frm_tb_fields.cpp    key filters and commits of the fields
//   frm_tb_colors.cpp    the owner-drawn colour combos
//   frm_tb_language.cpp  the texts, font and positions of the language,
//                        the language menu (positions: frm_tb_layouts.cpp)
//   frm_tb_commands.cpp  menu commands, links, switches, password, colour tables
#include <cstdint>

#include "menu/document_view.h"
#include "ui/designer_links.h"
#include "win/form.h"

#define FRM_TB_FILE_NAMES(X)                                                                   \
  X(tsFile) X(lbFileDir) X(txtFileDir) X(lbMenuFileName) X(txtMenuFileName)        \
  X(gbMenuType) X(optMainMenu) X(txtPassword) X(btnPassword) X(optSubMenu)                      \
  X(gbAccKeyMode) X(optAccSelect) X(optAccExec)                                                 \
  X(gbKeyTransMode) X(optToLower) X(optToUpper) X(optNoTrans)                                   \
  X(gbPreviewSetting) X(chkPrevShow) X(chkPrevEdit)                                             \
  X(chkWaitTime) X(txtWaitTime) X(chkLogoImg) X(txtLogoImg) X(txtLogoTime)                      \
  X(chkBackImg) X(txtBackImg) X(lbMenuNum) X(txtItemsNumM) X(lbDefaultMenuNo)                   \
  X(txtDefaultMenuNo) X(chkAutoLoad)                                                            \
  X(btnNew) X(btnOpen) X(btnSave) X(btnSaveAs) X(btnISOMake)                                    \
  X(btnBurn) X(btnTools) X(btnOptions) X(btnHelp) X(btnQuit)

#define FRM_TB_LAYOUT_NAMES(X)                                                                 \
  X(tsLayout) X(lstViewL) X(lbItemNoL) X(txtItemNoL) X(lbItemsNumL) X(txtItemsNumL)             \
  X(gbULCoordL) X(lbULRowL) X(txtULRowL) X(lbULColL) X(txtULColL)                               \
  X(gbLRCoordL) X(lbLRRowL) X(txtLRRowL) X(lbLRColL) X(txtLRColL)                               \
  X(gbDispAttrL) X(lbBGColorL) X(cbBGColorL) X(lbFGColorL) X(cbFGColorL)                        \
  X(lbMColorL) X(cbMColorL) X(lbEdgeL) X(txtEdgeL) X(upEdgeL) X(chkImageFile) X(txtImageFile)   \
  X(btnAppendL) X(btnInsertL) X(btnDeleteL) X(btnMoveUpL) X(btnMoveDownL) X(btnUndoL)

#define FRM_TB_TEXT_NAMES(X)                                                                   \
  X(tsTextShow) X(lstViewT) X(lbItemNoT) X(txtItemNoT) X(lbItemsNumT) X(txtItemsNumT)           \
  X(gbULCoordT) X(lbULRowT) X(txtULRowT) X(lbULColT) X(txtULColT)                               \
  X(gbLRCoordT) X(lbLRRowT) X(txtLRRowT) X(lbLRColT) X(txtLRColT)                               \
  X(gbAlignStyle) X(optAlignLeft) X(optAlignMiddle) X(optAlignRight)                            \
  X(lbTextColorT) X(cbTextColorT) X(lbTextStr) X(txtTextStr)                                    \
  X(btnAppendT) X(btnInsertT) X(btnDeleteT) X(btnMoveUpT) X(btnMoveDownT) X(btnUndoT)

#define FRM_TB_MENU_NAMES(X)                                                                   \
  X(tsMenuBar) X(lstViewM) X(lbItemNoM) X(txtItemNoM) X(lbAccKey) X(txtAccKey) X(txtMenuPass)   \
  X(btnSetDefaultMenu)                                                                          \
  X(gbULCoordM) X(lbULRowM) X(txtULRowM) X(lbULColM) X(txtULColM)                               \
  X(gbLRCoordM) X(lbLRRowM) X(txtLRRowM) X(lbLRColM) X(txtLRColM)                               \
  X(gbDispAttrM) X(lbBGColorM) X(cbBGColorM) X(lbFGColorM) X(cbFGColorM)                        \
  X(gbNDispAttrM) X(lbNBGColorM) X(cbNBGColorM) X(lbNFGColorM) X(cbNFGColorM)                   \
  X(lbMenuCmd) X(txtMenuCmd) X(lbTextM) X(txtMenuText) X(chkHotSpot)                            \
  X(gbCursorKey) X(lbUpKey) X(cmbUpKey) X(lbDownKey) X(cmbDownKey) X(lbLeftKey) X(cmbLeftKey)   \
  X(lbRightKey) X(cmbRightKey) X(lbTabKey) X(cmbTabKey)                                         \
  X(btnAppendM) X(btnInsertM) X(btnDeleteM) X(btnMoveUpM) X(btnMoveDownM) X(btnUndoM)

#define FRM_TB_MISC_NAMES(X)                                                                   \
  X(tsFuncKey) X(lstViewF) X(lbItemNoF) X(txtItemNoF) X(lbItemsNumF) X(txtItemsNumF)            \
  X(lbFuncKey) X(txtFuncKey) X(txtFKeyStr) X(lbFKeyCmd) X(txtFKeyCmd)                           \
  X(btnAppendF) X(btnInsertF) X(btnDeleteF) X(btnMoveUpF) X(btnMoveDownF) X(btnUndoF)           \
  X(chkDispCount) X(gbCountPos) X(lbCountX) X(txtCountY) X(lbCountY) X(txtCountX)               \
  X(gbCountColor) X(lbCColorBG) X(cbCColorBG) X(lbCColorFG) X(cbCColorFG)                       \
  X(chkShowProg) X(gbULCoordP) X(lbULRowP) X(txtULRowP) X(lbULColP) X(txtULColP)                \
  X(gbLRCoordP) X(lbLRRowP) X(txtLRRowP) X(lbLRColP) X(txtLRColP)                               \
  X(gbProgColor) X(lbPColorBG) X(cbBGColorP) X(lbPColorFG) X(cbFGColorP)                        \
  X(lbPColorEdge) X(cbEdgeColorP)

#define FRM_TB_ABOUT_NAMES(X)                                                                  \
  X(tsAbout) X(imgAbout) X(lbAboutName) X(lbAboutVer) X(bvAbout) X(lbAboutNotice)               \
  X(lbLocalize) X(lbAboutWeb) X(lbAboutContact) X(lbWindowsVer)

#define FRM_TB_MENU_ITEM_NAMES(X)                                                              \
  X(pmTools) X(pmFloppyImage) X(pmNewImage) X(pmToolsBar) X(pmReplaceText)                      \
  X(pmHelp) X(pmContents) X(pmHelpBar) X(pmHomePage) X(pmSupportForum)                          \
  X(pmOptions) X(pmConfig) X(pmConfigBar) X(pmLanguage) X(mmLang1) X(mmLang2) X(mmLang3)        \
  X(mmLang4) X(mmLang5) X(mmLang6) X(mmLang7) X(mmLang8) X(mmLang9) X(mmLang10) X(mmLang11)     \
  X(mmLang12) X(pmLangBar) X(pmLoadColors) X(pmSaveColors) X(pmColorsBar) X(pmLoadColorsBMP)    \
  X(pmBurn) X(pmBurnCD) X(pmWriteUSB)

// The frame of the menu folder's field.
#define FRM_TB_LANGUAGE_NAMES(X) X(bvFileDir)

#define FRM_TB_NAMES(X)                                                                        \
  X(tabstrp) FRM_TB_FILE_NAMES(X) FRM_TB_LAYOUT_NAMES(X) FRM_TB_TEXT_NAMES(X)                   \
  FRM_TB_MENU_NAMES(X) FRM_TB_MISC_NAMES(X) FRM_TB_ABOUT_NAMES(X) FRM_TB_MENU_ITEM_NAMES(X) \
  FRM_TB_LANGUAGE_NAMES(X)

// The pages of tabstrp, in order.
enum MainWindowPage {
  kPageFile = 0,
  kPageLayout = 1,
  kPageText = 2,
  kPageMenu = 3,
  kPageMisc = 4,  // the function-key list, countdown and progress bar
  kPageAbout = 5,
};

// The operations of the four lists' buttons.
enum ListButtonKind { kListAppend, kListInsert, kListDelete, kListMoveUp, kListMoveDown, kListUndo };

struct ListControls;  // ui/frm_tb_tables.h

class TfrmTb : public Form, public DocumentView, public MainWindowLink {
 public:
  enum Name { FRM_TB_NAMES(TW_NAME_ENUM) kNameCount };
  TfrmTb();
  ~TfrmTb() override;

  // Page bookkeeping: the active page and the item list edited on it (0, 1,
  // 2 on pages 1, 2, 3; kNoList elsewhere, also on the function-key page).
  int ActivePage() const { return currentPage_; }
  int ActiveList() const { return currentList_; }
  void UpdateCurrentList();

  // The window-level commands.
  bool AskSaveChanges(const char* action);  // true when the action is cancelled
  void SaveSettingsAndQuit();
  void NewDocument();
  void UndoLastChange();
  bool ConfirmFat32Overflow();

  // The list views.
  void SelectItemFromList(int list);
  void SelectCurrentRow(int list);

  // DocumentView: field transfer (frm_tb_views.cpp).
  void RefreshListViews(int list) override;
  void ShowCurrentItem(int list) override;
  void StoreCurrentItem(int list) override;
  void SetNewItemDefaults(int list) override;
  void ShowDocumentSettings() override;
  // DocumentView: the preview and the page bookkeeping (frm_tb.cpp).
  void RepaintPreview() override;
  void RelayoutPreview() override;
  void LoadBackImage() override;
  int CurrentList() override { return currentList_; }
  void ShowListPage(int list) override;
  void FocusMoveUpButton() override;
  void EnableUndoButtons(bool enabled) override;
  void* OwnerWindow() override { return Handle(); }
  std::string GetFieldText(ViewField field) override;
  void SetFieldText(ViewField field, const char* text) override;

  // MainWindowLink (frm_tb.cpp, frm_tb_editing.cpp).
  int CurrentPage() override { return currentPage_; }
  void RefreshCurrentItem() override;
  void SetItemRectFromPreview(uint16_t top, uint16_t left, uint16_t bottom, uint16_t right,
                              bool appendFirst) override;

 protected:
  void OnEvent(FormEvent& event) override;

 private:
  // Events of the form itself and of the controls without a code table.
  void OnFormEvent(FormEvent& event);
  bool OnFileCommand(const FormEvent& event);
  bool OnFileOption(const FormEvent& event);
  bool OnListEvent(FormEvent& event);
  bool OnFieldEvent(FormEvent& event);

  void FormCreate();
  void frmTbShow();
  void FormKeyDown(WORD& key, unsigned shift);
  void ShowStartupMenu();

  // Settings and the quit sequence (frm_tb_settings.cpp).
  void InitMainForm();
  void WriteSettings();

  // File commands (frm_tb_files.cpp).
  void btnOpenClick();
  // Opens name in folder, whose parent becomes the disc folder; a file that
  // does not load leaves the names and folders as they were. True when read.
  bool OpenMenuFileAt(const std::string& folder, const std::string& name);
  void btnSaveClick();
  void btnSaveAsClick();
  // Save: the menu's own file, or Save As for a menu never saved. Save As:
  // asks for a name and saves under it; a failed save leaves the menu's
  // name and folder as they were. Both false when the user cancelled the
  // file dialog or Save As refused the name; a failed save leaves
  // DocumentModified set.
  bool SaveMenu();
  bool SaveMenuAs();
  void btnISOMakeClick();
  void pmHelpClick();
  void OpenPopupMenu(int menu);

  // Editing handlers (frm_tb_editing.cpp).
  void ListButtonClick(ListButtonKind kind, int list);
  void ListViewClick(int list);
  void tabstrpChanging();
  void SetFileOption(uint8_t& setting, uint8_t value);
  void optMenuTypeClick(uint8_t menuType);
  void chkWaitTimeClick();
  void txtWaitTimeChange();
  void chkPrevShowClick();
  void btnSetDefaultMenuClick();
  void txtULRowTChange();

  // Field editing (frm_tb_fields.cpp, frm_tb_colors.cpp).
  void NumericFieldKeyPress(int control, int code, char& key);
  void NumericFieldExit(int control, int code);
  bool StoreProgressEnd(uint16_t& end, uint16_t start, uint16_t value, int field);
  void TextFieldKeyPress(int control, int code, char& key);
  void TextFieldExit(int control, int code);
  void CursorKeyComboKeyPress(int combo, int which, char& key);
  void CursorKeyComboExit(int combo, int which);
  void txtAccKeyKeyPress(char& key);
  void txtAccKeyExit();
  void txtFuncKeyKeyDown(WORD& key, unsigned shift);
  void txtFuncKeyChange();
  void txtFuncKeyExit();
  void SetItemAlignment(int align);
  void ColorComboChange(int combo, int code);
  void DrawColorItem(const FormEvent& event);
  void FillColorCombos();

  // Field helpers.
  void ShowRect(const ListControls& c, bool empty, int top, int left, int bottom, int right);
  void SetNumber(int control, int value);
  int NumberIn(int control);
  void SetColorIndex(int combo, int index);
  bool ListHasItems(int list) const;

  // The language (frm_tb_language.cpp): at the first showing and after a
  // switch from the language menu.
  void ApplyLanguage(bool firstShowing);
  bool OnLanguageEvent(const FormEvent& event);
  void mmLangClick(int item);

  // Menu commands, links, switches and the colour-table file (frm_tb_commands.cpp).
  bool OnCommand(FormEvent& event);
  void pmConfigClick();
  void ShowColorTable();
  void pmLoadColorsClick();
  void pmSaveColorsClick();
  void pmLoadColorsBMPClick();
  void chkLogoImgClick();
  void txtLogoImgChange();
  void txtLogoImgExit();
  static void RefusePathKey(char& key);
  bool RefusePictureName(int field, const char* former);
  void txtLogoTimeChange();
  void chkBackImgClick();
  void SetShowSwitch(uint8_t& setting, int checkBox);
  void upEdgeLClick(bool up);
  void btnPasswordClick();
  void chkHotSpotClick();

  int currentPage_ = kPageFile;
  int currentList_ = 128;  // kNoList
  bool shown_ = false;
  bool previewEditOn_ = true;  // PreviewEditOn, shown by chkPrevEdit
  // While the program fills fields, their change events commit nothing.
  int fillingFields_ = 0;
  // While a list view is refilled, its selection events are its own.
  int refreshingList_ = 0;
  // The logo field's name as the program last set it or the user last left
  // it: what a refused name gives way to.
  std::string logoName_;
};

extern TfrmTb* frmTb;
