// The wave sound player.
#include "capture/icSwavC.h"

namespace quib {

bool TicSwavC::Loadfile(const std::string& path) {
  // The output may be reading the old bytes: stop it before they change.
  if (!data_.empty()) sound_.Stop();
  std::string().swap(data_);
  if (!files_.FileExists(path)) return false;
  std::unique_ptr<InputFile> file = files_.OpenRead(path);
  std::string bytes;
  char buffer[16 * 1024];
  while (const std::size_t got = file->Read(buffer, sizeof buffer)) {
    bytes.append(buffer, got);
    if (got < sizeof buffer) break;
  }
  data_ = std::move(bytes);
  Wave_From = TwWave::icFile;
  return !data_.empty();
}

TicSwavC::~TicSwavC() {
  // The output must never read the data after it is freed.
  if (!data_.empty()) sound_.Stop();
}

}  // namespace quib
