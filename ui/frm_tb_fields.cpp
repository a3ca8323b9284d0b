// Field editing: the key filters that keep the numeric fields within their
// limits, the commit routines that run when a field is left (or Enter is
// pressed), the cursor-key, hot-key and function-key fields and the text
// alignment. An item field commits with ModifyItem (one undo entry) only
// when its value differs from the current item's.
#include <cstdio>
#include <cstring>
#include <string>

#include "app/text_helpers.h"
#include "menu/document.h"
#include "menu/item_ops.h"
#include "ui/frm_tb.h"
#include "ui/frm_tb_tables.h"

namespace {

typedef TfrmTb T;

enum { kEdgeWidthCode = 14, kUpperRowTextCode = 9 };

// Cursor-key targets: a menu item number up to 36, or 99.
enum { kMaxTargetItem = 36, kLastItemTarget = 99 };

std::string Decimal(int value) {
  char text[16];
  snprintf(text, sizeof text, "%d", value);
  return text;
}

bool IsDigit(char key) { return key >= '0' && key <= '9'; }

// How a digit field takes a key: Enter commits the field, Backspace
// passes, a digit still has to fit the field; every other key is
// swallowed (as Enter is, after its commit).
enum DigitFieldKey { kDigit, kCommitKey, kHandledKey };
DigitFieldKey SortDigitFieldKey(char& key) {
  if (key == '\r') {
    key = 0;
    return kCommitKey;
  }
  if (key == '\b') return kHandledKey;
  if (IsDigit(key)) return kDigit;
  key = 0;
  return kHandledKey;
}

// The value of a numeric item field as the current item holds it.
int ItemFieldValue(int code) {
  const MenuDocument& doc = TheDocument;
  const LayoutItem& box = doc.layoutItems[doc.CurrentItem[kLayoutList]];
  const MenuItemGeometry& entry = doc.menuGeometry[doc.CurrentItem[kMenuList]];
  const TextItemGeometry& line = doc.textItems[doc.CurrentItem[kTextList]].geometry;
  switch (code) {
    case 1: return box.y1;
    case 2: return box.x1;
    case 3: return box.y2;
    case 4: return box.x2;
    case 5: return entry.y1;
    case 6: return entry.x1;
    case 7: return entry.y2;
    case 8: return entry.x2;
    case 9: return line.y1;
    case 10: return line.x1;
    case 12: return line.x2;
    case kEdgeWidthCode: return box.edgeWidth;
    default: return -1;
  }
}

bool StoreIfDifferent(uint16_t& setting, uint16_t value) {
  if (setting == value) return false;
  setting = value;
  return true;
}

// The text fields: the list and page they edit and the blanks that do not
// count when a typed text is compared with the stored one.
enum Blanks { kAllBlanksCount, kTrailingBlanksIgnored, kOuterBlanksIgnored };
struct TextFieldRule {
  int list;
  int page;
  Blanks blanks;
};
const TextFieldRule kTextRules[] = {
    {kNoList, -1, kAllBlanksCount},
    {kTextList, kPageText, kTrailingBlanksIgnored},         // 1 txtTextStr
    {kMenuList, kPageMenu, kOuterBlanksIgnored},            // 2 txtMenuCmd
    {kFunctionKeyList, kPageMisc, kOuterBlanksIgnored},     // 3 txtFKeyCmd
    {kMenuList, kPageMenu, kTrailingBlanksIgnored},         // 4 txtMenuText
    {kMenuList, kPageMenu, kAllBlanksCount},                // 5 txtMenuPass
};
enum { kBackImageCode = 6 };

const char* StoredText(int code) {
  const MenuDocument& doc = TheDocument;
  switch (code) {
    case 1: return doc.textItems[doc.CurrentItem[kTextList]].text;
    case 2: return doc.menuStrings[doc.CurrentItem[kMenuList]].command;
    case 3: return doc.functionKeys[doc.CurrentItem[kFunctionKeyList]].command;
    case 4: return doc.menuStrings[doc.CurrentItem[kMenuList]].text;
    default: return doc.menuStrings[doc.CurrentItem[kMenuList]].password;
  }
}

std::string WithoutBlanks(const char* text, Blanks blanks) {
  switch (blanks) {
    case kTrailingBlanksIgnored: return TrimRight(text);
    case kOuterBlanksIgnored: return TrimText(text);
    default: return text;
  }
}

// The key names and loader tokens of the keys the function-key field takes.
struct NamedKey {
  WORD key;
  const char* name;
  const char* token;
};
const NamedKey kNamedKeys[] = {
    {VK_BACK, "Backspace", "bs"}, {VK_ESCAPE, "Esc", "esc"}, {VK_PRIOR, "PageUp", "pgup"},
    {VK_NEXT, "PageDown", "pgdn"}, {VK_END, "End", "end"},   {VK_HOME, "Home", "home"},
    {VK_INSERT, "Ins", "ins"},     {VK_DELETE, "dDel", "del"},
};
// Keys that the function-key field refuses without touching its text.
const WORD kRefusedKeys[] = {VK_TAB,   VK_RETURN,  VK_SPACE, VK_LEFT,    VK_UP,      VK_RIGHT,
                             VK_DOWN,  VK_SHIFT,   VK_CONTROL, VK_MENU, VK_CAPITAL, VK_NUMLOCK};

}  // namespace

