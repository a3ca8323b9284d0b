#include "ui/preview_font.h"

#include "app/language.h"

HFONT PreviewFont = nullptr;

namespace {

struct LanguageCharset {
  int langId;
  int charset;
};

const LanguageCharset kLanguageCharsets[] = {
    {1026, 204}, {1049, 204}, {1058, 204}, {1059, 204},  // Cyrillic
    {1029, 238}, {1038, 238}, {1045, 238},               // Central European
    {1032, 161},                                         // Greek
    {1037, 177},                                         // Hebrew
    {1042, 129},                                         // Korean
    {1055, 162},                                         // Turkish
    {10241, 178},                                        // Arabic
};

const int kOtherCharset = 1;
const char kPreviewFace[] = "Fixedsys";

}  // namespace

int PreviewFontCharset(int langId) {
  for (const LanguageCharset& entry : kLanguageCharsets) {
    if (entry.langId == langId) return entry.charset;
  }
  return kOtherCharset;
}

static HFONT MakeFont(int charset, DWORD pitchAndFamily) {
  return CreateFontA(16, 8, 0, 0, 400, FALSE, FALSE, FALSE, (DWORD)charset, 0, 0, 0,
                     pitchAndFamily, kPreviewFace);
}

// True when the system gives "Fixedsys" itself for font.
static bool ResolvesToPreviewFace(HFONT font) {
  HDC dc = CreateCompatibleDC(nullptr);
  if (dc == nullptr) return true;
  HGDIOBJ before = SelectObject(dc, font);
  char face[LF_FACESIZE] = "";
  GetTextFaceA(dc, sizeof face, face);
  SelectObject(dc, before);
  DeleteDC(dc);
  return lstrcmpiA(face, kPreviewFace) == 0;
}

HFONT CreatePreviewFont(int charset) {
  HFONT font = MakeFont(charset, 0);
  if (font == nullptr || ResolvesToPreviewFace(font)) return font;
  // The system has no "Fixedsys" in this character set and put a face of
  // its own choice in its place, proportional as like as not, which would
  // break the 8-pixel cells that text placement and frames count on. Ask
  // for a fixed-pitch face of that set instead.
  DeleteObject(font);
  return MakeFont(charset, FIXED_PITCH | FF_MODERN);
}

void InitPreviewFont() {
  if (PreviewFont == nullptr) PreviewFont = CreatePreviewFont(PreviewFontCharset(TheLanguage.currentLangId));
}
