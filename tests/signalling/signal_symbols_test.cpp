// Signal kinds by symbol group and the lamp patterns of the forms.
#include <gtest/gtest.h>
#include "signalling/signal_symbols.h"

TEST(SignalSymbols, KindsByGroup) {
  struct Case {
    uint32_t code;
    int kind, low, high;
  } cases[] = {
      {391, 0, 0, 0},         {392, 10, 0, 11},       {399, 10, 0, 11},
      {400, 3, 0, 47},        {423, 3, 0, 47},        {424, 2, 0, 59},
      {439, 2, 0, 59},        {440, 1, 0, 59},        {455, 1, 0, 59},
      {456, 4, 0, 23},        {471, 4, 0, 23},        {472, 0, 0, 0},
      {7168 + 440, 1, 6, 11}, {7168 + 400, 3, 6, 11}, {7168 + 456, 4, 0, 23},
      {4096 + 430, 2, 0, 59}, {16384 + 440, 0, 0, 0}, {0xC000, 0, 0, 0},
  };
  for (const Case& c : cases) {
    int32_t range[2] = {-1, -1};
    EXPECT_EQ(ClassifySignalSymbol(c.code, range), c.kind) << c.code;
    if (c.kind) {
      EXPECT_EQ(range[0], c.low) << c.code;
      EXPECT_EQ(range[1], c.high) << c.code;
    }
  }
  EXPECT_EQ(ClassifySignalSymbol(440, nullptr), 1);
}

TEST(SignalSymbols, LampPatterns) {
  struct Case {
    int kind;
    uint32_t form, lamps;
  } cases[] = {
      {10, 0, 0},  {10, 1, 4}, {10, 5, 8}, {4, 0, 1},  {4, 1, 5},  {4, 2, 2},  {4, 3, 10},
      {4, 27, 10}, {1, 0, 1},  {1, 1, 5},  {1, 2, 9},  {1, 3, 2},  {1, 4, 10}, {1, 5, 6},
      {2, 12, 1},  {2, 18, 2}, {3, 23, 6}, {3, 24, 1}, {1, 57, 2}, {1, 59, 6}, {1, 56, 9},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MapAspectToLamps(c.kind, c.form), c.lamps) << c.kind << " form " << c.form;
}
