#include <gtest/gtest.h>

#include <cstdio>

#include "ui/preview_font.h"

namespace {

// "Fixedsys" in 8-pixel cells for the default set; for Cyrillic (which
// Wine's own Fixedsys lacks) at least 8-pixel cells.
TEST(PreviewFontTest, FixedsysInEightPixelCells) {
  EXPECT_EQ(1, PreviewFontCharset(1033));
  EXPECT_EQ(204, PreviewFontCharset(1049));
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
    if (charset == 1) {
      EXPECT_STREQ("Fixedsys", face);
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
