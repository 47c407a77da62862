// The clipboard change monitor: a member of the clipboard viewer chain through a hidden
// message window, raising OnChange for every change and passing chain messages on.
#pragma once

#include <functional>
#include <string>

#include "platform/clipboard.h"

namespace quib {

class TvxClipboardMonitor final : public ChainMessageHandler {
 public:
  using ChangeEvent = std::function<void(TvxClipboardMonitor& sender)>;

  /// Creates the message window and joins the chain; the platform's announcement of the
  /// clipboard arrives before the constructor returns.
  explicit TvxClipboardMonitor(ClipboardChain& chain);
  /// Leaves the chain (also when disabled) and destroys the message window.
  ~TvxClipboardMonitor() override;
  TvxClipboardMonitor(const TvxClipboardMonitor&) = delete;
  TvxClipboardMonitor& operator=(const TvxClipboardMonitor&) = delete;

  const std::string& About() const { return about_; }
  void SetAbout(const std::string&) {}  // read-only in effect

  bool Enabled() const { return enabled_; }
  /// Joins (true) or leaves (false) the chain; joining announces the clipboard at once,
  /// running OnChange before this returns.
  void SetEnabled(bool value);

  ChangeEvent OnChange;

  WindowId MessageWindow() const { return window_; }
  WindowId NextViewer() const { return next_viewer_; }

  void OnChainMessage(const ChainMessage& message) override;

 private:
  void Register();
  void Unregister();

  ClipboardChain& chain_;
  std::string about_;
  bool enabled_ = true;
  WindowId window_;
  WindowId next_viewer_;
};

}  // namespace quib
