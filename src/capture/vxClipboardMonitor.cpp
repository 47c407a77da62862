// The clipboard change monitor's chain rules.
#include "capture/vxClipboardMonitor.h"

namespace quib {

TvxClipboardMonitor::TvxClipboardMonitor(ClipboardChain& chain)
    : chain_(chain), about_("TvxClipboardMonitor 1.0: clipboard viewer chain monitor") {
  window_ = chain_.CreateMessageWindow(*this);
  Register();
}

TvxClipboardMonitor::~TvxClipboardMonitor() {
  try {
    Unregister();
    chain_.DestroyMessageWindow(window_);
  } catch (...) {
    // A destructor must not throw; the platform's own cleanup takes over.
  }
}

void TvxClipboardMonitor::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  if (value)
    Register();
  else
    Unregister();
}

void TvxClipboardMonitor::Register() {
  // The announcement arrives inside SetClipboardViewer and is forwarded to the viewer
  // known until then (none at construction).
  next_viewer_ = chain_.SetClipboardViewer(window_);
}

void TvxClipboardMonitor::Unregister() { chain_.ChangeClipboardChain(window_, next_viewer_); }

void TvxClipboardMonitor::OnChainMessage(const ChainMessage& message) {
  switch (message.kind) {
    case ChainMessage::Kind::DrawClipboard:
      if (OnChange) OnChange(*this);
      if (next_viewer_) chain_.Forward(next_viewer_, message);
      break;
    case ChainMessage::Kind::ChangeChain:
      if (WindowId{message.first} == next_viewer_)
        next_viewer_ = WindowId{static_cast<std::uintptr_t>(message.second)};
      else if (next_viewer_)
        chain_.Forward(next_viewer_, message);
      break;
  }
}

}  // namespace quib
