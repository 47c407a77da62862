// The source-application lookup: which window, whether to search again, and which names
// count as no source at all.
#include "capture/SourceApplication.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ui/AdvConfigFormUnit.h"

namespace quib {
namespace {

/// The plugin itself and the desktop shell are never a clip's source.
constexpr std::array<std::string_view, 3> kNotASource = {"QuibVault.dll", "Explorer.EXE",
                                                         "explorer.exe"};

/// The longest path text the finder's buffer gives.
constexpr std::size_t kMaxPathLength = 1024;

/// The part of path after its last "\" or ":"; the whole path when it has neither.
std::string_view ExecutableName(std::string_view path) {
  const std::size_t last = path.find_last_of("\\:");
  return last == std::string_view::npos ? path : path.substr(last + 1);
}

std::optional<std::string> Resolve(TAdvConfigForm& form, WindowId window) {
  if (!window) return std::nullopt;
  const std::uint32_t process_id = form.desktop().processes.WindowProcessId(window);
  std::string path;
  form.ProcessFinder.GetProcessFileName(process_id, path, /*full_path_preferred=*/true);
  if (path.size() > kMaxPathLength) path.resize(kMaxPathLength);
  if (path.empty()) return std::nullopt;
  const std::string_view name = ExecutableName(path);
  for (std::string_view excluded : kNotASource)
    if (name == excluded) return std::nullopt;
  form.LastSourceWindow = window;
  return std::string(name);
}

}  // namespace

void LookUpSourceApplication(TAdvConfigForm& form) {
  const WindowId window = form.desktop().processes.ForegroundWindow();
  // Copies in the form itself keep the source they had. Until the form has a window of
  // its own, a missing foreground window is not mistaken for it.
  const WindowId own = form.desktop().windowing.Handle(form);
  if (own && window == own) return;
  // The same window as last time has the same source: no need to search again.
  if (window == form.LastSourceWindow) return;
  form.SourceApplication = Resolve(form, window).value_or("Unknown");
}

}  // namespace quib
