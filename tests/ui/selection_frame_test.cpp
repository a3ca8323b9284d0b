// The dotted XOR frame: drawn once, erased once, forgotten after a repaint;
// and the canvas, which must give the pixels of painting straight on the
// device context, pixel by pixel.
#include <gtest/gtest.h>

#include "menu/document.h"
#include "tests/menu/recording_view.h"
#include "tests/ui/preview_full_menu.h"
#include "tests/ui/preview_surface.h"
#include "ui/preview_canvas.h"
#include "ui/preview_painter.h"

namespace {

TEST(SelectionFrameTest, FrameChangesOnlyItsOutlineAndOneEraseRestoresThePicture) {
  RecordingView view;
  ResetPreviewDocument();
  const COLORREF under = RGB(0x12, 0x34, 0x56);
  TestSurface picture(64, 48), clean(64, 48);
  picture.Fill(under);
  clean.Fill(under);
  TheDocument.CurrentColorTable[0].color = RGB(0, 0, 0x80);  // the gaps show too
  SelectionFrame frame;
  frame.DrawSelectionFrame(picture.dc(), DrawingRect{10, 10, 20, 15});
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 64; ++x) {
      const bool outline = x >= 10 && x <= 19 && y >= 10 && y <= 14 &&
                           (x == 10 || x == 19 || y == 10 || y == 14);
      const COLORREF pixel = picture.At(x, y);
      if (outline) {
        ASSERT_TRUE(pixel == (under ^ 0xFFFFFF) || pixel == (under ^ RGB(0, 0, 0x80))) << x << "," << y;
      } else {
        ASSERT_EQ(under, pixel) << x << "," << y;
      }
    }
  }
  frame.EraseFocusRect(picture.dc());
  EXPECT_TRUE(picture.SameAs(clean));
  frame.EraseFocusRect(picture.dc());  // nothing shown: nothing drawn
  EXPECT_TRUE(picture.SameAs(clean));

  // The frame of a text line covers the cells of its drawn text.
  CopyText(TheDocument.textItems[1].text, kItemTextSize, "ABC");
  TheDocument.textItems[1].geometry = TextItemGeometry{160, 30, 472, 40, kAlignRight, 0};
  TheDocument.ItemCount[kTextList] = 1;
  TheDocument.CurrentItem[kTextList] = 1;
  view.currentList = kTextList;
  frame.ShowCurrentItemFocus(picture.dc());
  const DrawingRect& rect = frame.FocusRect();
  EXPECT_TRUE(frame.FocusRectShown());
  EXPECT_EQ(448, rect.left);
  EXPECT_EQ(30, rect.top);
  EXPECT_EQ(472, rect.right);
  EXPECT_EQ(46, rect.bottom);
  view.currentList = kLayoutList;  // an empty list: the old frame goes, none comes
  frame.ShowCurrentItemFocus(picture.dc());
  EXPECT_FALSE(frame.FocusRectShown());
  EXPECT_TRUE(picture.SameAs(clean));
}

TEST(PreviewCanvasTest, PaintsThePerPixelPictureAndForgetsTheFrameOnRepaint) {
  RecordingView view;
  BuildFullMenu();
  BackImage back = MakeFullMenuBackground();
  TestSurface direct(1024, 768), window(1024, 768);
  DrawPreviewPicture(direct.dc(), back, nullptr);

  PreviewCanvas canvas;
  canvas.Paint(window.dc(), back);
  EXPECT_TRUE(window.SameAs(direct));
  view.currentList = kMenuList;
  canvas.Paint(window.dc(), back);
  ASSERT_TRUE(canvas.Frame().FocusRectShown());
  canvas.Paint(window.dc(), back);  // one frame on the new picture
  canvas.Frame().EraseFocusRect(window.dc());
  EXPECT_TRUE(window.SameAs(direct));

  // The off-screen picture follows the screen size.
  TheDocument.Resolution = kResolution640x480;
  ApplyResolution();
  TestSurface small(640, 480), smallDirect(640, 480);
  view.currentList = kNoList;
  canvas.Paint(small.dc(), back);
  DrawPreviewPicture(smallDirect.dc(), back, nullptr);
  EXPECT_TRUE(small.SameAs(smallDirect));
  ReleaseBackImage(back);
}

}  // namespace
