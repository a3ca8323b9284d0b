// Writes test pictures of every depth at every screen size, converts them
// in every colour mode, converts and restores backgrounds, and lists the
// result codes, so that bitmap_decoder_check.py can compare every output
// with an independent decoder.
//   bitmap_samples OUTPUT_FOLDER
#include <cstdio>
#include <string>

#include "bitmap_test_pictures.h"
#include "menu/bitmap_checks.h"
#include "menu/bitmap_in_place.h"
#include "menu/bitmap_restore.h"
#include "menu/document.h"
#include "platform/files.h"

static std::string Join(const std::string& folder, const std::string& name) {
  char path[2048];
  JoinPath(path, sizeof path, folder.c_str(), name.c_str());
  return path;
}

static TestPicture SamplePicture(int32_t width, int32_t height, int bits) {
  TestPicture p = MakePatternPicture(width, height, bits);
  if (bits == 8) {
    // The table colours stand at the end of the palette, so a background
    // has 240 colours of its own: all of them fit beside the table.
    for (int k = 0; k < 16; ++k) {
      uint32_t v = TheDocument.CurrentColorTable[k].color;
      p.palette[240 + k] = {(uint8_t)v, (uint8_t)(v >> 8), (uint8_t)(v >> 16)};
    }
  }
  return p;
}

// Writes one source picture, prepares copies of it in every colour mode
// and lists the codes: false when the source cannot be written.
static bool Sample(const std::string& root, const std::string& sources, FILE* results,
                   const ScreenSize& screen, int bits, uint32_t infoSize) {
  std::string name = "s" + std::to_string(bits) + "_" + std::to_string(screen.width);
  if (infoSize != 40) name += infoSize == 108 ? "_v4" : "_v5";
  std::string source = Join(sources, name + ".bmp");
  TestPicture picture = SamplePicture(screen.width, screen.height, bits);
  picture.infoSize = infoSize;
  if (!WritePicture(source, picture)) return false;
  for (int mode = 0; mode < 4; ++mode) {
    std::string folder = Join(root, "m" + std::to_string(mode));
    CreateFolder(folder.c_str());
    TheDocument.ColorMode = (uint8_t)mode;
    std::string logo = Join(folder, name + "_logo.bmp");
    std::string back = Join(folder, name + "_back.bmp");
    std::string inPlace = Join(folder, name + "_inplace.bmp");
    CopyFileTo(source.c_str(), logo.c_str(), false);
    CopyFileTo(source.c_str(), back.c_str(), false);
    int logoCode = CheckBootImage(logo.c_str(), 0, 1);
    int backCode = CheckBootImage(back.c_str(), 1, 0);
    int inPlaceCode = -1;
    if (mode == kColors256) {
      CopyFileTo(source.c_str(), inPlace.c_str(), false);
      inPlaceCode = ConvertBitmapInPlace(inPlace.c_str());
    }
    // The background is rebuilt from its converted file.
    DeleteFileAt(back.c_str());
    RestoreBootImage(back.c_str());
    fprintf(results, "%d %s %d %d %d %d\n", mode, name.c_str(), logoCode, backCode, inPlaceCode,
            FileExists(back.c_str()) ? 1 : 0);
  }
  return true;
}

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: bitmap_samples OUTPUT_FOLDER\n");
    return 2;
  }
  std::string root = argv[1];
  CreateFolder(root.c_str());
  std::string sources = Join(root, "src");
  CreateFolder(sources.c_str());
  FILE* results = fopen(Join(root, "results.txt").c_str(), "w");
  if (results == nullptr) return 1;
  const ScreenSize screens[] = {{640, 480}, {800, 600}, {1024, 768}};
  const int depths[] = {1, 4, 8, 16, 24};
  // Every depth with the plain header at every size, and with the V4 and
  // V5 headers of current editors at 640 x 480.
  const uint32_t infoSizes[] = {40, 108, 124};
  for (const ScreenSize& screen : screens) {
    TheDocument.MenuScreenSize = screen;
    for (int bits : depths) {
      for (uint32_t infoSize : infoSizes) {
        if (infoSize != 40 && screen.width != 640) continue;
        if (!Sample(root, sources, results, screen, bits, infoSize)) return 1;
      }
    }
  }
  return fclose(results) == 0 ? 0 : 1;
}
