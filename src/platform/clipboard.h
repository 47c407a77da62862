// The clipboard: its text, the marker formats of password managers, and the viewer chain
// that tells a hidden message window of every change.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/types.h"

namespace quib {

/// A viewer-chain message as it reached a message window; its two parameters are
/// forwarded unchanged to the next viewer.
struct ChainMessage {
  enum class Kind { DrawClipboard, ChangeChain };
  Kind kind = Kind::DrawClipboard;
  std::uintptr_t first = 0;  ///< ChangeChain: the window leaving the chain.
  std::intptr_t second = 0;  ///< ChangeChain: the window after it.
};

/// Receives the chain messages of a message window.
class ChainMessageHandler {
 public:
  virtual ~ChainMessageHandler() = default;
  virtual void OnChainMessage(const ChainMessage& message) = 0;
};

/// The clipboard viewer chain and the hidden windows that take part in it.
class ClipboardChain {
 public:
  virtual ~ClipboardChain() = default;
  /// Creates a hidden window whose chain messages reach handler until it is destroyed.
  virtual WindowId CreateMessageWindow(ChainMessageHandler& handler) = 0;
  virtual void DestroyMessageWindow(WindowId window) = 0;
  /// Makes window the first viewer and returns the previous first viewer (may be none).
  /// The platform announces the clipboard to window before this returns.
  virtual WindowId SetClipboardViewer(WindowId window) = 0;
  /// Takes leaving out of the chain; next is the viewer that followed it.
  virtual void ChangeClipboardChain(WindowId leaving, WindowId next) = 0;
  /// Sends a chain message to another viewer and waits until it has been handled.
  virtual void Forward(WindowId to, const ChainMessage& message) = 0;
};

/// The clipboard's text.
class Clipboard {
 public:
  virtual ~Clipboard() = default;
  /// Whether the clipboard offers text now.
  virtual bool HasText() = 0;
  /// Size in bytes of the offered text without its terminator, when the platform tells it
  /// without copying the text; nullopt when it cannot.
  virtual std::optional<std::size_t> TextSize() = 0;
  /// The clipboard's text up to its first NUL byte and at most limit bytes (empty when it
  /// has none). Throws PlatformError ("Cannot open clipboard") when it cannot be opened.
  virtual std::string GetText(std::size_t limit = std::string::npos) = 0;
  /// Replaces the clipboard's contents with text. Throws PlatformError on failure.
  virtual void SetText(std::string_view text) = 0;
  /// Whether the current contents carry a marker asking clipboard histories to skip them.
  virtual bool HasExcludeMarker() = 0;
};

}  // namespace quib
