// The simulated clipboard and its viewer chain.
#include "platform/sim/SimClipboard.h"

#include <algorithm>

namespace quib {

std::optional<std::size_t> SimClipboard::TextSize() {
  if (locked_ || !has_text_) return std::nullopt;
  return std::min(text_.find('\0'), text_.size());
}

std::string SimClipboard::GetText(std::size_t limit) {
  ++reads_;
  if (locked_) throw PlatformError("Cannot open clipboard");
  if (!has_text_) return std::string();
  // Like the platform's text format, the text ends at its first NUL byte.
  const std::string_view text(text_.data(), std::min(text_.find('\0'), text_.size()));
  return std::string(text.substr(0, limit));
}

void SimClipboard::SetText(std::string_view text) {
  if (locked_) throw PlatformError("Cannot open clipboard");
  text_.assign(text);
  has_text_ = true;
  exclude_marker_ = false;
  Changed();
}

void SimClipboard::CopyFromOtherProgram(std::string_view text, bool exclude_marker) {
  text_.assign(text);
  has_text_ = true;
  exclude_marker_ = exclude_marker;
  Changed();
}

void SimClipboard::CopyNonText() {
  text_.clear();
  has_text_ = false;
  exclude_marker_ = false;
  Changed();
}

void SimClipboard::Changed() {
  if (first_viewer_) Deliver(first_viewer_, ChainMessage{});
}

WindowId SimClipboard::CreateMessageWindow(ChainMessageHandler& handler) {
  const WindowId window{next_window_++};
  windows_[window.value] = &handler;
  return window;
}

void SimClipboard::DestroyMessageWindow(WindowId window) {
  windows_.erase(window.value);
  // NOTE: like the real desktop, a destroyed first viewer leaves the chain broken behind it.
  if (first_viewer_ == window) first_viewer_ = WindowId{};
}

WindowId SimClipboard::SetClipboardViewer(WindowId window) {
  ++set_viewer_calls_;
  const WindowId previous = first_viewer_;
  first_viewer_ = window;
  Deliver(window, ChainMessage{});
  return previous;
}

void SimClipboard::ChangeClipboardChain(WindowId leaving, WindowId next) {
  ++change_chain_calls_;
  if (first_viewer_ == leaving) {
    first_viewer_ = next;
    return;
  }
  if (first_viewer_)
    Deliver(first_viewer_, ChainMessage{ChainMessage::Kind::ChangeChain, leaving.value,
                                        static_cast<std::intptr_t>(next.value)});
}

void SimClipboard::Forward(WindowId to, const ChainMessage& message) { Deliver(to, message); }

void SimClipboard::Deliver(WindowId to, const ChainMessage& message) {
  const auto found = windows_.find(to.value);
  if (found != windows_.end()) found->second->OnChainMessage(message);
}

SimViewer::SimViewer(SimClipboard& clipboard)
    : clipboard_(clipboard), window_(clipboard.CreateMessageWindow(*this)) {}

SimViewer::~SimViewer() {
  Leave();
  clipboard_.DestroyMessageWindow(window_);
}

void SimViewer::Join() {
  if (joined_) return;
  joined_ = true;
  next_ = clipboard_.SetClipboardViewer(window_);
}

void SimViewer::Leave() {
  if (!joined_) return;
  joined_ = false;
  clipboard_.ChangeClipboardChain(window_, next_);
}

void SimViewer::OnChainMessage(const ChainMessage& message) {
  if (message.kind == ChainMessage::Kind::DrawClipboard) {
    ++changes_;
    if (next_) clipboard_.Forward(next_, message);
  } else if (WindowId{message.first} == next_) {
    next_ = WindowId{static_cast<std::uintptr_t>(message.second)};
  } else if (next_) {
    clipboard_.Forward(next_, message);
  }
}

}  // namespace quib
