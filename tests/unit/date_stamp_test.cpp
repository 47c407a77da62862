// Date stamps: the pattern rules, the 24 formats, the empty format and regional pictures.
#include <gtest/gtest.h>

#include <string>

#include "capture/DateStamp.h"
#include "platform/sim/SimDesktop.h"

namespace quib::test {
namespace {

LocalTime At(int year, int month, int day, int hour, int minute, int second = 0) {
  LocalTime moment;
  moment.year = year;
  moment.month = month;
  moment.day = day;
  moment.hour = hour;
  moment.minute = minute;
  moment.second = second;
  return moment;
}

struct FormatCase {
  const char* name;
  std::string_view format;
  LocalTime moment;
  std::string expected;
};

void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.name; }

class EnglishFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(EnglishFormat, GivesTheExpectedText) {
  const FormatCase& c = GetParam();
  EXPECT_EQ(FormatDateTime(c.format, c.moment, RegionalSettings{}), c.expected)
      << "format \"" << c.format << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Examples, EnglishFormat,
    ::testing::Values(
        FormatCase{"Format0AfterMidnight", kDateFormats[0], At(2009, 3, 5, 0, 30),
                   "March 05, 2009 12:30 AM"},
        FormatCase{"Format2Afternoon", kDateFormats[2], At(2009, 3, 5, 13, 5),
                   "03/05/2009 01:05 PM"},
        FormatCase{"Format18TwentyFourHour", kDateFormats[18], At(2009, 3, 5, 13, 5),
                   "March 05, 2009 13:05"},
        FormatCase{"Format16DayFirstShortYear", kDateFormats[16], At(2009, 3, 5, 13, 5),
                   "05/03/09"},
        // The 12-hour clock at its edges; the 24-hour clock keeps hour 0.
        FormatCase{"TwelveHourMidnight", "hh:nn ampm", At(2009, 3, 5, 0, 0), "12:00 AM"},
        FormatCase{"TwelveHourBeforeNoon", "hh:nn ampm", At(2009, 3, 5, 11, 59), "11:59 AM"},
        FormatCase{"TwelveHourNoon", "hh:nn ampm", At(2009, 3, 5, 12, 0), "12:00 PM"},
        FormatCase{"TwelveHourLastHour", "hh:nn ampm", At(2009, 3, 5, 23, 59), "11:59 PM"},
        FormatCase{"TwentyFourHourMidnight", "HH:NN", At(2009, 3, 5, 0, 7), "00:07"},
        FormatCase{"AmPmAfterTheHourStillSwitches", "ampm hh", At(2009, 3, 5, 18, 0), "PM 06"},
        // Longest element first, letters without regard to case.
        FormatCase{"MonthRuns", "m mm mmm mmmm", At(2009, 3, 5, 0, 0), "3 03 Mar March"},
        FormatCase{"UpperCaseMonths", "MMMM MMM MM M", At(2009, 3, 5, 0, 0), "March Mar 03 3"},
        FormatCase{"FiveMsAreLongNameThenNumber", "mmmmm", At(2009, 3, 5, 0, 0), "March3"},
        FormatCase{"MixedCaseAmPm", "h AmPm", At(2009, 3, 5, 9, 0), "9 AM"},
        FormatCase{"DaysAndWeekdays", "d dd ddd dddd", At(2009, 3, 5, 0, 0),
                   "5 05 Thu Thursday"},
        FormatCase{"Years", "yy yyyy", At(2009, 3, 5, 0, 0), "09 2009"},
        FormatCase{"SmallYearPadded", "yyyy yy", At(7, 1, 1, 0, 0), "0007 07"},
        FormatCase{"Seconds", "h:n:s hh:nn:ss", At(2009, 3, 5, 9, 4, 2), "9:4:2 09:04:02"},
        // Other characters are copied; quoted text is copied without its quotes.
        FormatCase{"OtherCharactersCopied", "[dd], -x#", At(2009, 3, 5, 0, 0), "[05], -x#"},
        FormatCase{"QuotedText", "\"day\" d 'at' h", At(2009, 3, 5, 9, 0), "day 5 at 9"},
        FormatCase{"UnterminatedQuoteTakesTheRest", "d 'mm", At(2009, 3, 5, 0, 0), "5 mm"},
        FormatCase{"BytesAboveAscii", "d\xE9m", At(2009, 3, 5, 0, 0), "5\xE9" "3"}),
    [](const auto& info) { return std::string(info.param.name); });

// Every one of the 24 formats at one evening moment, so that the 12-hour and the 24-hour
// clock differ.
TEST(DateFormats, EachOfTheTwentyFourFormatsAtOneMoment) {
  const char* const expected[24] = {
      "December 21, 2024 09:07 PM", "Dec 21, 2024 09:07 PM", "12/21/2024 09:07 PM",
      "12-21-2024 09:07 PM",        "21/12/2024 09:07 PM",   "21-12-2024 09:07 PM",
      "12/21/24 09:07 PM",          "12-21-24 09:07 PM",     "21/12/24 09:07 PM",
      "21-12-24 09:07 PM",          "12/21/2024",            "12-21-2024",
      "21/12/2024",                 "21-12-2024",            "12/21/24",
      "12-21-24",                   "21/12/24",              "21-12-24",
      "December 21, 2024 21:07",    "Dec 21, 2024 21:07",    "12/21/24 21:07",
      "12-21-24 21:07",             "21/12/24 21:07",        "21-12-24 21:07",
  };
  const LocalTime moment = At(2024, 12, 21, 21, 7, 45);
  for (std::size_t i = 0; i < kDateFormats.size(); ++i)
    EXPECT_EQ(FormatDateTime(kDateFormats[i], moment, RegionalSettings{}), expected[i])
        << "format " << i;
}

TEST(DateFormats, SeparatorsComeFromTheRegionalSettings) {
  RegionalSettings regional;
  regional.date_separator = ".";
  regional.time_separator = "h";
  const LocalTime moment = At(2009, 3, 5, 13, 5);
  EXPECT_EQ(FormatDateTime("mm/dd/yyyy", moment, regional), "03.05.2009");
  EXPECT_EQ(FormatDateTime(kDateFormats[11], moment, regional), "03-05-2009")
      << "a hyphen stays a hyphen";
  EXPECT_EQ(FormatDateTime("HH:NN", moment, regional), "13h05")
      << "a separator is output, not read as a pattern";

  regional.date_separator.clear();
  regional.time_separator.clear();
  EXPECT_EQ(FormatDateTime("mm/dd/yy HH:NN", moment, regional), "030509 1305");
}

TEST(DateFormats, NamesAndDesignatorsComeFromTheRegionalSettings) {
  RegionalSettings regional;
  regional.long_month_names[2] = "M\xE4rz";
  regional.short_month_names[2] = "M\xE4r";
  regional.am_designator = "vorm.";
  regional.pm_designator.clear();
  EXPECT_EQ(FormatDateTime(kDateFormats[0], At(2009, 3, 5, 0, 30), regional),
            "M\xE4rz 05, 2009 12:30 vorm.");
  EXPECT_EQ(FormatDateTime(kDateFormats[1], At(2009, 3, 5, 13, 5), regional),
            "M\xE4r 05, 2009 01:05 ") << "an empty designator leaves the blank before it";
}

TEST(DateFormats, EmptyFormatIsShortDateAndLongTimeExceptAtMidnight) {
  const RegionalSettings english;
  EXPECT_EQ(FormatDateTime("", At(2009, 3, 5, 13, 5, 9), english), "3/5/2009 1:05:09 PM");
  EXPECT_EQ(FormatDateTime("", At(2009, 3, 5, 0, 0, 0), english), "3/5/2009");
  EXPECT_EQ(FormatDateTime("", At(2009, 3, 5, 0, 0, 1), english), "3/5/2009 12:00:01 AM");

  RegionalSettings german;
  german.date_separator = ".";
  german.short_date_format = "dd.mm.yyyy";
  german.long_time_format = "hh:nn:ss";
  EXPECT_EQ(FormatDateTime("", At(2009, 3, 5, 13, 5, 9), german), "05.03.2009 13:05:09");
}

TEST(DateFormats, EmptyRegionalFormatsGiveNothingRatherThanRecursing) {
  RegionalSettings regional;
  regional.short_date_format.clear();
  regional.long_time_format.clear();
  EXPECT_EQ(FormatDateTime("", At(2009, 3, 5, 0, 0), regional), "");
  EXPECT_EQ(FormatDateTime("", At(2009, 3, 5, 1, 0), regional), " ");
}

TEST(DateFormats, HostileFormatsAndMomentsGiveTextWithoutFailing) {
  const LocalTime moment = At(2009, 3, 5, 13, 5);
  const std::string huge(1 << 20, 'm');  // a million m: a quarter million long names
  EXPECT_EQ(FormatDateTime(huge, moment, RegionalSettings{}).size(),
            (huge.size() / 4) * std::string("March").size());
  const std::string junk("\0\x01\xff\"'/:", 7);
  EXPECT_NO_THROW(FormatDateTime(junk, moment, RegionalSettings{}));

  LocalTime bad = At(-1, 13, 40, 99, -5, 61);
  EXPECT_EQ(FormatDateTime("mmm|mmmm|dd|yyyy|yy", bad, RegionalSettings{}), "||40|-0001|01")
      << "month names out of range are empty";
  bad.month = 0;
  EXPECT_NO_THROW(FormatDateTime("dddd mmmm hh ampm", bad, RegionalSettings{}));
}

TEST(DateStamp, FormatsTheClocksMomentWithItsRegionalSettings) {
  SimClock clock;
  clock.now = At(2009, 3, 5, 0, 30);
  clock.regional.am_designator = "am";
  EXPECT_EQ(MakeDateStamp(std::string(kDateFormats[0]), clock), "March 05, 2009 12:30 am");
  EXPECT_EQ(MakeDateStamp("", clock), "3/5/2009 12:30:00 am");
  clock.now = At(2010, 1, 2, 0, 0);
  EXPECT_EQ(MakeDateStamp("", clock), "1/2/2010");
}

struct PictureCase {
  const char* name;
  std::string_view picture;
  std::string_view format;
};

void PrintTo(const PictureCase& c, std::ostream* os) { *os << c.name; }

class LocalePicture : public ::testing::TestWithParam<PictureCase> {};

TEST_P(LocalePicture, TranslatesToTheFormatNotation) {
  EXPECT_EQ(LocalePictureToFormat(GetParam().picture), GetParam().format);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, LocalePicture,
    ::testing::Values(
        PictureCase{"UnitedStatesShortDate", "M/d/yyyy", "m\"/\"d\"/\"yyyy"},
        PictureCase{"UnitedStatesLongTime", "h:mm:ss tt", "h\":\"nn\":\"ss ampm"},
        PictureCase{"GermanShortDate", "dd.MM.yyyy", "dd.mm.yyyy"},
        PictureCase{"TwentyFourHourTime", "HH:mm:ss", "hh\":\"nn\":\"ss"},
        PictureCase{"LongNamesAndRuns", "dddd, MMMM dd, yyyyy", "dddd, mmmm dd, yyyy"},
        PictureCase{"ShortYear", "y-yy", "yy-yy"},
        PictureCase{"OneLetterDesignator", "h t", "h ampm"},
        PictureCase{"EraDropped", "gg yyyy", " yyyy"},
        PictureCase{"QuotedLetters", "d 'de' MMMM", "d \"d\"\"e\" mmmm"},
        PictureCase{"DoubledQuotes", "'o''clock' h''", "\"o\"\"'\"\"c\"\"l\"\"o\"\"c\"\"k\" h\"'\""},
        PictureCase{"DoubleQuoteKept", "h\"", "h'\"'"},
        PictureCase{"LiteralLettersQuoted", "HH'h'mm", "hh\"h\"nn"},
        PictureCase{"UnterminatedQuote", "d 'at", "d \"a\"\"t\""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LocalePicture, TranslatedPicturesFormatAsTheSystemShowsThem) {
  const LocalTime moment = At(2009, 3, 5, 13, 5, 9);
  RegionalSettings regional;
  regional.date_separator = "-";  // the picture's own "/" is kept
  EXPECT_EQ(FormatDateTime(LocalePictureToFormat("M/d/yyyy"), moment, regional), "3/5/2009");
  EXPECT_EQ(FormatDateTime(LocalePictureToFormat("h:mm:ss tt"), moment, regional),
            "1:05:09 PM");
  EXPECT_EQ(FormatDateTime(LocalePictureToFormat("HH'h'mm 'o''clock'"), moment, regional),
            "13h05 o'clock");
}

}  // namespace
}  // namespace quib::test
