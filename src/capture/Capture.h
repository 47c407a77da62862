// Capture: turns a clipboard change into a clip entry under the length, duplicate and
// count rules, with its date stamp, its source application and the capture sound.
#pragma once

#include <string>

namespace quib {

class TAdvConfigForm;

/// Appends a clip entry for text at the newest end, stamped with the date and the source
/// application ("Unknown" when none was found). Shared by capture and launch.
void AddClipEntry(TAdvConfigForm& form, const std::string& text);

/// The monitor's change handler. Failures are reported to the host with their own message.
void ClipboardMonitorChange(TAdvConfigForm& form);

}  // namespace quib
