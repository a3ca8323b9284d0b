#include <gtest/gtest.h>

#include <cstdio>

#include "ui/preview_font.h"

namespace {

TEST(PreviewFontTest, CharsetFollowsTheLanguage) {
  EXPECT_EQ(204, PreviewFontCharset(1049));
  EXPECT_EQ(238, PreviewFontCharset(1045));
  EXPECT_EQ(161, PreviewFontCharset(1032));
  EXPECT_EQ(177, PreviewFontCharset(1037));
  EXPECT_EQ(129, PreviewFontCharset(1042));
  EXPECT_EQ(162, PreviewFontCharset(1055));
  EXPECT_EQ(178, PreviewFontCharset(10241));
  EXPECT_EQ(1, PreviewFontCharset(1033));
  EXPECT_EQ(1, PreviewFontCharset(1031));
}

int CALLBACK NoteFace(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
  *(bool*)found = true;
  return 0;
}

// True when the system has a "Fixedsys" font in charset.
bool HasFixedsysIn(int charset) {
  LOGFONTA wanted = {};
  wanted.lfCharSet = (BYTE)charset;
  lstrcpyA(wanted.lfFaceName, "Fixedsys");
  bool found = false;
  HDC dc = CreateCompatibleDC(nullptr);
  EnumFontFamiliesExA(dc, &wanted, NoteFace, (LPARAM)&found, 0);
  DeleteDC(dc);
  return found;
}

// The raster face for the default set; for Cyrillic the same face where the
// system has it in that set, else a fixed-pitch face: 8 pixels a cell.
TEST(PreviewFontTest, EightPixelCellsInFixedsysOrAFixedPitchFace) {
  for (int charset : {1, 204}) {
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreatePreviewFont(charset);
    HGDIOBJ before = SelectObject(dc, font);
    char face[LF_FACESIZE] = "";
    GetTextFaceA(dc, sizeof face, face);
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    SIZE extent;
    GetTextExtentPoint32A(dc, "Boot menu", 9, &extent);
    if (charset == 1 || HasFixedsysIn(charset)) {
      EXPECT_STREQ("Fixedsys", face) << charset;
    }
    EXPECT_EQ(8, metrics.tmAveCharWidth) << charset;
    EXPECT_EQ(72, extent.cx) << charset;
    printf("charset %d: \"%s\", cell %d x %d\n", charset, face, (int)metrics.tmAveCharWidth,
           (int)metrics.tmHeight);
    SelectObject(dc, before);
    DeleteObject(font);
    DeleteDC(dc);
  }
}

}  // namespace
