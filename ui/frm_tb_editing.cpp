// The main window's editing handlers: the buttons and list views of the
// four lists, the page change, the File page's options, the default menu
// item, and the rectangle that the preview commits.
#include "app/text_helpers.h"
#include "menu/document.h"
#include "menu/item_ops.h"
#include "ui/frm_tb.h"
#include "ui/frm_tb_tables.h"
#include "ui/main_settings.h"

namespace {

// The list shown by a list view, or -1.
int ListOfView(int control) {
  for (int list = 0; list < kListCount; ++list) {
    if (kListControls[list].view == control) return list;
  }
  return -1;
}

}  // namespace

bool TfrmTb::OnListEvent(FormEvent& event) {
  if (event.control == tabstrp) {
    // Before the change the focus leaves the page, so that a field of it
    // commits while its page is still the current one.
    if (event.kind == kEventChanging) FocusMoveUpButton();
    if (event.kind == kEventChange) UpdateCurrentList();
    return true;
  }
  int button = CodeOf(kListButtons, kListButtonCount, event.control);
  if (button >= 0) {
    if (event.kind == kEventClick) ListButtonClick((ListButtonKind)(button / 4), button % 4);
    return true;
  }
  int list = ListOfView(event.control);
  if (list < 0) return false;
  switch (event.kind) {
    case kEventClick:
    case kEventDblClick:
      ListViewClick(list);
      break;
    case kEventKeyPress:
      if (event.keyChar == '\r') SelectItemFromList(list);
      break;
    case kEventSelectItem:
      // Rows selected by the program's own refresh are not the user's.
      if (event.selected && !refreshingList_) SelectItemFromList(list);
      break;
    default:
      break;
  }
  return true;
}

void TfrmTb::ListButtonClick(ListButtonKind kind, int list) {
  switch (kind) {
    case kListAppend: AppendItem(list); break;
    case kListInsert: InsertItem(list); break;
    case kListDelete:
      DeleteItem(list);
      if (!ListHasItems(list)) ThePreviewLink().EraseFocusRect();
      break;
    case kListMoveUp: MoveItemUp(list); break;
    case kListMoveDown: MoveItemDown(list); break;
    case kListUndo: UndoLastChange(); break;
  }
}

void TfrmTb::ListViewClick(int list) {
  ListView view(ControlAt(kListControls[list].view));
  if (view.Selected() >= 0) {
    SelectItemFromList(list);
  } else if (ListHasItems(list)) {
    view.SelectItem(TheDocument.CurrentItem[list] - 1);
  }
}

void TfrmTb::SelectItemFromList(int list) {
  if (!ListHasItems(list)) return;
  int row = ListView(ControlAt(kListControls[list].view)).Selected();
  if (row >= 0 && row < TheDocument.ItemCount[list]) TheDocument.CurrentItem[list] = row + 1;
  ShowCurrentItem(list);
  ThePreviewLink().ShowCurrentItemFocus();
}

void TfrmTb::SelectCurrentRow(int list) {
  const MenuDocument& doc = TheDocument;
  if (!ListHasItems(list) || doc.CurrentItem[list] < 1 || doc.CurrentItem[list] > doc.ItemCount[list]) return;
  ++refreshingList_;
  ListView(ControlAt(kListControls[list].view)).SelectItem(doc.CurrentItem[list] - 1);
  --refreshingList_;
}

void TfrmTb::SetItemRectFromPreview(uint16_t top, uint16_t left, uint16_t bottom, uint16_t right,
                                    bool appendFirst) {
  const int list = currentList_;
  if (list == kNoList) return;
  // At the limit AppendItem refuses with its message; the rectangle then
  // goes into the current item.
  if (appendFirst) AppendItem(list);
  if (!ListHasItems(list)) return;
  // On the Text page the upper row moves the lower row first; the lower
  // row then given takes its place.
  ShowRect(kListControls[list], false, top, left, bottom, right);
  ModifyItem(list);
}

bool TfrmTb::OnFileOption(const FormEvent& event) {
  MenuDocument& doc = TheDocument;
  if (event.kind == kEventChange && event.control == txtWaitTime) {
    txtWaitTimeChange();
    return true;
  }
  if (event.kind != kEventClick) return false;
  switch (event.control) {
    case optMainMenu: optMenuTypeClick(0); break;
    case optSubMenu: optMenuTypeClick(1); break;
    case chkWaitTime: chkWaitTimeClick(); break;
    case optToLower: SetFileOption(doc.KeyTransfer, 'a'); break;
    case optToUpper: SetFileOption(doc.KeyTransfer, 'A'); break;
    case optNoTrans: SetFileOption(doc.KeyTransfer, 0); break;
    case optAccExec: SetFileOption(doc.AccKeyMode, 255); break;
    case optAccSelect: SetFileOption(doc.AccKeyMode, 0); break;
    case chkPrevShow: chkPrevShowClick(); break;
    case chkPrevEdit:
      previewEditOn_ = CheckBox(ControlAt(chkPrevEdit)).Checked();
      ThePreviewLink().SetEditEnabled(previewEditOn_);
      break;
    case chkAutoLoad: TheMainSettings.AutoLoad = CheckBox(ControlAt(chkAutoLoad)).Checked() ? 1 : 0; break;
    case btnSetDefaultMenu: btnSetDefaultMenuClick(); break;
    default: return false;
  }
  return true;
}

// A File-page option changes its setting only when the value differs.
void TfrmTb::SetFileOption(uint8_t& setting, uint8_t value) {
  if (setting == value) return;
  setting = value;
  TheDocument.DocumentModified = 1;
}

void TfrmTb::optMenuTypeClick(uint8_t menuType) {
  if (TheDocument.MenuType == menuType) return;
  SetFileOption(TheDocument.MenuType, menuType);
  ControlAt(txtPassword).SetEnabled(menuType == 0);
  ControlAt(btnPassword).SetEnabled(menuType == 0);
}

void TfrmTb::chkWaitTimeClick() {
  const uint8_t on = CheckBox(ControlAt(chkWaitTime)).Checked() ? 1 : 0;
  if (TheDocument.WaitTimeOn == on) return;
  SetFileOption(TheDocument.WaitTimeOn, on);
  ControlAt(txtWaitTime).SetEnabled(on != 0);
  ControlAt(chkDispCount).SetEnabled(on != 0);
  RepaintPreview();
}

void TfrmTb::txtWaitTimeChange() {
  if (fillingFields_) return;
  const uint8_t seconds = (uint8_t)NumberIn(txtWaitTime);
  if (TheDocument.WaitTime == seconds) return;
  SetFileOption(TheDocument.WaitTime, seconds);
  RepaintPreview();
}

void TfrmTb::chkPrevShowClick() {
  const bool show = CheckBox(ControlAt(chkPrevShow)).Checked();
  if (show) {
    ThePreviewLink().ShowPreview();
  } else {
    ThePreviewLink().HidePreview();
  }
  ControlAt(chkPrevEdit).SetEnabled(show);
}

void TfrmTb::btnSetDefaultMenuClick() {
  MenuDocument& doc = TheDocument;
  doc.DefaultMenu = (uint8_t)doc.CurrentItem[kMenuList];
  SetNumber(txtDefaultMenuNo, doc.DefaultMenu);
  ControlAt(btnSetDefaultMenu).SetEnabled(false);
  doc.DocumentModified = 1;
  RepaintPreview();
}

// A text line is one character cell of 16 pixels high: its lower row
// follows its upper row.
void TfrmTb::txtULRowTChange() { SetNumber(txtLRRowT, NumberIn(txtULRowT) + 16); }
