#include <gtest/gtest.h>

#include <optional>

#include "common/settings_file.h"

namespace zrnx {
namespace {

struct IntegerCase {
  const char* text;
  std::optional<std::int32_t> value;
};

TEST(ParseProfileIntegerTest, FollowsTheRulesOfTheSettingsFile) {
  const IntegerCase cases[] = {
      // decimal, with blanks before and an optional sign
      {"0", 0}, {"9", 9}, {"  5", 5}, {" 5", 5}, {"+7", 7}, {"-1", -1}, {"007", 7},
      {"2147483647", INT32_MAX}, {"-2147483648", INT32_MIN},
      {"2147483648", std::nullopt}, {"-2147483649", std::nullopt},
      {"99999999999999999999999", std::nullopt},
      // nothing may follow the digits, nothing but blanks may precede them
      {"6x", std::nullopt}, {"abc", std::nullopt}, {"5 ", std::nullopt}, {"\t5", std::nullopt},
      {"", std::nullopt}, {" ", std::nullopt}, {"+", std::nullopt}, {"-", std::nullopt},
      {"+-1", std::nullopt}, {"1.0", std::nullopt},
      // '$' and up to eight significant hexadecimal digits, as two's complement
      {"$0", 0}, {"$ff", 255}, {"$Ff", 255}, {"  $10", 16}, {"$7FFFFFFF", INT32_MAX},
      {"$80000000", INT32_MIN}, {"$FFFFFFFF", -1}, {"$000000001", 1},
      {"$100000000", std::nullopt}, {"$", std::nullopt}, {"$-1", std::nullopt}, {"-$1", std::nullopt},
      {"$g", std::nullopt}, {"$1 ", std::nullopt},
      // "0x" stands for '$' only at the very start of a text longer than two
      {"0x6", 6}, {"0X1f", 31}, {"0xFFFFFFFF", -1}, {"0x", std::nullopt}, {"0X", std::nullopt},
      {" 0x6", std::nullopt}, {"0x 6", std::nullopt}, {"0x-6", std::nullopt}, {"0x$6", std::nullopt},
      {"$0x6", std::nullopt}, {"0x100000000", std::nullopt},
  };
  for (const IntegerCase& c : cases) EXPECT_EQ(ParseProfileInteger(c.text), c.value) << '"' << c.text << '"';
}

}  // namespace
}  // namespace zrnx
