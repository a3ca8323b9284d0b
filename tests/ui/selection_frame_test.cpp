// The dotted XOR frame: drawn once, erased once, forgotten after a repaint.
#include <gtest/gtest.h>

#include "menu/document.h"
#include "tests/menu/recording_view.h"
#include "tests/ui/preview_full_menu.h"
#include "tests/ui/preview_surface.h"
#include "ui/preview_canvas.h"
#include "ui/preview_painter.h"

namespace {

const COLORREF kPicture = RGB(0x12, 0x34, 0x56);

bool OnOutline(int x, int y, const DrawingRect& r) {
  const bool inside = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
  return inside && (x == r.left || x == r.right - 1 || y == r.top || y == r.bottom - 1);
}

class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetPreviewDocument();
    picture.Fill(kPicture);
  }
  TestSurface picture{64, 48};
  SelectionFrame frame;
};

TEST_F(FrameTest, FrameChangesOnlyItsOutlineAndOneEraseRestoresThePicture) {
  TheDocument.CurrentColorTable[0].color = RGB(0, 0, 0x80);  // gaps show too
  const DrawingRect rect = {10, 10, 20, 15};
  frame.DrawSelectionFrame(picture.dc(), rect);
  EXPECT_TRUE(frame.FocusRectShown());
  const COLORREF dot = kPicture ^ 0xFFFFFF, gap = kPicture ^ RGB(0, 0, 0x80);
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 64; ++x) {
      const COLORREF pixel = picture.At(x, y);
      if (OnOutline(x, y, rect)) {
        ASSERT_TRUE(pixel == dot || pixel == gap) << x << "," << y;
      } else {
        ASSERT_EQ(kPicture, pixel) << x << "," << y;
      }
    }
  }
  EXPECT_EQ(dot, picture.At(10, 10));  // the dots start at the corner

  frame.EraseFocusRect(picture.dc());
  EXPECT_FALSE(frame.FocusRectShown());
  TestSurface clean(64, 48);
  clean.Fill(kPicture);
  EXPECT_TRUE(picture.SameAs(clean));
  frame.EraseFocusRect(picture.dc());  // nothing shown: nothing drawn
  EXPECT_TRUE(picture.SameAs(clean));
}

TEST_F(FrameTest, CurrentItemFrameFollowsTheActiveListAndTheDrawnText) {
  RecordingView view;
  MenuDocument& doc = TheDocument;
  doc.ItemCount[kTextList] = 1;
  doc.CurrentItem[kTextList] = 1;
  CopyText(doc.textItems[1].text, kItemTextSize, "ABC");
  doc.textItems[1].geometry = TextItemGeometry{160, 30, 472, 40, kAlignRight, 0};
  view.currentList = kTextList;
  frame.ShowCurrentItemFocus(picture.dc());
  ASSERT_TRUE(frame.FocusRectShown());
  EXPECT_EQ(448, frame.FocusRect().left);   // 472 - 3 cells
  EXPECT_EQ(30, frame.FocusRect().top);
  EXPECT_EQ(472, frame.FocusRect().right);
  EXPECT_EQ(46, frame.FocusRect().bottom);  // one 16-pixel row

  view.currentList = kLayoutList;  // an empty list: the old frame goes, none comes
  frame.ShowCurrentItemFocus(picture.dc());
  EXPECT_FALSE(frame.FocusRectShown());
  view.currentList = kNoList;
  frame.ShowCurrentItemFocus(picture.dc());
  EXPECT_FALSE(frame.FocusRectShown());
}

// The canvas: the same pixels as painting straight on the device context
// pixel by pixel, and a repaint forgets the frame instead of erasing it.
TEST(PreviewCanvasTest, PaintsThePerPixelPictureAndForgetsTheFrameOnRepaint) {
  RecordingView view;
  BuildFullMenu();
  BackImage back = MakeFullMenuBackground();
  TestSurface direct(1024, 768), window(1024, 768);
  DrawPreviewPicture(direct.dc(), back, nullptr);

  PreviewCanvas canvas;
  view.currentList = kNoList;
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
  TestSurface small(640, 480);
  view.currentList = kNoList;
  canvas.Paint(small.dc(), back);
  TestSurface smallDirect(640, 480);
  DrawPreviewPicture(smallDirect.dc(), back, nullptr);
  EXPECT_TRUE(small.SameAs(smallDirect));
  ReleaseBackImage(back);
}

}  // namespace
