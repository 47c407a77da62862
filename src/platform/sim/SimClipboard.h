// The simulated clipboard: its text, marker formats, a lock held by another program, and
// a real viewer chain of several viewers with chain-change messages and the announcement.
#pragma once

#include <map>
#include <string>

#include "platform/clipboard.h"

namespace quib {

class SimClipboard final : public Clipboard, public ClipboardChain {
 public:
  // Clipboard
  bool HasText() override { return has_text_; }
  std::optional<std::size_t> TextSize() override;
  std::string GetText(std::size_t limit = std::string::npos) override;
  void SetText(std::string_view text) override;
  bool HasExcludeMarker() override { return exclude_marker_; }

  // ClipboardChain
  WindowId CreateMessageWindow(ChainMessageHandler& handler) override;
  void DestroyMessageWindow(WindowId window) override;
  WindowId SetClipboardViewer(WindowId window) override;
  void ChangeClipboardChain(WindowId leaving, WindowId next) override;
  void Forward(WindowId to, const ChainMessage& message) override;

  /// Another program copies text: the clipboard changes and the first viewer is told.
  void CopyFromOtherProgram(std::string_view text, bool exclude_marker = false);
  /// Another program empties the clipboard or puts something other than text on it.
  void CopyNonText();
  /// Another program holds the clipboard open (reads and writes fail) or lets it go.
  void SetLockedByOtherProgram(bool locked) { locked_ = locked; }

  WindowId FirstViewer() const { return first_viewer_; }
  bool WindowExists(WindowId window) const { return windows_.count(window.value) != 0; }
  int set_viewer_calls() const { return set_viewer_calls_; }
  int change_chain_calls() const { return change_chain_calls_; }
  /// How many times the text was read.
  int reads() const { return reads_; }

 private:
  void Deliver(WindowId to, const ChainMessage& message);
  void Changed();

  std::map<std::uintptr_t, ChainMessageHandler*> windows_;
  std::uintptr_t next_window_ = 0x100;
  WindowId first_viewer_;
  std::string text_;
  bool has_text_ = false;
  bool exclude_marker_ = false;
  bool locked_ = false;
  int set_viewer_calls_ = 0;
  int change_chain_calls_ = 0;
  int reads_ = 0;
};

/// Another program's viewer, written the way well-behaved viewers are: it forwards every
/// message to the viewer after it and follows chain changes.
class SimViewer final : public ChainMessageHandler {
 public:
  explicit SimViewer(SimClipboard& clipboard);
  ~SimViewer() override;
  /// Joins the chain; the viewer after it is whatever was first before.
  void Join();
  void Leave();

  int changes() const { return changes_; }
  WindowId window() const { return window_; }
  WindowId next() const { return next_; }

  void OnChainMessage(const ChainMessage& message) override;

 private:
  SimClipboard& clipboard_;
  WindowId window_;
  WindowId next_;
  bool joined_ = false;
  int changes_ = 0;
};

}  // namespace quib
