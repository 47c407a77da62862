// The character-filtered edit field: an edit whose character classes can be switched off.
#pragma once

#include "ui/Controls.h"

namespace quib {

struct TLDEdit : TEdit {
  bool AllowLetters = true;
  bool AllowBlanks = true;
  bool AllowSymbols = true;
  bool AllowDigits = true;
};

}  // namespace quib
