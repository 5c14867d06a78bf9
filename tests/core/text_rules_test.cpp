#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "common/core/coded_message.h"
#include "common/core/failure.h"
#include "common/core/field_rules.h"
#include "common/core/formats.h"
#include "common/core/numeric_text.h"

using namespace MdlCommon;
using tsubame::Failure;
using tsubame::ParseNumber;

TEST(NumericText, Grammar) {
  constexpr double kDenormMin = std::numeric_limits<double>::denorm_min();
  const std::vector<std::pair<std::u16string, double>> numeric = {
      // text, value
      {u"0", 0},      {u" \t-1.5e+2\t ", -150},      {u"+0.1", 0.1},   {u"5.", 5},
      {u".5", 0.5},   {u"1,234,567.25", 1234567.25}, {u"1E-3", 0.001}, {u"1,2345", 12345},
      {u"1e-400", 0}, {u"4.9e-324", kDenormMin}};
  for (const auto& [text, value] : numeric) {
    EXPECT_EQ(ParseNumber(text), std::optional<double>(value)) << testing::PrintToString(text);
  }
  for (const std::u16string_view text :
       {u"",     u"-",    u".",     u"+.",   u",1",    u"1,",     u"1,,2",  u"1.5,0",
        u"1,.5", u"1,e5", u"1.2.3", u"12a",  u"inf",   u"nan",    u"0x1p3", u"\n1",
        u"1e",   u"1e+",  u"--1",   u"１２", u"1e400", u"-1e400", u"1 2",   u"1e5.0"}) {
    EXPECT_FALSE(tsubame::IsNumeric(text)) << testing::PrintToString(text);
  }
  EXPECT_THROW(tsubame::TextToDouble(u"abc"), Failure);
}

TEST(NumericText, TextToInt16RoundsHalfToEvenWithinRange) {
  const std::vector<std::pair<std::u16string, int>> fits = {
      {u"2.5", 2},           {u"3.5", 4},       {u"-2.5", -2},       {u"0.5", 0},
      {u"1.5", 2},           {u"2.5000001", 3}, {u"32767.4", 32767}, {u"32766.5", 32766},
      {u"-32768.5", -32768}, {u"1,000", 1000}};
  for (const auto& [text, value] : fits) {
    EXPECT_EQ(tsubame::TextToInt16(text), value) << testing::PrintToString(text);
  }
  for (const std::u16string text : {u"32767.5", u"-32768.6", u"40000", u"1e10", u"x", u""}) {
    EXPECT_THROW(tsubame::TextToInt16(text), Failure) << testing::PrintToString(text);
  }
}

TEST(NumericText, PlainText) {
  // clang-format off
  const std::vector<std::pair<double, std::u16string>> cases = {  // value, plain text
      {0, u"0"}, {-0.0, u"0"}, {1234567, u"1234567"}, {-2.5, u"-2.5"}, {0.1125, u"0.1125"},
      {0.1 + 0.2, u"0.3"}, {999999999999999, u"999999999999999"}, {1e15, u"1E+15"},
      {0.0001, u"0.0001"}, {4.5e-5, u"4.5E-05"}, {-1.5e-10, u"-1.5E-10"}, {1e100, u"1E+100"}};
  // clang-format on
  for (const auto& [value, text] : cases) {
    EXPECT_EQ(tsubame::PlainText(value), text) << value;
  }
  EXPECT_EQ(tsubame::PlainText(0.369042655519807), u"0.369042655519807");
  EXPECT_EQ(tsubame::PlainText(1234567890123456), u"1.23456789012346E+15");
}

TEST(Formats, Amount) {
  // clang-format off
  const std::vector<std::pair<double, std::u16string>> cases = {  // value, displayed
      {1234567.5, u"1,234,568"}, {2.5, u"3"}, {-2.5, u"-3"}, {0, u"0"}, {-0.0, u"0"}, {-0.4, u"0"},
      {0.5, u"1"}, {5481.499999999999, u"5,482"}, {999.5, u"1,000"}, {-1234.5, u"-1,235"},
      {999999.4, u"999,999"}, {100, u"100"}};
  // clang-format on
  for (const auto& [value, text] : cases) {
    EXPECT_EQ(FormatAmount(value), text) << value;
  }
  EXPECT_EQ(FormatAmount(1234567890123456789.0), u"1,234,567,890,123,460,000");
}

TEST(Formats, RateAndWhole) {
  // clang-format off
  const std::vector<std::pair<std::u16string, std::u16string>> rate = {  // text, displayed
      {u"0.0375", u"0.038"}, {u"0.1125", u"0.113"}, {u"0.0225", u"0.023"}, {u"0.0125", u"0.013"},
      {u"0.09", u"0.090"}, {u"4.5E-05", u"0.000"}, {u"-0.18", u"-0.180"}, {u"-0.0004", u"0.000"},
      {u"0.9995", u"1.000"}, {u"abc", u"abc"}, {u"", u""}};
  // clang-format on
  for (const auto& [in, out] : rate) {
    EXPECT_EQ(FormatRate(in), out) << testing::PrintToString(in);
  }
  const std::vector<std::pair<std::u16string, std::u16string>> whole = {
      {u"7.5", u"8"},  {u"2.5", u"3"}, {u"0.5", u"1"}, {u"1,234", u"1234"}, {u"-2", u"-2"},
      {u"-0.4", u"0"}, {u"0.4", u"0"}, {u"x", u"x"},   {u"-1.5", u"-2"},    {u"1e3", u"1000"}};
  for (const auto& [in, out] : whole) {
    EXPECT_EQ(FormatWhole(in), out) << testing::PrintToString(in);
  }
}

