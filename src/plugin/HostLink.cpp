// The link to the host.
#include "plugin/HostLink.h"

namespace quib {

void HostLink::Command(const char* command, const char* value) const {
  if (callback_) callback_(host_data_, command, value);
}

void HostLink::Send(const char* command, const std::string& value) const {
  Command(command, value.c_str());
}

void HostLink::SendNumber(const char* command, std::intptr_t number) const {
  Command(command, reinterpret_cast<const char*>(number));
}

void HostLink::ReportError(const std::string& action_or_message) const {
  if (callback_ && host_data_ != 0) Command("reporterror", action_or_message.c_str());
}

void HostLink::NotifySearch(std::int32_t result_count, std::int32_t search_state) const {
  if (notify_) notify_(host_data_, result_count, search_state);
}

}  // namespace quib
