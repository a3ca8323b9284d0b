#include <gtest/gtest.h>

#include <cstdio>

#include "menu/document.h"
#include "tests/ui/preview_surface.h"
#include "ui/preview_font.h"
#include "ui/preview_painter.h"

namespace {

// The boot loader draws every character in an 8 x 16 cell whatever the
// Windows language, so the preview keeps that grid in every character set
// (default, Arabic, Hebrew, Cyrillic, Greek), also where the system has no
// "Fixedsys" in the set: a right-aligned line ends at its rectangle's edge
// with one character in each 8-pixel cell, drawn within its 16 rows. The
// set of the Arabic code page runs once more under an Arabic locale.
TEST(PreviewFontTest, EveryCharacterSetKeepsTheEightBySixteenGrid) {
  EXPECT_EQ(1, PreviewFontCharset(1033));
  EXPECT_EQ(204, PreviewFontCharset(1049));
  EXPECT_EQ(178, PreviewFontCharset(10241));
  const HFONT before = PreviewFont;
  for (int charset : {1, 178, 177, 204, 161}) {
    PreviewFont = CreatePreviewFont(charset);
    ResetPreviewDocument();
    TextItem& line = TheDocument.textItems[++TheDocument.ItemCount[kTextList]];
    CopyText(line.text, kItemTextSize, "ABC");
    line.geometry = TextItemGeometry{160, 100, 472, 115, kAlignRight, 12};
    TestSurface picture(640, 480);
    picture.Fill(RGB(1, 2, 3));
    PaintMenuPreview(picture.dc(), &picture.pixels());
    const COLORREF ink = TheDocument.CurrentColorTable[12].color;
    int inkPerCell[3] = {0, 0, 0};
    int outside = 0;
    for (int y = 80; y < 140; ++y) {
      for (int x = 400; x < 520; ++x) {
        if (picture.At(x, y) != ink) continue;
        if (x >= 448 && x < 472 && y >= 100 && y < 116) {
          ++inkPerCell[(x - 448) / 8];
        } else {
          ++outside;
        }
      }
    }
    EXPECT_EQ(0, outside) << "charset " << charset;
    for (int cell = 0; cell < 3; ++cell) EXPECT_LT(0, inkPerCell[cell]) << "charset " << charset;

    HGDIOBJ old = SelectObject(picture.dc(), PreviewFont);
    char face[LF_FACESIZE] = "";
    GetTextFaceA(picture.dc(), sizeof face, face);
    TEXTMETRICA metrics;
    GetTextMetricsA(picture.dc(), &metrics);
    SIZE extent;
    GetTextExtentPoint32A(picture.dc(), "Boot menu", 9, &extent);
    SelectObject(picture.dc(), old);
    EXPECT_EQ(72, extent.cx) << "charset " << charset;
    printf("charset %d: \"%s\", cell %d x %d\n", charset, face, (int)metrics.tmAveCharWidth,
           (int)metrics.tmHeight);
    DeleteObject(PreviewFont);
  }
  PreviewFont = before;
}

}  // namespace
