// INI files with the profile functions' rules for finding and writing keys.
#include "store/IniFile.h"

#include <stdexcept>

namespace quib {
namespace {

constexpr std::string_view kBlanks = " \t\r";

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

/// What one line is: a section header, a key line, or anything else (blank, no '=').
struct Line {
  enum Kind { kOther, kSection, kKey } kind = kOther;
  std::string_view name;
  std::string_view value;
};

Line Classify(std::string_view raw) {
  const std::string_view line = Trim(raw);
  if (line.empty()) return {};
  if (line.front() == '[') {
    const auto close = line.find(']', 1);
    return {Line::kSection, Trim(line.substr(1, close == std::string_view::npos ? close : close - 1)), {}};
  }
  const auto equals = line.find('=');
  if (equals == std::string_view::npos) return {};
  return {Line::kKey, Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
}

/// The value as a read gives it: up to a NUL, without one pair of enclosing quotes, cut to
/// the read buffer.
std::string ValueAsRead(std::string_view value) {
  value = Trim(value.substr(0, value.find('\0')));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return std::string(value.substr(0, kIniValueMax));
}

bool HoldsLineBreakOrNul(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

/// A name must stand on its line whole and read back as it was written.
void CheckName(std::string_view name, std::string_view forbidden, const char* what) {
  if (name.empty() || HoldsLineBreakOrNul(name) || name.find_first_of(forbidden) != std::string_view::npos ||
      Trim(name).size() != name.size())
    throw std::invalid_argument(std::string("An INI ") + what + " cannot be named \"" + std::string(name) + "\"");
}

int DigitValue(char c, bool hex) {
  if (c >= '0' && c <= '9') return c - '0';
  if (!hex) return -1;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<std::int32_t> ParseIniInteger(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  bool hex = false;
  if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i == text.size()) return std::nullopt;
  // Hexadecimal takes any 32-bit pattern; decimal stops at the magnitude of INT32_MIN.
  const std::uint64_t limit = hex ? 0xFFFFFFFFu : 0x80000000u;
  std::uint64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const int digit = DigitValue(text[i], hex);
    if (digit < 0) return std::nullopt;
    magnitude = magnitude * (hex ? 16 : 10) + static_cast<unsigned>(digit);
    if (magnitude > limit) return std::nullopt;
  }
  if (!hex && !negative && magnitude > 0x7FFFFFFFu) return std::nullopt;
  auto bits = static_cast<std::uint32_t>(magnitude);
  if (negative) bits = 0u - bits;
  return static_cast<std::int32_t>(bits);
}

IniText IniText::Parse(std::string_view bytes) {
  IniText text;
  std::size_t start = 0;
  while (start < bytes.size()) {
    auto end = bytes.find('\n', start);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view line = bytes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    text.lines_.emplace_back(line);
    start = end + 1;
  }
  return text;
}

std::optional<std::string> IniText::Find(std::string_view section, std::string_view key) const {
  bool inside = false;
  for (const std::string& raw : lines_) {
    const Line line = Classify(raw);
    if (line.kind == Line::kSection) {
      if (inside) break;  // only the first section of that name counts
      inside = EqualsNoCase(line.name, section);
    } else if (inside && line.kind == Line::kKey && EqualsNoCase(line.name, key)) {
      return ValueAsRead(line.value);
    }
  }
  return std::nullopt;
}

void IniText::Set(std::string_view section, std::string_view key, std::string_view value) {
  CheckName(section, "]", "section");
  CheckName(key, "=", "key");
  if (key.front() == '[') throw std::invalid_argument("An INI key cannot start with [");
  if (HoldsLineBreakOrNul(value))
    throw std::invalid_argument("The value of INI key \"" + std::string(key) + "\" holds a line break");
  const std::string key_line = std::string(key) + "=" + std::string(value);

  std::optional<std::size_t> header;
  std::size_t end = lines_.size();
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const Line line = Classify(lines_[i]);
    if (line.kind == Line::kSection) {
      if (header) {
        end = i;
        break;
      }
      if (EqualsNoCase(line.name, section)) header = i;
    } else if (header && line.kind == Line::kKey && EqualsNoCase(line.name, key)) {
      lines_[i] = key_line;
      return;
    }
  }
  if (!header) {
    if (!lines_.empty() && !Trim(lines_.back()).empty()) lines_.emplace_back();
    std::string header = "[";
    header.append(section).append("]");
    lines_.push_back(std::move(header));
    lines_.push_back(key_line);
    return;
  }
  // After the section's last line, before the blank lines that part it from the next one.
  std::size_t at = end;
  while (at > *header + 1 && Trim(lines_[at - 1]).empty()) --at;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), key_line);
}

std::string IniText::Serialize() const {
  std::string bytes;
  for (const std::string& line : lines_) {
    bytes += line;
    bytes += "\r\n";
  }
  return bytes;
}

TIniFile::TIniFile(Files& files, std::string file_name) : files_(files), file_name_(std::move(file_name)) {
  if (!files_.FileExists(file_name_)) return;
  text_ = IniText::Parse(ReadAll(*files_.OpenRead(file_name_)));
}

TIniFile::~TIniFile() {
  try {
    UpdateFile();
  } catch (...) {
    // Callers that need to know call UpdateFile themselves.
  }
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 const std::string& default_value) const {
  return text_.Find(section, key).value_or(default_value);
}

std::int32_t TIniFile::ReadInteger(std::string_view section, std::string_view key,
                                   std::int32_t default_value) const {
  const auto value = text_.Find(section, key);
  if (!value) return default_value;
  return ParseIniInteger(*value).value_or(default_value);
}

bool TIniFile::ReadBool(std::string_view section, std::string_view key, bool default_value) const {
  return ReadInteger(section, key, default_value ? 1 : 0) != 0;
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  text_.Set(section, key, value);
  changed_ = true;
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
  WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void TIniFile::UpdateFile() {
  if (!changed_) return;
  // Whatever happens below, the change is not written twice.
  changed_ = false;
  const std::string bytes = text_.Serialize();
  std::unique_ptr<OutputFile> file = files_.Create(file_name_);
  file->Write(bytes.data(), bytes.size());
  file->Commit();
}

}  // namespace quib
