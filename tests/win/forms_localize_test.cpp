// Texts by string id, the language font and per-language layout overrides,
// and the check of a form's tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "app/language.h"
#include "tests/win/form_driver.h"
#include "win/application.h"
#include "win/form.h"

namespace {

const PartDescription kColumns[] = {{"#", 24}, {"Upper", 80}};
const PartDescription kPanels[] = {{"", 100}};

#define FRM_LOCAL_NAMES(X) \
  X(lbDir) X(txtDir) X(txtPass) X(lbBold) X(gbBox) X(chkIn) X(tabs) X(tsFile) X(lstView) X(sbStatus) X(pmMenu) X(pmConfig)
enum Name { FRM_LOCAL_NAMES(TW_NAME_ENUM) kNameCount };
const char* const kNames[] = {FRM_LOCAL_NAMES(TW_NAME_TEXT)};

const ControlDescription kRows[] = {
    {lbDir, kRoleLabel, kFormItself, 8, 8, 60, 13, "Dir:"},
    {txtDir, kRoleEdit, kFormItself, 72, 4, 120, 21, ""},
    {txtPass, kRoleEdit, kFormItself, 72, 30, 60, 21, "", kStylePassword | kStyleKeepFont},
    {lbBold, kRoleLabel, kFormItself, 8, 56, 100, 16, "Wait", kStyleBold},
    {gbBox, kRoleGroupBox, kFormItself, 8, 76, 200, 50, "Box"},
    {chkIn, kRoleCheckBox, gbBox, 8, 16, 120, 17, "In"},
    {tabs, kRolePageControl, kFormItself, 8, 130, 240, 100, ""},
    {tsFile, kRoleTabSheet, tabs, 0, 0, 0, 0, "Sheet"},
    {lstView, kRoleListView, tsFile, 4, 4, 200, 60, "", 0, 0, 0, 0, 0, kColumns, 2},
    {sbStatus, kRoleStatusBar, kFormItself, 0, 0, 0, 19, "", 0, 0, 0, 0, 0, kPanels, 1},
    {pmMenu, kRolePopupMenu, kFormItself, 0, 0, 0, 0, ""},
    {pmConfig, kRoleMenuItem, pmMenu, 0, 0, 0, 0, "Config"},
};

const CaptionEntry kCaptions[] = {
    {kFormItself, kCaptionText, 0, 12001},  // "Make ISO File"
    {lbDir, kCaptionText, 0, 12002},        // "CD File Dir:"
    {txtDir, kCaptionHint, 0, 4004},
    {gbBox, kCaptionText, 0, 12004},        // "Option"
    {tsFile, kCaptionText, 0, 4001},        // "File"
    {lstView, kCaptionColumn, 1, 6021},     // "UpperLeft"
    {sbStatus, kCaptionPanel, 0, 3002},     // "FileName:"
    {pmConfig, kCaptionText, 0, 4044},      // "Configuration..."
};

const LayoutOverride kGerman[] = {
    {kFormItself, kOverrideWidth, 337},
    {lbDir, kOverrideLeft, 6},
    {lbDir, kOverrideWidth, 57},
    {txtDir, kOverrideTop, 40},
    {txtDir, kOverrideHeight, 30},
    {chkIn, kOverrideLeft | kOverrideUnscaled, 4},
};
const LanguageLayout kLayouts[] = {{1031, kGerman, sizeof kGerman / sizeof kGerman[0]}};

const FormDescription kLocalForm = {"frmLocal", "TfrmLocal", "Local", 10, 10, 300, 260, kBorderDialog, 0,
                                    COLOR_BTNFACE, "MS Sans Serif", 8, DEFAULT_CHARSET, kRows,
                                    sizeof kRows / sizeof kRows[0], kNames, kNameCount, kCaptions,
                                    sizeof kCaptions / sizeof kCaptions[0], kLayouts, 1};

class TfrmLocal : public Form {
 public:
  TfrmLocal() : Form(kLocalForm) {}
};

// Puts a language and screen density in force for one test.
class LanguageInForce {
 public:
  LanguageInForce(int langId, int pixelsPerInch) : language_(TheLanguage), pixelsPerInch_(TheApplication.ScreenPixelsPerInch()) {
    TheLanguage.currentLangId = langId;
    TheLanguage.uiFontName = "Arial";
    TheLanguage.uiFontSize = 10;
    TheLanguage.uiFontCharset = 204;
    TheApplication.SetScreenPixelsPerInch(pixelsPerInch);
  }
  ~LanguageInForce() {
    TheLanguage = language_;
    TheApplication.SetScreenPixelsPerInch(pixelsPerInch_);
  }

