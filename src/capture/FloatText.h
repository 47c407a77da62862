// Conversion of a field's text to a number, with the failure message the user sees.
#pragma once

#include <stdexcept>
#include <string_view>

namespace quib {

/// A text that is not a number; what() is the message the user sees.
class ConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// Reads a decimal number: blanks, an optional sign, digits with an optional "." and
/// fraction (at least one digit in all), an optional exponent ("e" or "E", an optional sign,
/// digits), blanks. A value beyond the range of double gives an infinity, one too small for it
/// gives zero. Any other text, the empty one included, throws ConversionError with the message
/// "'<text>' is not a valid floating point value".
double StrToFloat(std::string_view text);

}  // namespace quib
