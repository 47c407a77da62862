// The source application of a new clip entry: the executable file name of the process
// that owns the foreground window.
#pragma once

namespace quib {

class TAdvConfigForm;

/// Looks up the foreground window's application into form.SourceApplication: the file
/// name of its executable, or "Unknown". Leaves everything as it was while the form's own
/// window or form.LastSourceWindow is in the foreground.
void LookUpSourceApplication(TAdvConfigForm& form);

}  // namespace quib
