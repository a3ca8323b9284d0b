// The main window in other languages: the texts of the German, French and
// Italian test packs (tests/ui/packs) and of the delivered Arabic pack on
// every control, each caption whole in its control and no control over
// another, the positions of the languages at 96 and 120 pixels per inch,
// and the switch from the language menu.
#include <algorithm>
#include <string>

#include "app/language.h"
#include "tests/ui/main_window_fixture.h"
#include "ui/frm_preview.h"
#include "win/application.h"
#include "win/dpi_scale.h"

#include <commctrl.h>
#include <usp10.h>

namespace {

class MainWindowLanguage : public MainWindowTest {
 protected:
  void SetUp() override {
    language_ = TheLanguage;
    pixelsPerInch_ = TheApplication.ScreenPixelsPerInch();
    MainWindowTest::SetUp();
    const std::string lang = JoinPaths(home_, "lang");
    ASSERT_TRUE(CreateFolder(lang.c_str()));
    const std::string packs = std::string(getenv("TW_BINARY_DIR")) + "/tests/ui/packs/";
    for (const char* code : {"de", "fr", "it"}) {
      const std::string name = std::string("lang_") + code + ".dll";
      ASSERT_TRUE(CopyFileTo((packs + name).c_str(), JoinPaths(lang, name).c_str(), false)) << name;
    }
    ASSERT_TRUE(CopyFileTo(TW_ARABIC_PACK, JoinPaths(lang, "lang_ar.dll").c_str(), false));
  }

  void TearDown() override {
    MainWindowTest::TearDown();
    TheLanguage = language_;
    TheApplication.SetScreenPixelsPerInch(pixelsPerInch_);
  }

  // The program's forms made again at a screen density, the main window
  // shown in a language (bound from its pack when it has one).
  void ShowIn(int langId, int dpi) {
    TheApplication.DestroyForms();
    TheApplication.SetScreenPixelsPerInch(dpi);
    TheLanguage = language_;
    if (!LoadLanguagePack(langId)) TheLanguage.currentLangId = langId;
    CreateProgramForms(TheApplication);
    SetPreviewLink(&preview);
    Show();
  }

  static const char* PackText(int id) {
    for (int i = 0; i < TheLanguage.packTableCount; ++i) {
      if (TheLanguage.packTable[i].id == id) return TheLanguage.packTable[i].text;
    }
    return nullptr;
  }

  int Scaled(int value) const { return value * TheApplication.ScreenPixelsPerInch() / 96; }

  LanguageState language_;
  int pixelsPerInch_ = 96;
};

// The shown text of a caption-table entry.
std::string ShownText(const CaptionEntry& entry) {
  const Form& form = *frmTb;
  switch (entry.target) {
    case kCaptionText:
      if (form.MenuItemAt(entry.control).IsValid()) return form.MenuItemAt(entry.control).Caption();
      return form.ControlAt(entry.control).Caption();
    case kCaptionHint: return form.Hint(form.ControlAt(entry.control));
    case kCaptionColumn: return ListView(form.ControlAt(entry.control)).ColumnCaption(entry.index);
    default: return "";
  }
}

// Room a tab leaves on either side of its caption, so that the caption does
// not touch the next tab.
const int kTabCaptionMargin = 4;

// Room a control needs beside its caption: the box of a check or radio
// button, the frame of a push button, the corner of a group box.
int CaptionMargin(ControlRole role) {
  switch (role) {
    case kRoleCheckBox:
    case kRoleRadioButton: return 18;
    case kRoleButton: return 6;
    case kRoleGroupBox: return 14;
    default: return 0;
  }
}

// The caption's width in the control's font, its text read in the code page
// of the font's character set (1256 for the Arabic pack), as a Windows of
// that language shows it whatever the code page of the test's process, and
// measured as drawn: Arabic letters take their joined forms (Uniscribe),
// which are narrower than the single letters that GetTextExtentPoint32
// measures under Wine. A centred caption (a push button's, a tab's) is
// placed by Wine at half the single letters' width from the middle, so it
// needs that width, the wider one: with less its first or last letter is
// cut. The tab strip reads its captions in the process's code page
// (readAsShown).
int CaptionWidth(HWND control, const std::string& text, bool centred = false, bool readAsShown = false) {
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, (HGDIOBJ)SendMessageA(control, WM_GETFONT, 0, 0));
  CHARSETINFO charset = {};
  const UINT codePage =
      !readAsShown && TranslateCharsetInfo((DWORD*)(UINT_PTR)GetTextCharset(dc), &charset, TCI_SRCCHARSET)
          ? charset.ciACP
          : CP_ACP;
  std::wstring wide(text.size() + 1, L'\0');
  const int length = MultiByteToWideChar(codePage, 0, text.data(), (int)text.size(), &wide[0], (int)wide.size());
  SIZE size = {0, 0}, letters = {0, 0};
  GetTextExtentPoint32W(dc, wide.data(), length, &letters);
  SCRIPT_STRING_ANALYSIS analysis = nullptr;
  if (length > 0 && ScriptStringAnalyse(dc, wide.data(), length, 2 * length + 16, -1, SSA_GLYPHS, 0, nullptr,
                                        nullptr, nullptr, nullptr, nullptr, &analysis) == S_OK) {
    size = *ScriptString_pSize(analysis);
    ScriptStringFree(&analysis);
  } else {
    size = letters;
  }
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return centred ? std::max(size.cx, letters.cx) : size.cx;
}