bool TfrmTb::OnFieldEvent(FormEvent& event) {
  const int control = event.control;
  int code = CodeOf(kNumericFields, kNumericFieldCount, control);
  if (code >= 0) {
    if (event.kind == kEventKeyPress) NumericFieldKeyPress(control, code, event.keyChar);
    if (event.kind == kEventExit && code != kEdgeWidthCode) NumericFieldExit(control, code);
    if (event.kind == kEventChange && code == kEdgeWidthCode && !fillingFields_) NumericFieldExit(control, code);
    if (event.kind == kEventChange && code == kUpperRowTextCode) txtULRowTChange();
    return true;
  }
  if ((code = CodeOf(kTextFields, kTextFieldCount, control)) >= 0) {
    if (event.kind == kEventKeyPress) TextFieldKeyPress(control, code, event.keyChar);
    if (event.kind == kEventExit) TextFieldExit(control, code);
    return true;
  }
  if ((code = CodeOf(kCursorKeyCombos, kCursorKeyComboCount, control)) >= 0) {
    if (event.kind == kEventKeyPress) CursorKeyComboKeyPress(control, code, event.keyChar);
    if (event.kind == kEventExit) CursorKeyComboExit(control, code);
    return true;
  }
  if ((code = CodeOf(kColorCombos, kColorComboCount, control)) >= 0) {
    if (event.kind == kEventChange) ColorComboChange(control, code);
    if (event.kind == kEventDrawItem) DrawColorItem(event);
    return true;
  }
  switch (control) {
    case txtAccKey:
      if (event.kind == kEventKeyPress) txtAccKeyKeyPress(event.keyChar);
      if (event.kind == kEventExit) txtAccKeyExit();
      return true;
    case txtFuncKey:
      if (event.kind == kEventKeyDown) txtFuncKeyKeyDown(event.key, event.shift);
      if (event.kind == kEventChange) txtFuncKeyChange();
      if (event.kind == kEventExit) txtFuncKeyExit();
      return true;
    case optAlignLeft:
    case optAlignMiddle:
    case optAlignRight:
      if (event.kind == kEventClick) SetItemAlignment(control == optAlignLeft ? 0 : control == optAlignMiddle ? 1 : 2);
      return true;
    default:
      return false;
  }
}

// Digits only, within the field's digit budget and its limits; Enter
// commits.
void TfrmTb::NumericFieldKeyPress(int control, int code, char& key) {
  const DigitFieldKey kind = SortDigitFieldKey(key);
  if (kind == kCommitKey) NumericFieldExit(control, code);
  if (kind != kDigit) return;
  const int max = FieldLimits.FieldMax[code];
  const int budget = max >= 1000 ? 4 : max >= 100 ? 3 : 2;
  Edit edit(ControlAt(control));
  std::string text = edit.Text();
  const size_t start = (size_t)edit.SelStart(), selected = (size_t)edit.SelLength();
  if (text.size() - selected >= (size_t)budget || start > text.size()) {
    key = 0;
    return;
  }
  // The text the key would make: the digit at the caret or in place of
  // the selection.
  text.replace(start, selected, 1, key);
  const int value = TextToInt(text.c_str());
  if (value < FieldLimits.FieldMin[code] || value > max) key = 0;
}

