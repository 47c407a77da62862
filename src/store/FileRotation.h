// Putting a fully written temporary file in the place of a file, keeping the previous one
// as a backup, without a moment when neither the old nor the new file is in place.
#pragma once

#include <string>

#include "platform/files.h"

namespace quib {

/// Copies target to target + ".bak" (an older backup is deleted first), then replaces target
/// with temp in one atomic step. temp must already be flushed to the disk. Each step runs
/// whatever the outcome of the one before; a missing backup does not stop the replace.
/// Returns whether target now holds temp's contents.
bool ReplaceWithBackup(Files& files, const std::string& temp, const std::string& target);

}  // namespace quib
