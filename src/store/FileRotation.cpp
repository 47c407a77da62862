// Replacing a file with a backup copy.
#include "store/FileRotation.h"

namespace quib {

bool ReplaceWithBackup(Files& files, const std::string& temp, const std::string& target) {
  const std::string backup = target + ".bak";
  if (files.FileExists(backup)) files.Delete(backup);
  // Copy rather than move: the target stays in place until the replace below.
  if (files.FileExists(target)) files.Copy(target, backup);
  return files.Replace(temp, target);
}

}  // namespace quib