 private:
  LanguageState language_;
  int pixelsPerInch_;
};

TEST(FormsLocalizeTest, CaptionsHintsColumnsPanelsSheetsAndMenuItemsComeFromTheirStringIds) {
  LanguageInForce english(1033, 96);
  form_driver::MessageBoxAnswerer boxes;  // a bad string id would show a box
  TfrmLocal form;
  form.Create();
  int dirLeft = form.ControlAt(lbDir).Left();
  form.Localize();
  EXPECT_EQ("Make ISO File", form.Caption());
  EXPECT_EQ("CD File Dir:", form.ControlAt(lbDir).Caption());
  EXPECT_EQ(GetString(4004), form.ControlAt(txtDir).Hint());
  EXPECT_EQ("Option", form.ControlAt(gbBox).Caption());
  EXPECT_EQ("File", form.ControlAt(tsFile).Caption());
  EXPECT_EQ("#", ListView(form.ControlAt(lstView)).ColumnCaption(0));
  EXPECT_EQ("UpperLeft", ListView(form.ControlAt(lstView)).ColumnCaption(1));
  EXPECT_EQ("FileName:", StatusBar(form.ControlAt(sbStatus)).PanelText(0));
  EXPECT_EQ("Configuration...", form.MenuItemAt(pmConfig).Caption());
  EXPECT_EQ(0, boxes.Count());
  // English has no overrides: nothing moves.
  EXPECT_EQ(dirLeft, form.ControlAt(lbDir).Left());
}

TEST(FormsLocalizeTest, TheLanguageFontGoesOnEveryTextControlButThoseThatKeepTheirs) {
  LanguageInForce russian(1049, 96);
  TfrmLocal form;
  form.Create();
  form.Localize();
  for (int id : {lbDir, txtDir, gbBox, chkIn, lstView, tabs}) {
    EXPECT_EQ("Arial", form.ControlAt(id).FontName()) << kNames[id];
    EXPECT_EQ(10, form.ControlAt(id).FontSize()) << kNames[id];
    EXPECT_EQ(204, form.ControlAt(id).FontCharset()) << kNames[id];
  }
  EXPECT_EQ("MS Sans Serif", form.ControlAt(txtPass).FontName());
  LOGFONTA bold = {};
  GetObjectA((HFONT)SendMessageA(form.ControlAt(lbBold), WM_GETFONT, 0, 0), sizeof bold, &bold);
  EXPECT_EQ(FW_BOLD, bold.lfWeight);
  // The form takes the face and character set, and keeps its size.
  Control self(form);
  EXPECT_EQ("Arial", self.FontName());
  EXPECT_EQ(8, self.FontSize());
  EXPECT_EQ(204, self.FontCharset());
}

TEST(FormsLocalizeTest, LayoutOverridesOfTheLanguageAreScaledToTheScreen) {
  for (int dpi : {96, 120}) {
    LanguageInForce german(1031, dpi);
    TfrmLocal form;
    form.Create();
    form.Localize();
    EXPECT_EQ(337 * dpi / 96, form.Width()) << dpi;
    EXPECT_EQ(6 * dpi / 96, form.ControlAt(lbDir).Left()) << dpi;
    EXPECT_EQ(57 * dpi / 96, form.ControlAt(lbDir).Width()) << dpi;
    EXPECT_EQ(40 * dpi / 96, form.ControlAt(txtDir).Top()) << dpi;
    EXPECT_EQ(30 * dpi / 96, form.ControlAt(txtDir).Height()) << dpi;
    EXPECT_EQ(4, form.ControlAt(chkIn).Left()) << dpi;  // unscaled
    EXPECT_EQ(72 * dpi / 96, form.ControlAt(txtDir).Left()) << dpi;  // untouched
  }
}

TEST(FormsLocalizeTest, TheTableCheckFindsEveryKindOfFault) {
  EXPECT_EQ("", CheckFormDescription(kLocalForm));

  ControlDescription rows[sizeof kRows / sizeof kRows[0]];
  std::copy(std::begin(kRows), std::end(kRows), rows);
  FormDescription faulty = kLocalForm;
  faulty.controls = rows;
  auto expectFault = [&](const char* what) {
    EXPECT_NE("", CheckFormDescription(faulty)) << what;
    std::copy(std::begin(kRows), std::end(kRows), rows);
    faulty = kLocalForm;
    faulty.controls = rows;
  };
  rows[1].id = lbDir;
  expectFault("a name with two rows, another with none");
  faulty.controlCount -= 1;
  expectFault("a name without a row");
  rows[5].parent = tabs;
  expectFault("a check box on a page control");
  rows[4].parent = chkIn;
  expectFault("a parent later in the table");
  rows[7].parent = kFormItself;
  expectFault("a tab sheet outside a page control");
  rows[11].parent = lbDir;
  expectFault("a menu item outside a menu");
  CaptionEntry column = {lstView, kCaptionColumn, 2, 6021};
  faulty.captions = &column;
  faulty.captionCount = 1;
  expectFault("a column that the list view does not have");
  CaptionEntry hint = {pmConfig, kCaptionHint, 0, 4004};
  faulty.captions = &hint;
  faulty.captionCount = 1;
  expectFault("a hint on a menu item");
  const LayoutOverride menuOverride[] = {{pmConfig, kOverrideLeft, 1}};
  const LanguageLayout twice[] = {{1031, kGerman, 1}, {1031, kGerman, 1}, {1049, menuOverride, 1}};
  faulty.layouts = twice;
  faulty.layoutCount = 2;
  expectFault("a language listed twice");
  faulty.layouts = twice + 2;
  faulty.layoutCount = 1;
  expectFault("an override of a menu item");

  // A faulty table is refused when the form is made.
  rows[1].id = lbDir;
  struct TfrmFaulty : Form {
    explicit TfrmFaulty(const FormDescription& d) : Form(d) {}
  } bad(faulty);
  EXPECT_THROW(bad.Create(), Exception);
  EXPECT_EQ(nullptr, bad.Handle());
}

}  // namespace
