#include "app/string_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

TEST(BuiltinStringTable, HoldsTheTwentyRunsInAscendingOrder) {
  const std::vector<std::pair<int, int>> expected = {
      {1001, 1002},   {3001, 3006},   {4001, 4038},   {4041, 4049},   {6001, 6002},
      {6005, 6029},   {7001, 7026},   {8001, 8042},   {9001, 9022},   {10001, 10001},
      {10004, 10004}, {11001, 11001}, {12001, 12014}, {13001, 13005}, {14001, 14006},
      {15001, 15006}, {15101, 15116}, {16001, 16017}, {17001, 17016}, {18006, 18072}};
  std::vector<std::pair<int, int>> runs;
  for (int i = 0; i < kBuiltinStringCount; i++) {
    int id = BuiltinStringTable[i].id;
    if (i > 0) {
      ASSERT_LT(BuiltinStringTable[i - 1].id, id) << "at index " << i;
    }
    if (!runs.empty() && runs.back().second == id - 1)
      runs.back().second = id;
    else
      runs.push_back({id, id});
  }
  EXPECT_EQ(322, kBuiltinStringCount);
  EXPECT_EQ(expected, runs);
}

TEST(BuiltinStringTable, EveryTextIsPresent) {
  for (const LangStrEntry& entry : BuiltinStringTable) {
    ASSERT_NE(nullptr, entry.text) << entry.id;
    EXPECT_NE('\0', entry.text[0]) << entry.id;
  }
}

// A filter is "caption\0pattern\0\0": the dialogs read pairs until an empty
// caption.
TEST(BuiltinStringTable, FiltersCarryTheirPatternAndEndWithTwoNuls) {
  const std::vector<std::pair<int, const char*>> filters = {
      {18011, "*.iso"}, {18012, "*.bif;*.ima;*.zqk;*.bin;*.img"}, {18013, "*.zqk"},
      {18030, "*.img"}, {18031, "*.img;*.ima;*.bif"},              {18052, "*.ctb"},
      {18056, "*.bmp"}};
  for (const auto& filter : filters) {
    const char* text = nullptr;
    for (const LangStrEntry& entry : BuiltinStringTable)
      if (entry.id == filter.first) text = entry.text;
    ASSERT_NE(nullptr, text) << filter.first;
    const char* pattern = text + strlen(text) + 1;
    EXPECT_STREQ(filter.second, pattern) << filter.first;
    EXPECT_EQ('\0', pattern[strlen(pattern) + 1]) << filter.first;
  }
}
