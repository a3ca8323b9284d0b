#include "bitmap_test_pictures.h"

#include <cstdio>

#include "platform/files.h"

TestPicture MakePatternPicture(int32_t width, int32_t height, int bits) {
  TestPicture p;
  p.width = width;
  p.height = height;
  p.bits = bits;
  int colors = bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 0;
  for (int k = 0; k < colors; ++k) {
    p.palette.push_back({(uint8_t)(k * 97 + 13), (uint8_t)(k * 59 + 200), (uint8_t)(k * 31 + 7)});
  }
  p.pixels.resize((size_t)width * height);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      uint32_t v = (uint32_t)(x * 7 + y * 13 + (x * y) % 5);
      if (colors > 0) {
        v %= (uint32_t)colors;
      } else if (bits == 16) {
        v = (v * 2654435761u >> 7) & 0xFFFF;  // bit 15 set on some pixels too
      } else {
        v = (v * 2654435761u) & 0xFFFFFF;
      }
      p.at(x, y) = v;
    }
  }
  return p;
}

static void Put16(std::vector<uint8_t>& b, uint32_t v) {
  b.push_back((uint8_t)v);
  b.push_back((uint8_t)(v >> 8));
}
static void Put32(std::vector<uint8_t>& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}

std::vector<uint8_t> EncodeBitmap(const TestPicture& p) {
  size_t rowBytes = (((size_t)p.width * p.bits + 31) / 32) * 4;
  uint32_t offset = (uint32_t)(14 + p.infoSize + 4 * p.palette.size());
  uint32_t imageSize = (uint32_t)(rowBytes * p.height);
  std::vector<uint8_t> b;
  b.push_back((uint8_t)p.type[0]);
  b.push_back((uint8_t)p.type[1]);
  Put32(b, offset + imageSize);
  Put16(b, p.reserved1);
  Put16(b, p.reserved2);
  Put32(b, offset);
  Put32(b, p.infoSize);
  Put32(b, (uint32_t)p.width);
  Put32(b, (uint32_t)p.height);
  Put16(b, 1);
  Put16(b, (uint32_t)p.bits);
  Put32(b, p.compression);
  Put32(b, imageSize);
  Put32(b, 2835);
  Put32(b, 2835);
  Put32(b, (uint32_t)p.palette.size());
  Put32(b, 0);
  if (p.infoSize >= 108) {
    // V4: the channel masks of the depth, the sRGB colour space, zero
    // end points and gammas.
    const uint32_t masks16[4] = {0x7C00, 0x03E0, 0x001F, 0};
    const uint32_t masks24[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0};
    for (int i = 0; i < 4; ++i) Put32(b, p.bits == 16 ? masks16[i] : p.bits >= 24 ? masks24[i] : 0);
    Put32(b, 0x73524742);  // "sRGB"
    for (int i = 0; i < 12; ++i) Put32(b, 0);
  }
  if (p.infoSize >= 124) {
    Put32(b, 4);  // LCS_GM_IMAGES
    for (int i = 0; i < 3; ++i) Put32(b, 0);
  }
  b.resize(14 + p.infoSize, 0);
  for (const TestColor& c : p.palette) {
    b.push_back(c.blue);
    b.push_back(c.green);
    b.push_back(c.red);
    b.push_back(0);
  }
  for (int32_t y = p.height - 1; y >= 0; --y) {
    std::vector<uint8_t> row(rowBytes, 0);
    for (int32_t x = 0; x < p.width; ++x) {
      uint32_t v = p.pixels[(size_t)y * p.width + x];
      switch (p.bits) {
        case 1: row[x / 8] |= (uint8_t)((v & 1) << (7 - x % 8)); break;
        case 4: row[x / 2] |= (uint8_t)((v & 15) << (x % 2 ? 0 : 4)); break;
        case 8: row[x] = (uint8_t)v; break;
        case 16: row[2 * x] = (uint8_t)v; row[2 * x + 1] = (uint8_t)(v >> 8); break;
        case 24:
          row[3 * x] = (uint8_t)v;
          row[3 * x + 1] = (uint8_t)(v >> 8);
          row[3 * x + 2] = (uint8_t)(v >> 16);
          break;
        case 32:
          for (int i = 0; i < 4; ++i) row[4 * x + i] = (uint8_t)(v >> (8 * i));
          break;
      }
    }
    b.insert(b.end(), row.begin(), row.end());
  }
  return b;
}

bool WritePicture(const std::string& path, const TestPicture& picture) {
  return WriteBytes(path, EncodeBitmap(picture));
}

uint16_t Get16(const std::vector<uint8_t>& b, size_t o) {
  return o + 2 <= b.size() ? (uint16_t)(b[o] | (b[o + 1] << 8)) : 0;
}
uint32_t Get32(const std::vector<uint8_t>& b, size_t o) {
  return o + 4 <= b.size() ? (uint32_t)(Get16(b, o) | ((uint32_t)Get16(b, o + 2) << 16)) : 0;
}

TestFolder::TestFolder(const char* name) {
  char temp[1024], path[1100];
  GetTempFolder(temp, sizeof temp);
  JoinPath(path, sizeof path, temp, name);
  folder_ = path;
  CreateFolder(path);
}

TestFolder::~TestFolder() {
  for (const std::string& p : used_) {
    MakeFileWritable(p.c_str());
    DeleteFileAt(p.c_str());
  }
  RemoveFolder(folder_.c_str());
}

std::string TestFolder::Path(const char* name) {
  char path[1200];
  JoinPath(path, sizeof path, folder_.c_str(), name);
  MakeFileWritable(path);
  DeleteFileAt(path);
  // Converted and temporary files beside a bitmap are cleaned up as well.
  std::string p = path;
  used_.push_back(p);
  std::string stem = p.substr(0, p.rfind('.') == std::string::npos ? p.size() : p.rfind('.'));
  for (const char* ext : {".BM1", ".BM2", ".B15", ".BM3", ".BMI"}) {
    std::string q = stem + ext;
    MakeFileWritable(q.c_str());
    DeleteFileAt(q.c_str());
    used_.push_back(q);
  }
  return p;
}

std::string TestFolder::Name(const char* name) const {
  char path[1200];
  JoinPath(path, sizeof path, folder_.c_str(), name);
  return path;
}
