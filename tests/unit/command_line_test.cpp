#include "core/command_line.h"

#include <gtest/gtest.h>

#include <tuple>

namespace veilpix {
namespace {

TEST(CommandLineTest, OneSwitchInAnyCaseWithSlashOrDashElseInvalid) {
  // The arguments and what they ask for.
  const std::tuple<std::vector<std::wstring>, Launch> cases[] = {
      {{}, Launch::kResident},       {{L"/on"}, Launch::kOn},
      {{L"-OFF"}, Launch::kOff},     {{L"/Toggle"}, Launch::kToggle},
      {{L"/?"}, Launch::kUsage},     {{L"/on", L"/off"}, Launch::kInvalid},
      {{L"on"}, Launch::kInvalid},   {{L"/"}, Launch::kInvalid},
      {{L"/onn"}, Launch::kInvalid}, {{L"/ON "}, Launch::kInvalid},
  };
  for (const auto& [arguments, launch] : cases) {
    EXPECT_EQ(ParseLaunch(arguments), launch) << ::testing::PrintToString(arguments);
  }
  // Stored now, then what /on, /off and /toggle store; only "no" reads as hidden.
  const std::tuple<std::wstring_view, std::wstring_view, std::wstring_view, std::wstring_view>
      values[] = {{L"no", L"yes", L"no", L"yes"},
                  {L"yes", L"yes", L"no", L"no"},
                  {L"", L"yes", L"no", L"no"},
                  {L"No", L"yes", L"no", L"no"}};
  for (const auto& [stored, on, off, toggle] : values) {
    EXPECT_EQ(PicturesAfter(Launch::kOn, stored), on);
    EXPECT_EQ(PicturesAfter(Launch::kOff, stored), off);
    EXPECT_EQ(PicturesAfter(Launch::kToggle, stored), toggle);
  }
}

}  // namespace
}  // namespace veilpix
