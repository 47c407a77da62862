// INI files read and written in the manner of the Windows profile functions: sections and
// keys found without regard to letter case and in any order, values trimmed of blanks and
// of one pair of enclosing quotes, read up to 2047 characters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace quib {

/// The longest value a read gives, as a profile read into a buffer of 2048 bytes does.
inline constexpr std::size_t kIniValueMax = 2047;

/// An integer as an INI value holds it: leading blanks, an optional sign, then decimal
/// digits, or hexadecimal digits after $, x, X, 0x or 0X (up to 32 bits, taken as two's
/// complement). nullopt when the text does not read as a 32-bit integer that way.
std::optional<std::int32_t> ParseIniInteger(std::string_view text);

/// The lines of an INI file. Edits change only the lines they concern; every other line,
/// blank lines and unknown keys included, is kept as it was.
class IniText {
 public:
  IniText() = default;
  /// Splits bytes into lines at LF; a CR before the LF is dropped.
  static IniText Parse(std::string_view bytes);

  /// The value of key in the first section named section, or nullopt when there is none.
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;
  /// Sets key in the first section named section: rewrites its line, or adds the line after
  /// the section's last one, or adds the section at the end. Throws std::invalid_argument
  /// for a name or value that one line cannot hold.
  void Set(std::string_view section, std::string_view key, std::string_view value);
  /// The lines, each ended by CR LF.
  std::string Serialize() const;

 private:
  std::vector<std::string> lines_;
};

/// An INI file on disk. The file is read when the object is made; writes change the lines
/// in memory and reach the disk through UpdateFile or, failing that, the destructor.
class TIniFile {
 public:
  /// Reads file_name when a file exists there. Throws PlatformError when it cannot be read.
  TIniFile(Files& files, std::string file_name);
  /// Writes pending changes; a failure is dropped, as nothing can be reported here.
  ~TIniFile();
  TIniFile(const TIniFile&) = delete;
  TIniFile& operator=(const TIniFile&) = delete;

  const std::string& FileName() const { return file_name_; }

  std::string ReadString(std::string_view section, std::string_view key,
                         const std::string& default_value) const;
  std::int32_t ReadInteger(std::string_view section, std::string_view key,
                           std::int32_t default_value) const;
  /// Any integer other than 0 is true; a value that is no integer gives the default.
  bool ReadBool(std::string_view section, std::string_view key, bool default_value) const;

  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
  /// Written as "1" or "0".
  void WriteBool(std::string_view section, std::string_view key, bool value);

  /// Writes the changed file and flushes it to the disk. Throws PlatformError, a short
  /// write included.
  void UpdateFile();

 private:
  Files& files_;
  std::string file_name_;
  IniText text_;
  bool changed_ = false;
};

}  // namespace quib
