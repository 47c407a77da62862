// The wave sound player.
#include "capture/icSwavC.h"

namespace quib {

TicSwavC::~TicSwavC() {
  // The output must never read the data after it is freed.
  if (!data_.empty()) sound_.Stop();
}

}  // namespace quib
