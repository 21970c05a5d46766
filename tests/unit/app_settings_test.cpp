#include "core/app_settings.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/unit/fakes.h"

namespace veilpix::testing {
namespace {

TEST(ParseStoredNumberTest, AcceptsDecimalNumbersOnly) {
  struct Case {
    const wchar_t* text;
    std::optional<double> expected;
  };
  const Case cases[] = {
      {L"0", 0.0},
      {L"1", 1.0},
      {L"-1", -1.0},
      {L" 2 ", 2.0},
      {L"+3", 3.0},
      {L"1500.5", 1500.5},
      {L"1e3", 1000.0},
      {L"", std::nullopt},
      {L"yes", std::nullopt},
      {L"1x", std::nullopt},
      {L"NaN", std::nullopt},
      {L"1e309", std::nullopt},
      {L"--1", std::nullopt},
      {L"１", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseStoredNumber(c.text), c.expected) << c.text;
}

TEST(AppSettingsTest, EveryKeyHasItsDefaultAndReadRule) {
  FakeSettingsStore store;
  AppSettings settings(store);
  EXPECT_TRUE(settings.Toggle());
  EXPECT_TRUE(settings.Change());
  EXPECT_FALSE(settings.Show());
  EXPECT_FALSE(settings.Position());
  EXPECT_EQ(settings.Top(), 0.0f);
  EXPECT_EQ(settings.Left(), 0.0f);
  EXPECT_EQ(settings.TogglePath(), L"C:\\WINDOWS\\Favorites\\リンク\\Toggle Images.exe");

  // "Change" is on only at exactly 1; the others whenever not 0.
  struct Case {
    const wchar_t* stored;
    bool toggle, change, show, position;
  };
  const Case cases[] = {
      {L"1", true, true, true, true},   {L"0", false, false, false, false},
      {L"2", true, false, true, true},  {L"-1", true, false, true, true},
      {L"1.0", true, true, true, true}, {L"abc", true, true, false, false},  // defaults
      {L"", true, true, false, false},  {L"1e309", true, true, false, false},
  };
  for (const Case& c : cases) {
    for (const auto key : {key::kToggle, key::kChange, key::kShow, key::kPosition})
      store.Set(key, c.stored);
    EXPECT_EQ(settings.Toggle(), c.toggle) << c.stored;
    EXPECT_EQ(settings.Change(), c.change) << c.stored;
    EXPECT_EQ(settings.Show(), c.show) << c.stored;
    EXPECT_EQ(settings.Position(), c.position) << c.stored;
  }
}

TEST(AppSettingsTest, PositionRoundTripsInSinglePrecision) {
  FakeSettingsStore store;
  AppSettings settings(store);
  settings.WritePosition(1500.0f, -7.5f);
  EXPECT_EQ(store.Get(key::kTop), L"1500");
  EXPECT_EQ(store.Get(key::kLeft), L"-7.5");
  EXPECT_EQ(settings.Top(), 1500.0f);
  EXPECT_EQ(settings.Left(), -7.5f);
  settings.WritePosition(1234.5678f, 0.1f);
  EXPECT_EQ(settings.Top(), 1234.5678f);
  EXPECT_EQ(settings.Left(), 0.1f);
  // Beyond single precision or not a number: not a position Veilpix wrote.
  store.Set(key::kTop, L"1e39");
  store.Set(key::kLeft, L"NaN");
  EXPECT_EQ(settings.Top(), 0.0f);
  EXPECT_EQ(settings.Left(), 0.0f);
}

TEST(AppSettingsTest, FlagsAreStoredAsDigitsAndEraseFailsWhenNothingIsStored) {
  FakeSettingsStore store;
  AppSettings settings(store);
  EXPECT_FALSE(settings.EraseAll());
  settings.WriteFlag(key::kShow, true);
  settings.WriteFlag(key::kChange, false);
  EXPECT_EQ(store.Get(key::kShow), L"1");
  EXPECT_EQ(store.Get(key::kChange), L"0");
  EXPECT_TRUE(settings.EraseAll());
  EXPECT_TRUE(store.values.empty());
}

}  // namespace
}  // namespace veilpix::testing
