// The link to the host: its command callback, its data word and the optional
// search-notification callback. Every request to the host goes through here.
#pragma once

#include <cstdint>
#include <string>

#if defined(_WIN32) && defined(__i386__)
#define QUIB_CDECL __attribute__((cdecl))
#else
#define QUIB_CDECL
#endif

namespace quib {

/// The host's command function: (host data word, command text, value).
using HostCallback = std::int32_t(QUIB_CDECL*)(std::int32_t host_data, const char* command,
                                               const char* value);
/// Called after each change of the result set: (host data word, result count, search state).
using SearchNotifyCallback = std::int32_t(QUIB_CDECL*)(std::int32_t host_data,
                                                       std::int32_t result_count,
                                                       std::int32_t search_state);

class HostLink {
 public:
  void Connect(std::int32_t host_data, HostCallback callback) {
    host_data_ = host_data;
    callback_ = callback;
  }
  void SetSearchNotify(SearchNotifyCallback callback) { notify_ = callback; }
  void Reset() { *this = HostLink(); }

  std::int32_t HostData() const { return host_data_; }
  HostCallback Callback() const { return callback_; }
  SearchNotifyCallback SearchNotify() const { return notify_; }

  /// Sends a command with a text value. Nothing is sent before the host has connected.
  void Send(const char* command, const std::string& value = std::string()) const;
  /// Sends a command whose value is a number passed in the place of the text pointer.
  void SendNumber(const char* command, std::intptr_t number) const;
  /// "reporterror", sent only when both the callback and the host data word are non-zero.
  void ReportError(const std::string& action_or_message) const;
  /// Tells the host that the result set changed, when it asked to be told.
  void NotifySearch(std::int32_t result_count, std::int32_t search_state) const;

 private:
  void Command(const char* command, const char* value) const;

  std::int32_t host_data_ = 0;
  HostCallback callback_ = nullptr;
  SearchNotifyCallback notify_ = nullptr;
};

}  // namespace quib
