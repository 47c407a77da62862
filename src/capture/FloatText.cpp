// Conversion of a field's text to a number: the grammar is checked here, the rounding is left
// to std::from_chars, which is exact and ignores the C locale.
#include "capture/FloatText.h"

#include <charconv>
#include <limits>
#include <string>
#include <system_error>

namespace quib {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TakeDigits(std::string_view text, std::size_t& pos) {
  const std::size_t begin = pos;
  while (pos < text.size() && IsDigit(text[pos])) ++pos;
  return text.substr(begin, pos - begin);
}

/// The power of ten of the leading nonzero digit, saturated far beyond double's range.
long long DecimalMagnitude(std::string_view integer, std::string_view fraction, bool exponent_negative,
                           std::string_view exponent) {
  constexpr long long kFar = 1'000'000'000;
  long long power = 0;
  for (const char c : exponent) {
    power = power * 10 + (c - '0');
    if (power > kFar) {
      power = kFar;
      break;
    }
  }
  if (exponent_negative) power = -power;
  const std::size_t first = integer.find_first_not_of('0');
  if (first != std::string_view::npos) {
    const std::size_t digits = integer.size() - first;
    return power + static_cast<long long>(digits < kFar ? digits : kFar) - 1;
  }
  const std::size_t leading = fraction.find_first_not_of('0');
  if (leading == std::string_view::npos) return 0;
  return power - static_cast<long long>(leading < kFar ? leading : kFar) - 1;
}

}  // namespace

double StrToFloat(std::string_view text) {
  const auto invalid = [&] {
    constexpr std::string_view kTail = "' is not a valid floating point value";
    std::string message;
    message.reserve(text.size() + kTail.size() + 1);
    message += '\'';
    message.append(text);
    message.append(kTail);
    return ConversionError(message);
  };
  std::size_t pos = 0, end = text.size();
  while (pos < end && text[pos] == ' ') ++pos;
  while (end > pos && text[end - 1] == ' ') --end;
  const std::string_view body = text.substr(pos, end - pos);

  std::size_t at = 0;
  const bool negative = at < body.size() && body[at] == '-';
  if (at < body.size() && (body[at] == '-' || body[at] == '+')) ++at;
  const std::string_view integer = TakeDigits(body, at);
  std::string_view fraction;
  if (at < body.size() && body[at] == '.') fraction = TakeDigits(body, ++at);
  if (integer.empty() && fraction.empty()) throw invalid();
  bool exponent_negative = false;
  std::string_view exponent;
  if (at < body.size() && (body[at] == 'e' || body[at] == 'E')) {
    ++at;
    exponent_negative = at < body.size() && body[at] == '-';
    if (at < body.size() && (body[at] == '-' || body[at] == '+')) ++at;
    exponent = TakeDigits(body, at);
    if (exponent.empty()) throw invalid();
  }
  if (at != body.size()) throw invalid();

  // One spelling from_chars reads on every library: digits "." digits "e" exponent.
  std::string canonical;
  canonical.reserve(integer.size() + fraction.size() + exponent.size() + 4);
  canonical.append(integer.empty() ? "0" : integer);
  canonical += '.';
  canonical.append(fraction.empty() ? "0" : fraction);
  if (!exponent.empty()) {
    canonical += exponent_negative ? "e-" : "e";
    canonical.append(exponent);
  }
  double value = 0.0;
  const auto [ptr, error] =
      std::from_chars(canonical.data(), canonical.data() + canonical.size(), value);
  if (error == std::errc::result_out_of_range) {
    value = DecimalMagnitude(integer, fraction, exponent_negative, exponent) > 0
                ? std::numeric_limits<double>::infinity()
                : 0.0;
  } else if (error != std::errc() || ptr != canonical.data() + canonical.size()) {
    throw invalid();
  }
  return negative ? -value : value;
}

}  // namespace quib
