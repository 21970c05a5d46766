#include "tray/notify_icon_data.h"

#include <gtest/gtest.h>

namespace veilpix::testing {
namespace {

std::uint32_t Get32(const NotifyIconBytes& bytes, size_t offset) {
  return bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
         static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
}

TEST(NotifyIconDataTest, LaysOutTheFirstRecordFormLittleEndian) {
  NotifyIconData data{88, 0x00123456, 1, 7, 0x200, 0xCAFEF00D, L""};
  data.szTip = std::wstring(L"Veilpix") + L'\0';
  data.szTip.resize(64, L' ');
  const NotifyIconBytes bytes = data.Bytes();
  EXPECT_EQ(Get32(bytes, 0), 88u);
  EXPECT_EQ(Get32(bytes, 4), 0x00123456u);
  EXPECT_EQ(Get32(bytes, 8), 1u);
  EXPECT_EQ(Get32(bytes, 12), 7u);
  EXPECT_EQ(Get32(bytes, 16), 0x200u);
  EXPECT_EQ(Get32(bytes, 20), 0xCAFEF00Du);
  const std::string tip(bytes.begin() + 24, bytes.end());
  EXPECT_EQ(tip, std::string("Veilpix") + '\0' + std::string(56, ' '));
}

TEST(NotifyIconDataTest, TipIsCutOrBlankFilledToItsSixtyFourBytes) {
  NotifyIconData data;
  data.szTip = L"表示";  // four ANSI bytes
  NotifyIconBytes bytes = data.Bytes();
  EXPECT_EQ(bytes[24], 0x95);
  EXPECT_EQ(bytes[28], ' ');
  EXPECT_EQ(bytes[87], ' ');
  data.szTip = std::wstring(100, L'x');
  bytes = data.Bytes();
  EXPECT_EQ(bytes[87], 'x');
}

}  // namespace
}  // namespace veilpix::testing
