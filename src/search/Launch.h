// Result launch: the chosen clip entry's text goes back on the clipboard and becomes the
// newest entry, and the host may be asked to paste it.
#pragma once

#include <cstdint>

namespace quib {

class HostLink;
class TAdvConfigForm;
struct ResultState;

/// Launches the clip entry at row (the data value its result was given), taken against the
/// clip list as it is now. A row that names no entry changes nothing. Whatever capture
/// does with the clipboard write, the launched entry ends up as the newest one. Throws
/// when a platform operation fails; the entry and the monitor are restored first.
void LaunchResult(TAdvConfigForm& form, const HostLink& host, ResultState& results,
                  std::int32_t row);

}  // namespace quib