void TfrmTb::NumericFieldExit(int control, int code) {
  // An empty field commits 0; a text that passed the key filter by other
  // ways (pasted, "-5" or "99999") is held to the field's limits.
  int value = TextToInt(ControlAt(control).Text().c_str());
  if (value < FieldLimits.FieldMin[code]) value = FieldLimits.FieldMin[code];
  if (value > FieldLimits.FieldMax[code]) value = FieldLimits.FieldMax[code];
  if (ControlAt(control).Text() != Decimal(value)) SetNumber(control, value);
  const uint16_t number = (uint16_t)value;
  const int list = FieldLimits.FieldList[code];
  if (list != kNoList) {
    if (currentList_ != list || !ListHasItems(list)) return;
    const int stored = ItemFieldValue(code);
    const int typed = code == kEdgeWidthCode ? (uint8_t)number : number;
    if (typed != stored) ModifyItem(list);
    return;
  }
  MenuDocument& doc = TheDocument;
  PixelRect& bar = doc.ProgressRect;
  bool stored = false;
  switch (code) {
    case 15: stored = StoreIfDifferent(doc.CounterY, number); break;
    case 16: stored = StoreIfDifferent(doc.CounterX, number); break;
    case 17: stored = StoreIfDifferent(bar.y1, number); break;
    case 18: stored = StoreIfDifferent(bar.x1, number); break;
    case 19: stored = StoreProgressEnd(bar.y2, bar.y1, number, txtLRRowP); break;
    case 20: stored = StoreProgressEnd(bar.x2, bar.x1, number, txtLRColP); break;
    default:
      break;
  }
  if (!stored) return;
  doc.DocumentModified = 1;
  RepaintPreview();
}

// The progress bar's lower row (right column) stays below (right of) its
// upper row (left column): one beyond it at least, shown in its field.
bool TfrmTb::StoreProgressEnd(uint16_t& end, uint16_t start, uint16_t value, int field) {
  bool stored = StoreIfDifferent(end, value);
  if (end > start) return stored;
  end = start + 1;
  SetNumber(field, end);
  return true;
}

void TfrmTb::TextFieldKeyPress(int control, int code, char& key) {
  if (code == kBackImageCode) RefusePathKey(key);
  if (key != '\r') return;
  TextFieldExit(control, code);
  key = 0;
}

void TfrmTb::TextFieldExit(int control, int code) {
  MenuDocument& doc = TheDocument;
  const std::string text = ControlAt(control).Text();
  if (code == kBackImageCode) {
    if (RefusePictureName(control, doc.BackImageName)) return;
    if (_stricmp(doc.BackImageName, text.c_str()) == 0) return;
    CopyText(doc.BackImageName, kShortFileNameSize, text.c_str());
    LoadBackImage();
    doc.DocumentModified = 1;
    RepaintPreview();
    return;
  }
  const TextFieldRule& rule = kTextRules[code];
  if (currentPage_ != rule.page || !ListHasItems(rule.list)) return;
  if (WithoutBlanks(StoredText(code), rule.blanks) != WithoutBlanks(text.c_str(), rule.blanks)) {
    ModifyItem(rule.list);
  }
}

// Two digits at most, making a target of 0..36 or 99.
void TfrmTb::CursorKeyComboKeyPress(int combo, int which, char& key) {
  const DigitFieldKey kind = SortDigitFieldKey(key);
  if (kind == kCommitKey) CursorKeyComboExit(combo, which);
  if (kind != kDigit) return;
  ComboBox box(ControlAt(combo));
  std::string text = box.Text();
  const size_t selected = (size_t)box.SelLength();
  if (text.size() - selected >= 2) {
    key = 0;
    return;
  }
  if (selected == 0) {
    text += key;
  } else if (selected >= text.size()) {
    text = std::string(1, key);
  } else {
    text[box.SelStart() == 1 ? 1 : 0] = key;
  }
  const int value = TextToInt(text.c_str());
  if (value > kMaxTargetItem && value != kLastItemTarget) key = 0;
}

