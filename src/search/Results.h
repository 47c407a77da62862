// Result delivery: the fields of one result, built from the clip entry it names, and their
// copy into the host's buffers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quib {

class TAdvConfigForm;
struct PluginValues;

/// Texts longer than this are shortened in the caption.
inline constexpr std::size_t kCaptionMaxLength = 120;

/// The clip entry's text as a caption: past 120 characters, its first 120, "... (", the
/// length and ")".
std::string ResultCaption(std::string_view text);
/// "The total length of this quib is <length> characters."
std::string ResultDetails(std::size_t length);
/// Whether the caption looks like a web address: "://" first found at character 1 to 9
/// (counting from 1), or a start of exactly "www.".
bool LooksLikeWebAddress(std::string_view caption);

/// Copies text into a host buffer of max_length bytes: at most max_length - 1 characters,
/// then zero bytes up to max_length bytes in all. Writes nothing into a null buffer or
/// when max_length is 0 or less.
void CopyToHostBuffer(char* buffer, std::int32_t max_length, std::string_view text);

/// The host's buffers and pointers for one result; any of them may be null.
struct ResultBuffers {
  char* details = nullptr;
  char* caption = nullptr;
  char* group = nullptr;
  char* icon_path = nullptr;
  std::int32_t* data_value = nullptr;
  std::int32_t max_length = 0;
  std::int32_t* kind = nullptr;
  std::int32_t* flags = nullptr;
};

/// Fills the buffers with result number index, which names row n - 1 - index of the clip
/// list as it is now. False, with nothing written, when index names no clip entry.
bool FetchResult(const TAdvConfigForm& form, PluginValues& plugin, std::int32_t index,
                 const ResultBuffers& out);

}  // namespace quib