// Every shown control whose caption does not fit, lies outside its parent
// or covers a sibling, one line each ("" when none). The About page's
// separator is stretched over the page control on purpose and the menu
// folder's field lies in its frame.
std::string LayoutFaults(bool checkCaptions = true) {
  const FormDescription& d = frmTb->Description();
  std::string faults;
  std::vector<int> rows;
  for (int i = 0; i < d.controlCount; ++i) {
    const ControlDescription& c = d.controls[i];
    Control control = frmTb->ControlAt(c.id);
    if (!control.IsValid() || !control.Visible() || c.role == kRoleTabSheet) continue;
    const std::string name = d.names[c.id];
    const std::string text = control.Caption();
    if (checkCaptions && c.role != kRoleEdit && c.role != kRoleComboBox && c.role != kRoleStaticText && !text.empty() &&
        text != "\xBB" && !(c.style & kStyleCenter)) {
      int need = CaptionWidth(control, text, c.role == kRoleButton) + CaptionMargin(c.role);
      if (need > control.Width()) faults += name + " caption needs " + std::to_string(need) + " has " +
                                            std::to_string(control.Width()) + "\n";
    }
    if (c.parent != kFormItself && c.id != TfrmTb::bvAbout) {
      RECT parent;
      GetClientRect(frmTb->ControlAt(c.parent), &parent);
      if (control.Left() < 0 || control.Top() < 0 || control.Left() + control.Width() > parent.right ||
          control.Top() + control.Height() > parent.bottom)
        faults += name + " outside " + d.names[c.parent] + "\n";
    }
    rows.push_back(i);
  }
  // Every tab in sight, without scroll arrows, its caption clear of its
  // edges.
  HWND tabs = FindWindowExA(frmTb->ControlAt(TfrmTb::tabstrp), nullptr, WC_TABCONTROLA, nullptr);
  RECT strip, lastTab;
  GetClientRect(tabs, &strip);
  if (!TabCtrl_GetItemRect(tabs, TabCtrl_GetItemCount(tabs) - 1, &lastTab) || lastTab.right > strip.right)
    faults += "tabs do not fit\n";
  for (int page = 0; checkCaptions && page < TabCtrl_GetItemCount(tabs); ++page) {
    char caption[128] = "";
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = caption;
    item.cchTextMax = sizeof caption;
    RECT tab;
    TabCtrl_GetItem(tabs, page, &item);
    TabCtrl_GetItemRect(tabs, page, &tab);
    const int need = CaptionWidth(tabs, caption, true, true) + 2 * kTabCaptionMargin;
    if (need > tab.right - tab.left)
      faults += "tab " + std::to_string(page) + " caption needs " + std::to_string(need) + " has " +
                std::to_string(tab.right - tab.left) + "\n";
  }
  for (size_t a = 0; a < rows.size(); ++a) {
    for (size_t b = a + 1; b < rows.size(); ++b) {
      const ControlDescription& x = d.controls[rows[a]];
      const ControlDescription& y = d.controls[rows[b]];
      if (x.parent != y.parent || x.role == kRoleBevel || y.role == kRoleBevel) continue;
      Control cx = frmTb->ControlAt(x.id), cy = frmTb->ControlAt(y.id);
      if (x.parent == TfrmTb::tsAbout && cx.Width() > 300 && cy.Width() > 300 &&
          std::max(cx.Top(), cy.Top()) >= std::min(cx.Top() + cx.Height(), cy.Top() + cy.Height()))
        continue;
      bool apart = cx.Left() + cx.Width() <= cy.Left() || cy.Left() + cy.Width() <= cx.Left() ||
                   cx.Top() + cx.Height() <= cy.Top() || cy.Top() + cy.Height() <= cx.Top();
      if (!apart) faults += std::string(d.names[x.id]) + " covers " + d.names[y.id] + "\n";
    }
  }
  return faults;
}

