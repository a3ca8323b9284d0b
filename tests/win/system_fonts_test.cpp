// The Wine prefixes our scripts make carry the faces a Windows user has: the
// forms' "MS Sans Serif" and the preview's raster "Fixedsys" resolve by name
// instead of falling back to a host font.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

struct FaceInfo {
  std::string face;
  TEXTMETRICA metrics;
  SIZE helloWorld;
};

FaceInfo Resolve(int height, int width, int charset, const char* name) {
  FaceInfo info = {};
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = CreateFontA(height, width, 0, 0, FW_NORMAL, 0, 0, 0, charset, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, name);
  HGDIOBJ before = SelectObject(dc, font);
  char face[LF_FACESIZE] = "";
  GetTextFaceA(dc, sizeof face, face);
  info.face = face;
  GetTextMetricsA(dc, &info.metrics);
  GetTextExtentPoint32A(dc, "Hello World", 11, &info.helloWorld);
  SelectObject(dc, before);
  DeleteObject(font);
  DeleteDC(dc);
  return info;
}

TEST(SystemFonts, FormFaceAndPreviewFaceResolveByName) {
  EXPECT_EQ("MS Sans Serif", Resolve(-11, 0, DEFAULT_CHARSET, "MS Sans Serif").face);

  FaceInfo fixedsys = Resolve(16, 8, ANSI_CHARSET, "Fixedsys");
  EXPECT_EQ("Fixedsys", fixedsys.face);
  EXPECT_EQ(8, fixedsys.metrics.tmAveCharWidth);
  EXPECT_EQ(88, fixedsys.helloWorld.cx);  // a raster face: 8 pixels a cell
}

}  // namespace
