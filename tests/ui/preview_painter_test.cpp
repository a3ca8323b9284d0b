// The painter on a memory picture: pixels named from the drawing rules of
// the boot screen, never from the painter's own arithmetic.
#include <gtest/gtest.h>

#include "menu/document.h"
#include "tests/ui/preview_surface.h"
#include "ui/preview_painter.h"

namespace {

const COLORREF kUnder = RGB(1, 2, 3);  // the picture before painting

COLORREF Color(int index) { return TheDocument.CurrentColorTable[index].color; }

void AddBox(int x1, int y1, int x2, int y2, int edges, int main, int width) {
  MenuDocument& doc = TheDocument;
  doc.layoutItems[++doc.ItemCount[kLayoutList]] =
      LayoutItem{(uint16_t)x1, (uint16_t)y1, (uint16_t)x2, (uint16_t)y2, (uint8_t)edges, (uint8_t)main, (uint8_t)width};
}

void AddLine(const char* text, int x1, int y1, int x2, int align, int color) {
  MenuDocument& doc = TheDocument;
  TextItem& line = doc.textItems[++doc.ItemCount[kTextList]];
  CopyText(line.text, kItemTextSize, text);
  line.geometry = TextItemGeometry{(uint16_t)x1, (uint16_t)y1, (uint16_t)x2, (uint16_t)(y1 + 15),
                                   (uint8_t)align, (uint8_t)color};
}

void AddEntry(const char* text, int x1, int y1, int x2, int y2, int normal, int highlight, int imageText) {
  MenuDocument& doc = TheDocument;
  const int n = ++doc.ItemCount[kMenuList];
  doc.menuGeometry[n] = MenuItemGeometry{(uint8_t)normal, (uint16_t)x1, (uint16_t)y1, (uint16_t)x2,
                                         (uint16_t)y2, (uint8_t)highlight};
  CopyText(doc.menuStrings[n].text, kItemTextSize, text);
  doc.menuStrings[n].useImageText = (uint8_t)imageText;
}

class PainterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetPreviewDocument();
    picture.Fill(kUnder);
  }
  void Paint() { PaintMenuPreview(picture.dc(), &picture.pixels()); }
  TestSurface picture{640, 480};
};

TEST_F(PainterTest, BoxesFillTheirBandsAndSplitTwoCornersAlongTheDiagonal) {
  AddBox(10, 10, 29, 19, 0x9C, 4, 0);      // no edge: one rectangle in the main colour
  AddBox(100, 50, 139, 79, 0x9C, 10, 3);  // upper 9, lower 12, main 10
  Paint();
  EXPECT_EQ(Color(4), picture.At(10, 10));
  EXPECT_EQ(Color(4), picture.At(29, 19));
  EXPECT_EQ(kUnder, picture.At(30, 19));
  EXPECT_EQ(kUnder, picture.At(29, 20));
  const COLORREF upper = Color(9), lower = Color(12), main = Color(10);
  for (int i = 0; i < 3; ++i) {  // three pixels in from each corner
    for (int j = 0; j < 3; ++j) {
      EXPECT_EQ(upper, picture.At(100 + i, 50 + j)) << "top left " << i << "," << j;
      EXPECT_EQ(lower, picture.At(139 - i, 79 - j)) << "bottom right " << i << "," << j;
      // On and below the diagonal the lower colour, above it the upper one.
      EXPECT_EQ(i >= j ? lower : upper, picture.At(100 + i, 79 - j)) << "bottom left " << i << "," << j;
      EXPECT_EQ(j >= i ? lower : upper, picture.At(139 - i, 50 + j)) << "top right " << i << "," << j;
    }
  }
  EXPECT_EQ(upper, picture.At(102, 65));
  EXPECT_EQ(main, picture.At(103, 53));
  EXPECT_EQ(main, picture.At(136, 76));
  EXPECT_EQ(lower, picture.At(137, 65));
  EXPECT_EQ(kUnder, picture.At(140, 65));
}

TEST_F(PainterTest, MenuEntriesShowTheirHighlightColours) {
  AddEntry("Boot  ", 200, 100, 311, 115, 0x70, 0x4F, 0);   // white on blue
  TheDocument.CurrentColorTable[5].color = Color(2);        // 5 and 2 look alike:
  AddEntry("Same", 200, 200, 311, 215, 0x70, 0x25, 0);     // no fill
  AddEntry("Tall", 0, 300, 100, 339, 0x70, 0x4F, 0);       // 300 + 24 / 2
  AddEntry("Flat", 300, 300, 400, 304, 0x70, 0x4F, 0);     // 300 + (-11) / 2, toward zero
  Paint();
  EXPECT_EQ(Color(4), picture.At(200, 100));
  EXPECT_EQ(Color(4), picture.At(311, 115));
  EXPECT_EQ(kUnder, picture.At(312, 100));
  EXPECT_EQ(kUnder, picture.At(200, 116));
  EXPECT_TRUE(TextInkAt(picture, 204, 100, "Boot", Color(15)));
  EXPECT_EQ(kUnder, picture.At(200, 200));
  EXPECT_TRUE(TextInkAt(picture, 204, 200, "Same", Color(5)));
  EXPECT_TRUE(TextInkAt(picture, 4, 312, "Tall", Color(15)));
  EXPECT_TRUE(TextInkAt(picture, 304, 295, "Flat", Color(15)));
}