TEST_F(MainWindowLanguage, EachPackShowsItsTextsWholeInTheWiderWindowAtBothDensities) {
  // In the Arabic ANSI code page (a run of its own) the Arabic window alone:
  // the other packs' fonts take Arabic faces there.
  std::vector<int> languages = {1033, 1031, 1036, 1040, 10241};
  if (GetACP() == 1256) languages = {10241};
  for (int langId : languages) {
    for (int dpi : {96, 120}) {
      SCOPED_TRACE(std::to_string(langId) + " at " + std::to_string(dpi));
      ShowIn(langId, dpi);
      ASSERT_EQ(langId, TheLanguage.currentLangId);
      const FormDescription& d = frmTb->Description();
      for (int i = 0; i < d.captionCount; ++i) {
        const CaptionEntry& entry = d.captions[i];
        // An id that a pack lacks shows in English.
        const char* text = PackText(entry.stringId);
        if (!text) text = GetString(entry.stringId);
        EXPECT_EQ(text, ShownText(entry)) << d.names[entry.control] << " " << entry.stringId;
      }
      EXPECT_EQ(TheLanguage.uiFontName, At(T::btnOpen).FontName());
      EXPECT_EQ(TheLanguage.uiFontSize, At(T::lbTextStr).FontSize());
      // The colour names of the pack in the colour lists.
      EXPECT_EQ(GetString(16005), ComboBox(At(T::cbBGColorL)).ItemText(1));
      EXPECT_EQ("", LayoutFaults());
      if (langId != 1033) {
        EXPECT_EQ(Scaled(337), frmTb->Width());
        EXPECT_EQ(Scaled(331), At(T::tabstrp).Width());
      }
    }
  }
}

// The first positions of three languages' lists (1028 and 1044 have no
// pack here: their lists apply to the English texts).
TEST_F(MainWindowLanguage, TheListedPositionsScaleWithTheScreenDensity) {
  struct Position {
    int langId, control, left, top, width;
  };
  const Position positions[] = {
      {1031, T::lbFileDir, 6, -1, 57},        {1031, T::bvFileDir, 64, -1, 160},
      {1031, T::txtFileDir, 65, -1, 158},     {1031, T::lbMenuFileName, 4, -1, 58},
      {1028, T::lbFileDir, 4, -1, 58},        {1028, T::bvFileDir, 56, -1, 169},
      {1028, T::txtFileDir, 58, -1, 166},     {1028, T::lbMenuFileName, 4, -1, 74},
      {1028, T::txtMenuFileName, 80, -1, 77}, {1044, T::lbFileDir, 2, -1, 49},
      {1044, T::lbMenuFileName, 8, -1, 42},   {1044, T::chkWaitTime, -1, 128, -1},
      {1044, T::txtWaitTime, -1, 128, -1},    {1044, T::txtPassword, -1, 128, -1},
      {1044, T::btnPassword, -1, 128, -1},    {1044, T::chkLogoImg, -1, 158, -1},
      {1044, T::txtLogoImg, -1, 158, -1},
  };
  for (int dpi : {96, 120}) {
    for (int langId : {1031, 1028, 1044}) {
      SCOPED_TRACE(std::to_string(langId) + " at " + std::to_string(dpi));
      ShowIn(langId, dpi);
      for (const Position& p : positions) {
        if (p.langId != langId) continue;
        const char* name = frmTb->ControlName(p.control);
        if (p.left >= 0) {
          EXPECT_EQ(Scaled(p.left), At(p.control).Left()) << name;
        }
        if (p.top >= 0) {
          EXPECT_EQ(Scaled(p.top), At(p.control).Top()) << name;
        }
        if (p.width >= 0) {
          EXPECT_EQ(Scaled(p.width), At(p.control).Width()) << name;
        }
      }
      // 1028 and 1044 have no pack here: their positions hold English
      // texts, which are not theirs. The listed positions of 1028 put the
      // folder label over the start of its field.
      EXPECT_EQ(langId == 1028 ? "lbFileDir covers txtFileDir\n" : "", LayoutFaults(langId == 1031));
    }
  }
  EXPECT_EQ(421, ScaleDesignPixels(337, 120));
}

