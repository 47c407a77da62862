// Date stamps: the 24 formats a clip entry's date can be recorded in, and the formatter
// that turns a local moment into text under the user's regional settings.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "platform/clock.h"

namespace quib {

inline constexpr std::array<std::string_view, 24> kDateFormats = {
    "mmmm dd, yyyy hh:nn ampm", "mmm dd, yyyy hh:nn ampm", "mm/dd/yyyy hh:nn ampm",
    "mm-dd-yyyy hh:nn ampm",    "dd/mm/yyyy hh:nn ampm",   "dd-mm-yyyy hh:nn ampm",
    "mm/dd/yy hh:nn ampm",      "mm-dd-yy hh:nn ampm",     "dd/mm/yy hh:nn ampm",
    "dd-mm-yy hh:nn ampm",      "mm/dd/yyyy",              "mm-dd-yyyy",
    "dd/mm/yyyy",               "dd-mm-yyyy",              "mm/dd/yy",
    "mm-dd-yy",                 "dd/mm/yy",                "dd-mm-yy",
    "mmmm dd, yyyy HH:NN",      "mmm dd, yyyy HH:NN",      "mm/dd/yy HH:NN",
    "mm-dd-yy HH:NN",           "dd/mm/yy HH:NN",          "dd-mm-yy HH:NN",
};

/// Formats `moment` by `format`, read left to right, the longest element first, letters
/// without regard to case:
///   d dd ddd dddd   day of the month, with a leading zero, short and long day name
///   m mm mmm mmmm   month number, with a leading zero, short and long month name
///   yy yyyy         year in two and in four digits
///   h hh            hour, with a leading zero; 12-hour clock when the format has "ampm"
///   n nn, s ss      minute and second, with a leading zero
///   ampm            the AM designator before noon, the PM designator from noon
///   / :             the regional date and time separators
///   "…" '…'         the quoted text as it is
/// Every other character is copied unchanged. An empty format gives the regional short date,
/// then a blank and the regional long time unless the moment is exactly midnight.
std::string FormatDateTime(std::string_view format, const LocalTime& moment,
                           const RegionalSettings& regional);

/// The date stamp of a clip entry: the clock's moment now, formatted by `format` (the text the
/// date format list shows, empty when no format is selected).
std::string MakeDateStamp(const std::string& format, Clock& clock);

/// Converts a regional date or time picture in the system's notation (d, M, y, g, h, H, m, s,
/// t, '…' with '' for a quote) into FormatDateTime's notation, every other letter and
/// separator kept as literal text.
std::string LocalePictureToFormat(std::string_view picture);

}  // namespace quib
