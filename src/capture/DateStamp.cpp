// The date formatter behind date stamps, and the translation of regional pictures into its
// notation.
#include "capture/DateStamp.h"

#include <cstdlib>

namespace quib {
namespace {

enum class Element {
  kLiteral,  // one character, or the inside of a quoted text
  kDay, kDay2, kShortDayName, kLongDayName,
  kMonth, kMonth2, kShortMonthName, kLongMonthName,
  kYear2, kYear4,
  kHour, kHour2, kMinute, kMinute2, kSecond, kSecond2,
  kAmPm, kDateSeparator, kTimeSeparator,
};

struct Pattern {
  std::string_view text;  // lower case
  Element element;
};

// Longer elements come before their prefixes, so the first match is the longest.
constexpr Pattern kPatterns[] = {
    {"ampm", Element::kAmPm},          {"mmmm", Element::kLongMonthName},
    {"dddd", Element::kLongDayName},   {"yyyy", Element::kYear4},
    {"mmm", Element::kShortMonthName}, {"ddd", Element::kShortDayName},
    {"mm", Element::kMonth2},          {"dd", Element::kDay2},
    {"yy", Element::kYear2},           {"hh", Element::kHour2},
    {"nn", Element::kMinute2},         {"ss", Element::kSecond2},
    {"m", Element::kMonth},            {"d", Element::kDay},
    {"h", Element::kHour},             {"n", Element::kMinute},
    {"s", Element::kSecond},           {"/", Element::kDateSeparator},
    {":", Element::kTimeSeparator},
};

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithNoCase(std::string_view text, std::string_view lower_prefix) {
  if (text.size() < lower_prefix.size()) return false;
  for (std::size_t i = 0; i < lower_prefix.size(); ++i)
    if (AsciiLower(text[i]) != lower_prefix[i]) return false;
  return true;
}

struct Token {
  Element element;
  std::string_view literal;
};

/// Reads the element at `pos` and moves past it.
Token NextToken(std::string_view format, std::size_t& pos) {
  const std::string_view rest = format.substr(pos);
  if (rest[0] == '"' || rest[0] == '\'') {
    // An unterminated quote takes the rest of the format.
    const std::size_t close = rest.find(rest[0], 1);
    const std::size_t inside = (close == std::string_view::npos ? rest.size() : close) - 1;
    pos += close == std::string_view::npos ? rest.size() : close + 1;
    return {Element::kLiteral, rest.substr(1, inside)};
  }
  for (const Pattern& pattern : kPatterns) {
    if (StartsWithNoCase(rest, pattern.text)) {
      pos += pattern.text.size();
      return {pattern.element, {}};
    }
  }
  ++pos;
  return {Element::kLiteral, rest.substr(0, 1)};
}

bool HasAmPm(std::string_view format) {
  for (std::size_t pos = 0; pos < format.size();)
    if (NextToken(format, pos).element == Element::kAmPm) return true;
  return false;
}

void AppendNumber(std::string& out, long long value, std::size_t min_digits) {
  if (value < 0) out += '-';
  const std::string digits = std::to_string(value < 0 ? -value : value);
  if (digits.size() < min_digits) out.append(min_digits - digits.size(), '0');
  out += digits;
}

template <std::size_t N>
const std::string& NameAt(const std::array<std::string, N>& names, long long index) {
  static const std::string kNone;
  return index >= 0 && index < static_cast<long long>(N) ? names[index] : kNone;
}

/// 0 = Sunday, from the civil date, so that the clock's own weekday need not agree.
long long DayOfWeek(const LocalTime& moment) {
  long long y = moment.year;
  const long long m = moment.month;
  if (m <= 2) --y;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long year_of_era = y - era * 400;
  const long long day_of_year = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + moment.day - 1;
  const long long day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  const long long days = era * 146097 + day_of_era - 719468;  // since 1970-01-01, a Thursday
  return ((days + 4) % 7 + 7) % 7;
}

std::string FormatPattern(std::string_view format, const LocalTime& moment,
                          const RegionalSettings& regional) {
  const bool twelve_hour = HasAmPm(format);
  long long hour = moment.hour;
  if (twelve_hour) {
    hour %= 12;
    if (hour == 0) hour = 12;
  }
  std::string out;
  for (std::size_t pos = 0; pos < format.size();) {
    const Token token = NextToken(format, pos);
    switch (token.element) {
      case Element::kLiteral: out += token.literal; break;
      case Element::kDay: AppendNumber(out, moment.day, 1); break;
      case Element::kDay2: AppendNumber(out, moment.day, 2); break;
      case Element::kShortDayName: out += NameAt(regional.short_day_names, DayOfWeek(moment)); break;
      case Element::kLongDayName: out += NameAt(regional.long_day_names, DayOfWeek(moment)); break;
      case Element::kMonth: AppendNumber(out, moment.month, 1); break;
      case Element::kMonth2: AppendNumber(out, moment.month, 2); break;
      case Element::kShortMonthName:
        out += NameAt(regional.short_month_names, moment.month - 1LL);
        break;
      case Element::kLongMonthName:
        out += NameAt(regional.long_month_names, moment.month - 1LL);
        break;
      case Element::kYear2: AppendNumber(out, std::llabs(moment.year) % 100, 2); break;
      case Element::kYear4: AppendNumber(out, moment.year, 4); break;
      case Element::kHour: AppendNumber(out, hour, 1); break;
      case Element::kHour2: AppendNumber(out, hour, 2); break;
      case Element::kMinute: AppendNumber(out, moment.minute, 1); break;
      case Element::kMinute2: AppendNumber(out, moment.minute, 2); break;
      case Element::kSecond: AppendNumber(out, moment.second, 1); break;
      case Element::kSecond2: AppendNumber(out, moment.second, 2); break;
      case Element::kAmPm:
        out += moment.hour < 12 ? regional.am_designator : regional.pm_designator;
        break;
      case Element::kDateSeparator: out += regional.date_separator; break;
      case Element::kTimeSeparator: out += regional.time_separator; break;
    }
  }
  return out;
}

/// Appends `c` so that FormatDateTime copies it rather than reading it as an element.
void AppendLiteral(std::string& out, char c) {
  const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
  if (c == '"') {
    out += "'\"'";
  } else if (letter || c == '/' || c == ':' || c == '\'') {
    out += '"';
    out += c;
    out += '"';
  } else {
    out += c;
  }
}

}  // namespace

std::string FormatDateTime(std::string_view format, const LocalTime& moment,
                           const RegionalSettings& regional) {
  if (!format.empty()) return FormatPattern(format, moment, regional);
  // The regional formats are patterns in their own right: an empty one gives nothing.
  std::string out = FormatPattern(regional.short_date_format, moment, regional);
  if (moment.hour != 0 || moment.minute != 0 || moment.second != 0)
    out += ' ' + FormatPattern(regional.long_time_format, moment, regional);
  return out;
}

std::string MakeDateStamp(const std::string& format, Clock& clock) {
  return FormatDateTime(format, clock.Now(), clock.Regional());
}

std::string LocalePictureToFormat(std::string_view picture) {
  std::string out;
  for (std::size_t pos = 0; pos < picture.size();) {
    const char c = picture[pos];
    if (c == '\'' && pos + 1 < picture.size() && picture[pos + 1] == '\'') {
      AppendLiteral(out, '\'');
      pos += 2;
      continue;
    }
    if (c == '\'') {
      // Quoted text, where a doubled quote stands for one.
      ++pos;
      while (pos < picture.size()) {
        if (picture[pos] != '\'') {
          AppendLiteral(out, picture[pos++]);
        } else if (pos + 1 < picture.size() && picture[pos + 1] == '\'') {
          AppendLiteral(out, '\'');
          pos += 2;
        } else {
          ++pos;
          break;
        }
      }
      continue;
    }
    std::size_t run = 1;
    while (pos + run < picture.size() && picture[pos + run] == c) ++run;
    pos += run;
    auto repeat = [&](char letter, std::size_t count) { out.append(count, letter); };
    switch (c) {
      case 'd': repeat('d', run < 4 ? run : 4); break;
      case 'M': repeat('m', run < 4 ? run : 4); break;
      case 'y': out += run <= 2 ? "yy" : "yyyy"; break;
      case 'h':
      case 'H': out += run == 1 ? "h" : "hh"; break;
      case 'm': out += run == 1 ? "n" : "nn"; break;
      case 's': out += run == 1 ? "s" : "ss"; break;
      case 't': out += "ampm"; break;
      case 'g': break;  // the era: the formatter has no calendars
      default:
        for (std::size_t i = 0; i < run; ++i) AppendLiteral(out, c);
    }
  }
  return out;
}

}  // namespace quib
