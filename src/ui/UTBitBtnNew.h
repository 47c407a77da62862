// The window's flat image push button.
#pragma once

#include "ui/Controls.h"

namespace quib {

struct TBitBtnNew : TButton {};

}  // namespace quib
