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

/// The regional settings that date formatting uses.
struct RegionalSettings {
  std::array<std::string, 12> long_month_names{};
  std::array<std::string, 12> short_month_names{};
  std::array<std::string, 7> long_day_names{};   ///< index 0 = Sunday
  std::array<std::string, 7> short_day_names{};
  std::string am_designator = "AM";
  std::string pm_designator = "PM";
  char date_separator = '/';
  char time_separator = ':';
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
