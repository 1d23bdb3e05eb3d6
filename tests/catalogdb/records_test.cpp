#include "catalogdb/records.h"

#include <gtest/gtest.h>

namespace qimubox {
namespace {

TEST(IsSwitchOn, OnlyTheCharacterForOnIsOn) {
  EXPECT_TRUE(isSwitchOn("\xBF\xAA"));  // 开
  const char* const off[] = {
      "",
      "\xCA\xC7",          // 是
      "1",
      "ON",
      "on",
      "\xBF\xAA ",         // 开 with a trailing blank
      " \xBF\xAA",
      "\xBF\xAA\xBF\xAA",  // 开开
      "\xB9\xD8",          // 关
      "\xBF",
  };
  for (const char* value : off) EXPECT_FALSE(isSwitchOn(value)) << value;
}

}  // namespace
}  // namespace qimubox
