#include "common/ole_error.h"

#include <gtest/gtest.h>

namespace zrnx {
namespace {

TEST(OleErrorTextTest, SystemTextWithoutItsLineEndOrTheStatusInEightHexDigits) {
  EXPECT_EQ(OleErrorText(0x800401F0u, "CoInitialize has not been called.\r\n"), "CoInitialize has not been called.");
  EXPECT_EQ(OleErrorText(0x80040154u, ""), "OLE ｴﾗｰ 80040154");
  EXPECT_EQ(OleErrorText(0x5u, ""), "OLE ｴﾗｰ 00000005");
  EXPECT_EQ(OleErrorText(0x1u, "\r\n"), "OLE ｴﾗｰ 00000001");
}

}  // namespace
}  // namespace zrnx
