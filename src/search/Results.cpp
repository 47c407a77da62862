// Result delivery.
#include "search/Results.h"

#include <cstring>

#include "plugin/Plugin.h"
#include "ui/AdvConfigFormUnit.h"

namespace quib {

std::string ResultCaption(std::string_view text) {
  if (text.size() <= kCaptionMaxLength) return std::string(text);
  std::string caption(text.substr(0, kCaptionMaxLength));
  caption += "... (";
  caption += std::to_string(text.size());
  caption += ')';
  return caption;
}

std::string ResultDetails(std::size_t length) {
  return "The total length of this quib is " + std::to_string(length) + " characters.";
}

bool LooksLikeWebAddress(std::string_view caption) {
  constexpr std::size_t kLastSchemeEnd = 8;  // character 9, counting from 1
  const std::size_t scheme_end = caption.find("://");
  if (scheme_end != std::string_view::npos && scheme_end <= kLastSchemeEnd) return true;
  return caption.substr(0, 4) == "www.";
}

void CopyToHostBuffer(char* buffer, std::int32_t max_length, std::string_view text) {
  if (!buffer || max_length <= 0) return;
  const auto size = static_cast<std::size_t>(max_length);
  const std::size_t copied = text.size() < size ? text.size() : size - 1;
  std::memcpy(buffer, text.data(), copied);
  std::memset(buffer + copied, 0, size - copied);
}

bool FetchResult(const TAdvConfigForm& form, PluginValues& plugin, std::int32_t index,
                 const ResultBuffers& out) {
  const TSmartListView& list = form.lvwClipboard;
  if (index < 0 || static_cast<std::size_t>(index) >= list.Count()) return false;
  const std::size_t row = list.Count() - 1 - static_cast<std::size_t>(index);
  const std::string& text = list.Item(row).Caption;

  ResultState& results = plugin.results;
  results.caption = ResultCaption(text);
  results.details = ResultDetails(text.size());

  if (out.data_value) *out.data_value = static_cast<std::int32_t>(row);
  if (out.kind) *out.kind = 2;
  if (out.flags) *out.flags = 0;
  CopyToHostBuffer(out.details, out.max_length, results.details);
  CopyToHostBuffer(out.caption, out.max_length, results.caption);
  CopyToHostBuffer(out.group, out.max_length, "QuibVault");
  CopyToHostBuffer(out.icon_path, out.max_length,
                   LooksLikeWebAddress(results.caption) ? plugin.link_icon_path
                                                        : plugin.normal_icon_path);
  return true;
}

}  // namespace quib
