// The real clipboard and viewer chain: hidden top-level windows of our own class take part
// in the chain through SetClipboardViewer and ChangeClipboardChain.
#pragma once

#include "platform/clipboard.h"

namespace quib {

class Win32Clipboard final : public Clipboard, public ClipboardChain {
 public:
  bool HasText() override;
  std::optional<std::size_t> TextSize() override;
  std::string GetText(std::size_t limit = std::string::npos) override;
  void SetText(std::string_view text) override;
  bool HasExcludeMarker() override;

  WindowId CreateMessageWindow(ChainMessageHandler& handler) override;
  void DestroyMessageWindow(WindowId window) override;
  WindowId SetClipboardViewer(WindowId window) override;
  void ChangeClipboardChain(WindowId leaving, WindowId next) override;
  void Forward(WindowId to, const ChainMessage& message) override;

 private:
  int windows_ = 0;
  /// A window of ours to own what we put on the clipboard: after OpenClipboard without
  /// one, EmptyClipboard leaves no owner and SetClipboardData may fail.
  void* owner_ = nullptr;
};

}  // namespace quib