TEST(FieldRules, ValidateNumericField) {
  struct Case {
    std::u16string name, text;
    FieldCheck outcome;
    std::u16string fill;
  };
  using enum FieldCheck;
  const std::vector<Case> cases = {
      {u"TxtKikan", u"", kFilled, u"1"},     {u"txtkikan", u"", kFilled, u"0"},
      {u"TxtNenri", u"", kFilled, u"0"},     {u"TxtNenri", u"1.2.", kRefused, u""},
      {u"TxtKikan", u"abc", kRefused, u""},  {u"TxtKikan", u"0", kRefused, u""},
      {u"TxtKikan", u"0.0", kRefused, u""},  {u"TxtKikan", u"-0", kRefused, u""},
      {u"TxtKikan", u"0.4", kAccepted, u""}, {u"TxtKikan", u"-3", kAccepted, u""},
      {u"TxtSueoki", u"0", kAccepted, u""},  {u"TxtNenri", u"-2.5", kAccepted, u""}};
  for (const auto& c : cases) {
    const FieldCheckResult r = ValidateNumericFieldOutcome(c.name, c.text);
    EXPECT_EQ(r.outcome, c.outcome) << testing::PrintToString(c.name + u"|" + c.text);
    if (c.outcome == kFilled) {
      EXPECT_EQ(r.text, c.fill);
    }
  }
}

TEST(FieldRules, GroupThousands) {
  struct Case {
    std::u16string in;
    bool refused;
    std::u16string out;
  };
  // clang-format off
  const std::vector<Case> cases = {  // typed, refused, new text
      {u"1234567", false, u"1,234,567"}, {u"1234", false, u"1,234"}, {u"123", false, u"123"},
      {u"1,2345", false, u"12,345"}, {u"0012", false, u"12"}, {u"1234.5", false, u"1,234.5"},
      {u"1234.", false, u"1,234."}, {u"-1234", false, u"-1,234"}, {u"-123", false, u"-123"},
      {u"-0.5", false, u"-0.5"}, {u".5", false, u".5"}, {u"-.5", false, u"-.5"},
      {u"1e5", false, u"1e5"}, {u"", false, u""}, {u"12a", true, u"12"}, {u".", true, u""},
      {u"12\U0001F600", true, u"12"}};  // a character outside the BMP goes whole
  // clang-format on
  for (const auto& c : cases) {
    const GroupedText r = GroupThousandsText(c.in);
    EXPECT_EQ(r.refused, c.refused) << testing::PrintToString(c.in);
    EXPECT_EQ(r.text, c.out) << testing::PrintToString(c.in);
  }
  EXPECT_EQ(GroupThousandsText(u"1000000000000000").text, u"1000000000000000");  // 10^15
  EXPECT_EQ(GroupThousandsText(u"999999999999999").text, u"999,999,999,999,999");
  const std::u16string long_fraction = u"1.1234567890123456789012345";
  EXPECT_EQ(GroupThousandsText(long_fraction).text, long_fraction.substr(0, 22));
}

// Whatever the user types, regrouping must keep the number it stands for.
TEST(FieldRules, GroupThousandsKeepsTheValue) {
  std::mt19937 gen(20240607);
  auto pick = [&](int n) { return static_cast<int>(gen() % static_cast<unsigned>(n)); };
  for (int i = 0; i < 3000; ++i) {
    std::u16string text = std::u16string(u" +-").substr(pick(3), 1);
    const int int_digits = pick(16);
    for (int d = 0; d < int_digits; ++d) {
      text += d > 0 && pick(4) == 0 ? u"," : u"";  // a comma between two digits
      text += static_cast<char16_t>(u'0' + pick(10));
    }
    if (int_digits == 0 || pick(2) == 0) {
      text += u'.';
      for (int d = int_digits == 0 ? 1 + pick(20) : pick(21); d > 0; --d) {
        text += static_cast<char16_t>(u'0' + pick(10));
      }
    }
    const GroupedText r = GroupThousandsText(text);
    ASSERT_FALSE(r.refused) << testing::PrintToString(text);
    EXPECT_EQ(ParseNumber(r.text), ParseNumber(text)) << testing::PrintToString(text);
  }
}

TEST(CodedMessage, Style) {
  const std::vector<std::pair<std::u16string_view, int>> cases = {
      {MsgInvalidInput, 4112},        {MsgProcessingError, 4144},
      {u"411x", 4096 + 4 + 32 + 256}, {u"523x", 4096 + 5 + 48 + 768},
      {u"600x", 4096 + 16},           {u"940x", 4096},
      {u"030x", 4096 + 64},           {u"054x", 4096}};
  for (const auto& [coded, value] : cases) {
    EXPECT_EQ(MessageStyleOf(coded).Value(), value) << testing::PrintToString(coded);
  }
}

TEST(CodedMessage, Text) {
  EXPECT_EQ(MessageText(u"", u"", MsgProcessingError), u"処理中、異常が発生しました。\r");
  EXPECT_EQ(MessageText(u"前", u"後", MsgInvalidInput), u"前入力データが正しくありません。\r後");
  std::u16string body;
  for (int i = 0; i < 30; ++i) {
    body += u"あいうえお";
  }
  EXPECT_EQ(MessageText(u"", u"", u"000" + body), body.substr(0, 100) + u"\r");
}
