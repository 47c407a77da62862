// The local clock and the user's regional settings.
#pragma once

#include <array>
#include <string>

namespace quib {

/// A local moment, to the millisecond.
struct LocalTime {
  int year = 2000, month = 1, day = 1;  ///< month 1-12, day 1-31
  int hour = 0, minute = 0, second = 0, millisecond = 0;
  int day_of_week = 0;  ///< 0 = Sunday
};

/// The regional settings that date formatting uses; the defaults are the English ones.
/// Designators and separators may be empty. The two formats are in FormatDateTime's notation.
struct RegionalSettings {
  std::array<std::string, 12> long_month_names{
      "January", "February", "March",     "April",   "May",      "June",
      "July",    "August",   "September", "October", "November", "December"};
  std::array<std::string, 12> short_month_names{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::array<std::string, 7> long_day_names{  ///< index 0 = Sunday
      "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  std::array<std::string, 7> short_day_names{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  std::string am_designator = "AM";
  std::string pm_designator = "PM";
  std::string date_separator = "/";
  std::string time_separator = ":";
  std::string short_date_format = "m/d/yyyy";
  std::string long_time_format = "h:nn:ss ampm";
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime Now() = 0;
  virtual RegionalSettings Regional() = 0;
};

}  // namespace quib
