// The simulated desktop's services.
#include "platform/sim/SimDesktop.h"

#include <cstddef>
#include <utility>

namespace quib {

bool SimProcesses::LoadLibraries() {
  ++load_libraries_calls;
  loaded_ = libraries_available;
  return loaded_;
}

void SimProcesses::FreeLibraries() noexcept {
  ++free_libraries_calls;
  loaded_ = false;
}

WindowId SimProcesses::AddWindow(std::uint32_t process_id, const std::string& path) {
  const WindowId window{next_window_++};
  window_process_[window.value] = process_id;
  executables_[process_id] = path;
  return window;
}

std::uint32_t SimProcesses::WindowProcessId(WindowId window) {
  const auto found = window_process_.find(window.value);
  return found == window_process_.end() ? 0 : found->second;
}

ProcessFileName SimProcesses::GetProcessFileName(std::uint32_t process_id,
                                                 bool full_path_preferred) {
  ++file_name_queries;
  if (uses_process_status) {
    if (!loaded_) return {false, "failed0"};
    if (entry_point_missing) return {false, "failed1"};
    if (process_list_unreadable) return {false, "failed2"};
  }
  const auto found = executables_.find(process_id);
  if (found == executables_.end()) return {};
  if (uses_process_status && unopenable.count(process_id)) return {};
  std::string text = found->second;
  if (uses_process_status && !full_path_preferred) {
    const std::size_t last = text.find_last_of('\\');
    if (last != std::string::npos) text.erase(0, last + 1);
  }
  if (text.size() > ProcessFileName::kMaxLength) text.resize(ProcessFileName::kMaxLength);
  return {true, std::move(text)};
}

bool SimSound::Play(std::string_view wave, bool loop) {
  played.push_back(Played{std::string(wave), loop});
  playing_ = wave.data();
  return true;
}

std::optional<std::string> SimSound::FindWaveResource(const std::string& name) {
  const auto found = resources.find(name);
  if (found == resources.end()) return std::nullopt;
  return found->second;
}

void SimSound::Stop() {
  ++stops;
  playing_ = nullptr;
}

int SimDialogs::ShowMessage(WindowId, const std::string& text, const std::string& caption,
                           unsigned flags) {
  shown.push_back(Box{text, caption, flags});
  if (while_open) while_open(shown.back());
  if (!answers.empty()) {
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
  return (flags & 0xF) == box::kYesNo ? box::kIdNo : box::kIdOk;
}

std::optional<std::string> SimDialogs::OpenFile(WindowId, const OpenFileRequest& request) {
  file_requests.push_back(request);
  if (file_choices.empty()) return std::nullopt;
  auto choice = file_choices.front();
  file_choices.pop_front();
  return choice;
}

void SimWindowing::ShowModal(TAdvConfigForm& form) {
  calls.push_back("ShowModal");
  visible_.insert(&form);
  if (while_modal) while_modal(form);
  visible_.erase(&form);
}

void SimWindowing::Show(TAdvConfigForm& form) {
  calls.push_back("Show");
  visible_.insert(&form);
}

void SimWindowing::Hide(TAdvConfigForm& form) {
  calls.push_back("Hide");
  visible_.erase(&form);
}

bool SimWindowing::IsVisible(const TAdvConfigForm& form) const { return visible_.count(&form) != 0; }

void SimWindowing::Release(TAdvConfigForm& form) {
  calls.push_back("Release");
  visible_.erase(&form);
}

}  // namespace quib
