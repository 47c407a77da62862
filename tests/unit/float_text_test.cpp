// Conversion of a field's text to a number: what it accepts, what it refuses and the message.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

#include "capture/FloatText.h"

namespace quib::test {
namespace {

struct NumberCase {
  const char* name;
  std::string text;
  double value;
};

void PrintTo(const NumberCase& c, std::ostream* os) { *os << c.name; }

class AcceptedText : public ::testing::TestWithParam<NumberCase> {};

TEST_P(AcceptedText, GivesItsValue) {
  EXPECT_EQ(StrToFloat(GetParam().text), GetParam().value) << '"' << GetParam().text << '"';
}

const double kInfinity = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Numbers, AcceptedText,
    ::testing::Values(
        NumberCase{"Integer", "1000", 1000.0}, NumberCase{"Zero", "0", 0.0},
        NumberCase{"LeadingZeros", "007", 7.0}, NumberCase{"Fraction", "3.9", 3.9},
        NumberCase{"NoIntegerPart", ".5", 0.5}, NumberCase{"NoFractionDigits", "5.", 5.0},
        NumberCase{"Plus", "+12", 12.0}, NumberCase{"Minus", "-2.5", -2.5},
        NumberCase{"Exponent", "1e3", 1000.0}, NumberCase{"UpperExponent", "2.5E+2", 250.0},
        NumberCase{"NegativeExponent", "125e-3", 0.125},
        NumberCase{"Blanks", "  42  ", 42.0},
        NumberCase{"Exact", "0.1", 0.1},
        NumberCase{"LargestDouble", "1.7976931348623157e308", 1.7976931348623157e308},
        NumberCase{"BeyondDoubleIsInfinite", "1e400", kInfinity},
        NumberCase{"NegativeBeyondDouble", "-2e308", -kInfinity},
        NumberCase{"ManyDigitsBeyondDouble", "1" + std::string(400, '0'), kInfinity},
        NumberCase{"HugeExponent", "1e99999999999999999999999", kInfinity},
        NumberCase{"TooSmallIsZero", "1e-400", 0.0},
        NumberCase{"HugeNegativeExponent", "0.5e-99999999999999999999", 0.0},
        NumberCase{"ZeroWithHugeExponent", "0.000e99999999999", 0.0},
        NumberCase{"MillionDigitFraction", "2." + std::string(1'000'000, '0'), 2.0},
        NumberCase{"MillionLeadingZeros", std::string(1'000'000, '0') + "9", 9.0}),
    [](const auto& info) { return std::string(info.param.name); });

class RefusedText : public ::testing::TestWithParam<std::string> {};

TEST_P(RefusedText, ThrowsWithTheFieldsTextInTheMessage) {
  const std::string& text = GetParam();
  try {
    StrToFloat(text);
    FAIL() << '"' << text << "\" was accepted";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(dynamic_cast<const ConversionError*>(&error), nullptr);
    // what() is a C string: a text with a NUL byte shows up to that byte.
    const std::string message = "'" + text + "' is not a valid floating point value";
    EXPECT_EQ(std::string(error.what()), message.c_str());
  }
}

INSTANTIATE_TEST_SUITE_P(
    NotNumbers, RefusedText,
    ::testing::Values("", " ", "abc", "12abc", "1 000", "1,5", "1.2.3", "+", "-", ".", "+.",
                      "e5", ".e1", "1e", "1e+", "1e5.5", "- 1", "++1", "0x10", "$10", "inf",
                      "nan", "1_000", "\t1", "1\n", std::string("1\0", 2), "\xB2"));

TEST(StrToFloat, TheMessageCarriesAHugeTextWhole) {
  const std::string junk(1 << 20, 'x');
  try {
    StrToFloat(junk);
    FAIL();
  } catch (const ConversionError& error) {
    EXPECT_EQ(std::string(error.what()).size(), junk.size() + 38);
  }
}

}  // namespace
}  // namespace quib::test
