// Date stamps: the 24 formats a clip entry's date can be recorded in.
#pragma once

#include <array>
#include <string_view>

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

}  // namespace quib
