#include "ui/preview_font.h"

#include "app/language.h"
#include "ui/preview_geometry.h"

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

// The characters whose advance is measured: printable ASCII.
const int kFirstMeasured = 0x20;
const int kLastMeasured = 0x7E;

HFONT MakeFont(const char* face, int charset, DWORD quality, DWORD pitchAndFamily) {
  return CreateFontA(kPreviewCellHeight, kPreviewCellWidth, 0, 0, 400, FALSE, FALSE, FALSE,
                     (DWORD)charset, 0, 0, quality, pitchAndFamily, face);
}

// True when the face the system gives for font advances every printable
// ASCII character by 8 pixels and is at most 16 pixels high, so that each
// character stays in its cell of the boot screen's grid. A font that
// cannot be measured is taken as it is.
bool HasPreviewCells(HFONT font) {
  if (font == nullptr) return false;
  HDC dc = CreateCompatibleDC(nullptr);
  if (dc == nullptr) return true;
  HGDIOBJ before = SelectObject(dc, font);
  TEXTMETRICA metrics;
  INT widths[kLastMeasured - kFirstMeasured + 1];
  bool fits = GetTextMetricsA(dc, &metrics) && metrics.tmHeight <= kPreviewCellHeight &&
              GetCharWidth32A(dc, kFirstMeasured, kLastMeasured, widths);
  for (int i = 0; fits && i <= kLastMeasured - kFirstMeasured; ++i) {
    fits = widths[i] == kPreviewCellWidth;
  }
  SelectObject(dc, before);
  DeleteDC(dc);
  return fits;
}

// The font when it has the preview's cells; otherwise it is deleted and
// the result is null.
HFONT KeepWhenFits(HFONT font) {
  if (HasPreviewCells(font)) return font;
  if (font != nullptr) DeleteObject(font);
  return nullptr;
}

// The state of a walk over the system's faces.
struct FaceSearch {
  bool raster;   // raster faces, or else fixed-pitch outline faces
  HFONT found;   // the first face made with the preview's cells
};

int CALLBACK TryFace(const LOGFONTA* face, const TEXTMETRICA*, DWORD type, LPARAM param) {
  FaceSearch& search = *reinterpret_cast<FaceSearch*>(param);
  const bool raster = (type & RASTER_FONTTYPE) != 0;
  const bool fixedPitch = (face->lfPitchAndFamily & 3) == FIXED_PITCH;
  // Faces named with "@" are the vertical forms of East Asian faces.
  if (raster != search.raster || (!raster && !fixedPitch) || face->lfFaceName[0] == '@') return 1;
  search.found = KeepWhenFits(MakeFont(face->lfFaceName, face->lfCharSet, NONANTIALIASED_QUALITY,
                                       FIXED_PITCH | FF_MODERN));
  return search.found == nullptr ? 1 : 0;
}

// The first raster (or fixed-pitch) face of charset (DEFAULT_CHARSET: of
// any set) that the system draws in the preview's cells, or null.
HFONT FindFaceWithCells(int charset, bool raster) {
  HDC dc = CreateCompatibleDC(nullptr);
  if (dc == nullptr) return nullptr;
  LOGFONTA wanted = {};
  wanted.lfCharSet = (BYTE)charset;
  FaceSearch search = {raster, nullptr};
  EnumFontFamiliesExA(dc, &wanted, TryFace, reinterpret_cast<LPARAM>(&search), 0);
  DeleteDC(dc);
  return search.found;
}

}  // namespace

int PreviewFontCharset(int langId) {
  for (const LanguageCharset& entry : kLanguageCharsets) {
    if (entry.langId == langId) return entry.charset;
  }
  return kOtherCharset;
}

HFONT CreatePreviewFont(int charset) {
  HFONT font = MakeFont(kPreviewFace, charset, 0, 0);
  if (font == nullptr || HasPreviewCells(font)) return font;
  // The system has no "Fixedsys" in this character set and put a face of
  // its own choice in its place, proportional as like as not, which would
  // break the 8-pixel cells that text placement, frames and hit areas count
  // on. In turn: a fixed-pitch face of that set (it has the set's letters),
  // "Fixedsys" of the default set, then any raster and any fixed-pitch face
  // of that set or of another that the system draws in 8-pixel cells.
  // Outline faces are asked for without smoothing, as the boot screen draws
  // its characters in the exact text colour.
  HFONT fitting = KeepWhenFits(MakeFont(kPreviewFace, charset, NONANTIALIASED_QUALITY,
                                        FIXED_PITCH | FF_MODERN));
  if (fitting == nullptr) fitting = KeepWhenFits(MakeFont(kPreviewFace, DEFAULT_CHARSET, 0, 0));
  if (fitting == nullptr) fitting = FindFaceWithCells(charset, true);
  if (fitting == nullptr) fitting = FindFaceWithCells(charset, false);
  if (fitting == nullptr) fitting = FindFaceWithCells(DEFAULT_CHARSET, true);
  if (fitting == nullptr) fitting = FindFaceWithCells(DEFAULT_CHARSET, false);
  // With no face in 8-pixel cells at all, the system's choice stays.
  if (fitting == nullptr) return font;
  DeleteObject(font);
  return fitting;
}

void InitPreviewFont() {
  if (PreviewFont == nullptr) PreviewFont = CreatePreviewFont(PreviewFontCharset(TheLanguage.currentLangId));
}