void TfrmTb::CursorKeyComboExit(int combo, int which) {
  MenuDocument& doc = TheDocument;
  const bool editing = currentList_ == kMenuList && ListHasItems(kMenuList);
  const MenuItemKeys& keys = doc.menuKeys[doc.CurrentItem[kMenuList]];
  const uint8_t targets[] = {keys.up, keys.down, keys.left, keys.right, keys.tab};
  const int stored = editing ? targets[which] : 0;
  // An empty field is 0; a pasted number that is no target is refused.
  int value = TextToInt(ControlAt(combo).Text().c_str());
  if ((value < 0 || value > kMaxTargetItem) && value != kLastItemTarget) value = stored;
  if (ControlAt(combo).Text() != Decimal(value)) SetNumber(combo, value);
  if (editing && value != stored) ModifyItem(kMenuList);
}

// The hot key: the field always holds the last printable character typed.
void TfrmTb::txtAccKeyKeyPress(char& key) {
  const unsigned char c = (unsigned char)key;
  if (c >= 33 && c <= 126) {
    ControlAt(txtAccKey).SetText("");
  } else if (c == '\r') {
    txtAccKeyExit();
    key = 0;
  } else if (c != '\b') {
    key = 0;
  }
}

void TfrmTb::txtAccKeyExit() {
  if (currentList_ != kMenuList || !ListHasItems(kMenuList)) return;
  const uint8_t key = (uint8_t)ControlAt(txtAccKey).Text().c_str()[0];
  if (key != TheDocument.menuKeys[TheDocument.CurrentItem[kMenuList]].accKey) ModifyItem(kMenuList);
}

// The function-key field shows the key's name ("Shift+F3") and keeps the
// loader's token ("sf3") in the hidden field.
void TfrmTb::txtFuncKeyKeyDown(WORD& key, unsigned shift) {
  for (WORD refused : kRefusedKeys) {
    if (key == refused) {
      key = 0;
      return;
    }
  }
  char name[32] = "", token[16] = "";
  if (key >= VK_F1 && key <= VK_F12) {
    // Alt replaces Shift when both are held; Ctrl is not looked at.
    const char* namePrefix = (shift & kShiftAlt) ? "Alt+" : (shift & kShiftKey) ? "Shift+" : "";
    const char* tokenPrefix = (shift & kShiftAlt) ? "a" : (shift & kShiftKey) ? "s" : "";
    snprintf(name, sizeof name, "%sF%d", namePrefix, key - VK_F1 + 1);
    snprintf(token, sizeof token, "%sf%d", tokenPrefix, key - VK_F1 + 1);
  }
  for (const NamedKey& named : kNamedKeys) {
    if (key == named.key) {
      snprintf(name, sizeof name, "%s", named.name);
      snprintf(token, sizeof token, "%s", named.token);
    }
  }
  ControlAt(txtFuncKey).SetText(name);
  ControlAt(txtFKeyStr).SetText(token);
  // The key reaches the field with the caret at the start: Delete takes
  // the "d" of "dDel", a printable key is typed into the emptied field.
  Edit(ControlAt(txtFuncKey)).Select(0, 0);
}

void TfrmTb::txtFuncKeyChange() {
  const std::string text = ControlAt(txtFuncKey).Text();
  const std::string trimmed = TrimText(text.c_str());
  if (trimmed != text) ControlAt(txtFuncKey).SetText(trimmed.c_str());
  // A character typed into the field is its own token.
  if (ControlAt(txtFKeyStr).Text().empty()) ControlAt(txtFKeyStr).SetText(trimmed.c_str());
}

void TfrmTb::txtFuncKeyExit() {
  if (currentPage_ != kPageMisc || !ListHasItems(kFunctionKeyList)) return;
  const FunctionKeyItem& item = TheDocument.functionKeys[TheDocument.CurrentItem[kFunctionKeyList]];
  const std::string typed = TrimText(ControlAt(txtFKeyStr).Text().c_str());
  if (typed != TrimText(item.key)) ModifyItem(kFunctionKeyList);
}

void TfrmTb::SetItemAlignment(int align) {
  if (currentList_ != kTextList || !ListHasItems(kTextList)) return;
  if (TheDocument.textItems[TheDocument.CurrentItem[kTextList]].geometry.align != align) ModifyItem(kTextList);
}
