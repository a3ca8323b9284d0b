#include "image/md5.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "tests/image/iso_test_support.h"

static std::string Hex(const uint8_t d[16]) {
  char text[33];
  for (int i = 0; i < 16; i++) snprintf(text + 2 * i, 3, "%02x", d[i]);
  return text;
}

static std::string Digest(const std::string& data, size_t step) {
  Md5Context c;
  Md5Init(&c);
  for (size_t i = 0; i < data.size(); i += step) Md5Update(&c, data.data() + i, std::min(step, data.size() - i));
  uint8_t d[16];
  Md5Final(d, &c);
  return Hex(d);
}

TEST(Md5, MatchesTheReferenceDigestsWhateverTheUpdateLengths) {
  EXPECT_EQ(Digest("", 1), "d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_EQ(Digest("abc", 1), "900150983cd24fb0d6963f7d28e17f72");
  EXPECT_EQ(Digest("message digest", 3), "f96b697d7cb7938d525a2f31aaf161d0");
  std::string digits;
  for (int i = 0; i < 8; i++) digits += "1234567890";
  for (size_t step : {1u, 7u, 63u, 64u, 65u, 80u})
    EXPECT_EQ(Digest(digits, step), "57edf4a22be3c955ac49da2e2107b67a") << step;
}

TEST(Md5, FinalClearsTheContext) {
  Md5Context c;
  Md5Init(&c);
  Md5Update(&c, "abc", 3);
  uint8_t d[16];
  Md5Final(d, &c);
  Md5Context zero;
  memset(&zero, 0, sizeof zero);
  EXPECT_EQ(memcmp(&c, &zero, sizeof c), 0);
}

TEST(Md5, FileDigestEqualsTheDigestOfItsBytesAndMissingFilesGiveNull) {
  isotest::TempTree tree("md5");
  tree.FileOfSize("five", 5000, 3);
  tree.FileOfSize("large", 200000, 4);
  for (const char* name : {"five", "large"}) {
    uint8_t d[16];
    ASSERT_EQ(Md5File(d, tree.Path(name).c_str()), d);
    EXPECT_EQ(Hex(d), Digest(isotest::ReadWholeFile(tree.Path(name)), 4096)) << name;
  }
  uint8_t untouched[16];
  memset(untouched, 0x5A, sizeof untouched);
  EXPECT_EQ(Md5File(untouched, tree.Path("missing").c_str()), nullptr);
  EXPECT_EQ(untouched[0], 0x5A);
}
