// The main window in the current language: colour names, captions, hints,
// popup menu items and list columns by string id (the form's caption
// table), the language font, the language menu with its tick, and the
// positions of the language (ui/frm_tb_layouts.cpp); and the switch from
// the language menu.
#include <cstdlib>
#include <cstring>

#include "app/language.h"
#include "app/startup.h"
#include "menu/document.h"
#include "menu/menu_file_reader.h"
#include "platform/registry.h"
#include "ui/frm_tb.h"

namespace {

// The language menu: the language of each item and the name it shows, the
// same in every language.
struct LanguageMenuEntry {
  int langId;
  int item;
  const char* name;
};

const LanguageMenuEntry kLangMenuTable[] = {
    {10241, TfrmTb::mmLang1, "Arabic"},   {1029, TfrmTb::mmLang2, "Czech"},
    {1031, TfrmTb::mmLang3, "Deutsch"},   {1033, TfrmTb::mmLang4, "English"},
    {1034, TfrmTb::mmLang5, "Espanol"},   {1036, TfrmTb::mmLang6, "Francais"},
    {1040, TfrmTb::mmLang7, "Italiano"},  {1044, TfrmTb::mmLang8, "Norsk"},
    {1045, TfrmTb::mmLang9, "Polish"},    {1048, TfrmTb::mmLang10, "Romanian"},
    {1049, TfrmTb::mmLang11, "Russian"},  {1055, TfrmTb::mmLang12, "Turkish"},
};
const int kLangMenuCount = sizeof kLangMenuTable / sizeof kLangMenuTable[0];

// The languages whose About page shows the translator line.
bool ShowsTranslator(int langId) { return langId == 1044 || langId == 10241; }

// The default table's names in the current language. At the first showing
// the whole default table replaces the current one (no menu file is open
// yet); at a switch the current colours stay, and an entry still holding
// its default colour takes the new default name.
void NameColors(bool firstShowing) {
  if (firstShowing) {
    LocalizeColorTables();
    return;
  }
  for (int i = 0; i < kColorCount; ++i) {
    SetColorName(TheDocument.DefaultColorTable[i], GetString(kColorNameStringIds[i]));
  }
  LocaliseColorNames();
}

}  // namespace

void TfrmTb::ApplyLanguage(bool firstShowing) {
  const int langId = TheLanguage.currentLangId;
  NameColors(firstShowing);
  ApplyCaptions();
  ApplyLanguageFont();
  for (const LanguageMenuEntry& entry : kLangMenuTable) {
    PopupMenuItem item = MenuItemAt(entry.item);
    item.SetCaption(entry.name);
    item.SetChecked(entry.langId == langId);
  }
  ControlAt(lbLocalize).SetVisible(false);
  ApplyLayoutOverrides(langId);
  if (ShowsTranslator(langId)) ControlAt(lbLocalize).SetVisible(true);
  FillColorCombos();
  // The list views show alignment names and fit their columns to the
  // headers: after a switch they show the new language at once.
  if (!firstShowing) RefreshListViews(kAllLists);
}

// One handler for the twelve items: the number after "mmLang" picks the
// table entry.
void TfrmTb::mmLangClick(int item) {
  const int n = atoi(ControlName(item) + 6);
  if (n < 1 || n > kLangMenuCount) return;
  if (!LoadLanguagePack(kLangMenuTable[n - 1].langId)) return;
  ApplyLanguage(false);
  ThePreviewLink().LocalizePreview();
  // The choice is kept for the next start; on a first run the settings key
  // does not exist yet and is made here.
  if (RegistryKey key = CreateRegistryKey(kRegCurrentUser, kSettingsKeyPath)) {
    char text[16];
    snprintf(text, sizeof text, "%d", TheLanguage.currentLangId);
    WriteRegistryText(key, "Language", text);
    CloseRegistryKey(key);
  }
  Repaint();
}

bool TfrmTb::OnLanguageEvent(const FormEvent& event) {
  if (event.kind != kEventClick || event.control < mmLang1 || event.control > mmLang12) return false;
  mmLangClick(event.control);
  return true;
}
