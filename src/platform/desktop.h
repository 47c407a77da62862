// The services of the desktop the plugin runs on, handed to the form as one bundle.
#pragma once

#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/processes.h"
#include "platform/shell.h"
#include "platform/sound.h"
#include "platform/windowing.h"

namespace quib {

struct Desktop {
  Clipboard& clipboard;
  ClipboardChain& chain;
  Processes& processes;
  Sound& sound;
  Dialogs& dialogs;
  Files& files;
  Clock& clock;
  Shell& shell;
  Windowing& windowing;
};

}  // namespace quib
