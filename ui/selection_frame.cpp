#include "ui/selection_frame.h"

#include "menu/document_view.h"

void SelectionFrame::DrawOutline(HDC dc) const {
  HPEN pen = CreatePen(PS_DOT, 1, penColor_);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  const int oldRop = SetROP2(dc, R2_XORPEN);
  const COLORREF oldBkColor = SetBkColor(dc, gapColor_);
  const int oldBkMode = SetBkMode(dc, OPAQUE);
  POINT oldPosition;
  // Four connected segments; each leaves out its end point, so every corner
  // is combined once.
  MoveToEx(dc, rect_.left, rect_.top, &oldPosition);
  LineTo(dc, rect_.right - 1, rect_.top);
  LineTo(dc, rect_.right - 1, rect_.bottom - 1);
  LineTo(dc, rect_.left, rect_.bottom - 1);
  LineTo(dc, rect_.left, rect_.top);
  MoveToEx(dc, oldPosition.x, oldPosition.y, nullptr);
  SetBkMode(dc, oldBkMode);
  SetBkColor(dc, oldBkColor);
  SetROP2(dc, oldRop);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
}

void SelectionFrame::DrawSelectionFrame(HDC dc, const DrawingRect& rect) {
  rect_ = rect;
  penColor_ = PreviewColor(15);
  gapColor_ = PreviewColor(0);
  DrawOutline(dc);
  shown_ = 1;
}

void SelectionFrame::EraseFocusRect(HDC dc) {
  if (!shown_) return;
  DrawOutline(dc);
  shown_ = 0;
}

void SelectionFrame::ShowCurrentItemFocus(HDC dc) {
  EraseFocusRect(dc);
  DrawingRect rect;
  if (CurrentItemFrame(TheDocumentView().CurrentList(), &rect)) DrawSelectionFrame(dc, rect);
}