TEST_F(PainterTest, ImageTextEntrySwapsOnlyItsNormalColoursInsideItsRectangle) {
  AddBox(0, 0, 199, 99, 0x00, 1, 0);   // normal background colour
  AddBox(20, 20, 59, 39, 0x00, 14, 0); // normal text colour
  AddBox(60, 20, 79, 39, 0x00, 6, 0);  // neither
  AddEntry("", 10, 10, 69, 49, 0x1E, 0x4B, 1);
  Paint();
  EXPECT_EQ(Color(4), picture.At(10, 10));
  EXPECT_EQ(Color(4), picture.At(69, 49));
  EXPECT_EQ(Color(11), picture.At(20, 20));
  EXPECT_EQ(Color(6), picture.At(65, 30));
  EXPECT_EQ(Color(1), picture.At(70, 49));
  EXPECT_EQ(Color(1), picture.At(10, 50));
}

TEST_F(PainterTest, TextLinesAlignInEightPixelCells) {
  AddLine("ABC", 160, 10, 472, kAlignRight, 12);             // 472 - 3 * 8
  AddLine("AB   ", 160, 60, 472, kAlignRight, 12);           // trailing blanks do not count
  AddLine("ABC", 0, 110, 100, kAlignMiddle, 12);             // 12 cells: 8 * 9 / 2
  AddLine("A", 0, 160, 96, 7, 12);                           // any other align: middle
  AddLine("ABCDEFGHIJKLM", 0, 210, 100, kAlignRight, 12);    // more characters than cells
  AddLine("ABCDEFGHIJKL", 300, 260, 396, kAlignMiddle, 12);  // as many as cells
  Paint();
  EXPECT_TRUE(TextInkAt(picture, 448, 10, "ABC", Color(12)));
  EXPECT_TRUE(TextInkAt(picture, 456, 60, "AB", Color(12)));
  EXPECT_TRUE(TextInkAt(picture, 36, 110, "ABC", Color(12)));
  EXPECT_TRUE(TextInkAt(picture, 44, 160, "A", Color(12)));
  EXPECT_TRUE(TextInkAt(picture, 0, 210, "ABCDEFGHIJKLM", Color(12)));
  EXPECT_TRUE(TextInkAt(picture, 300, 260, "ABCDEFGHIJKL", Color(12)));
}

TEST_F(PainterTest, CountdownFillsItsWholeCellsButNotAtWaitTimeZero) {
  MenuDocument& doc = TheDocument;
  doc.ShowCounter = 1;
  doc.WaitTime = 17;
  doc.CounterX = 600;
  doc.CounterY = 450;
  doc.CounterColors = 0x4E;
  Paint();
  // Two cells of 8 x 16, every pixel in the background or the digit colour,
  // as the boot screen draws them.
  for (int y = 450; y < 450 + 16; ++y) {
    for (int x = 600; x < 616; ++x) {
      ASSERT_TRUE(picture.At(x, y) == Color(4) || picture.At(x, y) == Color(14)) << x << "," << y;
    }
  }
  EXPECT_EQ(Color(4), picture.At(600, 450));
  EXPECT_EQ(Color(4), picture.At(600, 465));
  EXPECT_EQ(kUnder, picture.At(616, 450));
  EXPECT_EQ(kUnder, picture.At(600, 466));
  picture.Fill(kUnder);
  doc.WaitTime = 0;
  Paint();
  EXPECT_EQ(kUnder, picture.At(600, 450));
}

TEST_F(PainterTest, ProgressBarIsHalfFullWithExclusiveBounds) {
  MenuDocument& doc = TheDocument;
  doc.ShowProgress = 1;
  doc.ProgressRect = PixelRect{100, 400, 540, 418};
  doc.ProgressColors = 0xF2;
  doc.ProgressEdgeColor = 8;
  Paint();
  EXPECT_EQ(Color(8), picture.At(100, 400));
  EXPECT_EQ(Color(8), picture.At(539, 417));
  EXPECT_EQ(kUnder, picture.At(540, 410));
  EXPECT_EQ(kUnder, picture.At(300, 418));
  EXPECT_EQ(Color(2), picture.At(101, 401));
  EXPECT_EQ(Color(2), picture.At(319, 416));  // (100 + 540) / 2 - 1
  EXPECT_EQ(Color(15), picture.At(320, 401));
  EXPECT_EQ(Color(15), picture.At(538, 416));
}

TEST_F(PainterTest, WholeByteColourIndexesStayInsideTheSixteenEntries) {
  MenuDocument& doc = TheDocument;
  for (ColorEntry& entry : doc.DefaultColorTable) entry.color = RGB(9, 9, 9);  // lies behind
  AddBox(0, 0, 9, 9, 0x00, 0x13, 0);
  AddLine("X", 0, 100, 8, kAlignLeft, 0xFC);
  doc.ShowProgress = 1;
  doc.ProgressRect = PixelRect{0, 200, 40, 210};
  doc.ProgressEdgeColor = 0xFF;
  Paint();
  EXPECT_EQ(Color(3), picture.At(5, 5));
  EXPECT_TRUE(TextInkAt(picture, 0, 100, "X", Color(12)));
  EXPECT_EQ(Color(15), picture.At(0, 200));
}

}  // namespace