// German from the language menu: the texts, colour names and tick change at
// once, user colours keep their names, and the choice is stored, also on a
// first run.
TEST_F(MainWindowLanguage, ASwitchLocalisesAtOnceAndStoresTheLanguage) {
  PutSetting("PanelLeft", "20");
  ShowIn(1033, 96);
  const uint32_t userRed = 0x000000C0;
  TheDocument.CurrentColorTable[1].color = userRed;  // Red, changed by the user
  TheDocument.DocumentModified = 0;
  auto choose = [](int item) {
    SendMessageA(frmTb->Handle(), WM_COMMAND, MAKEWPARAM(kFirstRowId + item, 0), 0);
    form_driver::Pump();
  };
  EXPECT_TRUE(frmTb->MenuItemAt(T::mmLang4).Checked());

  choose(T::mmLang3);
  EXPECT_EQ(1031, TheLanguage.currentLangId);
  EXPECT_EQ("\xD6" "ffnen", Text(T::btnOpen));
  EXPECT_EQ("Oben links", Text(T::gbULCoordL));
  EXPECT_EQ("Hinten", ListView(At(T::lstViewM)).ColumnCaption(11));
  EXPECT_TRUE(frmTb->MenuItemAt(T::mmLang3).Checked());
  EXPECT_FALSE(frmTb->MenuItemAt(T::mmLang4).Checked());
  EXPECT_EQ("Deutsch", frmTb->MenuItemAt(T::mmLang3).Caption());
  EXPECT_EQ("Red", std::string(TheDocument.CurrentColorTable[1].name));
  EXPECT_EQ("Gr\xFCn", std::string(TheDocument.CurrentColorTable[2].name));
  EXPECT_EQ("Gr\xFCn", ComboBox(At(T::cbBGColorL)).ItemText(2));
  EXPECT_EQ(userRed, TheDocument.CurrentColorTable[1].color);
  EXPECT_EQ(0, TheDocument.DocumentModified);
  EXPECT_EQ(Scaled(337), frmTb->Width());
  EXPECT_EQ("1031", Setting("Language"));

  // A pack that is not there changes nothing.
  choose(T::mmLang2);
  EXPECT_EQ(1031, TheLanguage.currentLangId);
  EXPECT_TRUE(frmTb->MenuItemAt(T::mmLang3).Checked());
  EXPECT_EQ("1031", Setting("Language"));

  // A first run has no settings key yet: the switch makes it, so that the
  // next start takes the language chosen.
  RemoveSettingsKey();
  choose(T::mmLang4);
  EXPECT_EQ("Open", Text(T::btnOpen));
  EXPECT_EQ("Green", std::string(TheDocument.CurrentColorTable[2].name));
  EXPECT_EQ("1033", Setting("Language"));
}

// The preview stays shown across a switch and takes the new language's
// caption at once: Arabic, then English again.
TEST_F(MainWindowLanguage, TheShownPreviewTakesTheCaptionOfEachNewLanguage) {
  ShowIn(1033, 96);
  SetPreviewLink(frmPreview);
  frmPreview->Show();
  form_driver::Pump();
  const std::string english = "CD/DVD Boot Menu Preview";
  ASSERT_EQ(english, frmPreview->Caption());
  auto choose = [](int item) {
    SendMessageA(frmTb->Handle(), WM_COMMAND, MAKEWPARAM(kFirstRowId + item, 0), 0);
    form_driver::Pump();
  };
  choose(T::mmLang1);
  ASSERT_EQ(10241, TheLanguage.currentLangId);
  EXPECT_NE(english, frmPreview->Caption());
  EXPECT_NE("", frmPreview->Caption());
  choose(T::mmLang4);
  EXPECT_EQ(english, frmPreview->Caption());
  EXPECT_TRUE(frmPreview->Visible());
  SetPreviewLink(&preview);
}

}  // namespace
