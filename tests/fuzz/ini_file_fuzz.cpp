// Fuzzes the INI reader and writer: any document parses, serialises stably, and setting a
// key changes what that key reads and nothing else.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "MemoryFiles.h"
#include "store/IniFile.h"

using namespace quib;

namespace {

bool ReadsBackAsWritten(const std::string& value) {
  if (value.size() > kIniValueMax) return false;
  if (!value.empty() && (value.front() == ' ' || value.front() == '\t' || value.back() == ' ' ||
                         value.back() == '\t' || value.back() == '\r'))
    return false;
  const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                      value.back() == value.front();
  return !quoted;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string section = input.ConsumeRandomLengthString(24);
  const std::string key = input.ConsumeRandomLengthString(24);
  const std::string value = input.ConsumeRandomLengthString(2100);
  const std::string other_section = input.ConsumeRandomLengthString(24);
  const std::string other_key = input.ConsumeRandomLengthString(24);
  const std::string document = input.ConsumeRemainingBytesAsString();

  IniText text = IniText::Parse(document);
  for (const auto& [s, k] : {std::pair{section, key}, std::pair{other_section, other_key}})
    if (const auto found = text.Find(s, k)) {
      if (found->size() > kIniValueMax) fuzz::Violated("a value longer than a read gives");
      (void)ParseIniInteger(*found);
    }

  const std::string serialized = text.Serialize();
  if (IniText::Parse(serialized).Serialize() != serialized) fuzz::Violated("serialising is not stable");
  const auto other_before = IniText::Parse(serialized).Find(other_section, other_key);
  if (other_before != text.Find(other_section, other_key)) fuzz::Violated("a reparse changed a lookup");

  try {
    text.Set(section, key, value);
  } catch (const std::invalid_argument&) {
    if (text.Serialize() != serialized) fuzz::Violated("a refused edit changed the document");
    return 0;
  }
  const IniText reread = IniText::Parse(text.Serialize());
  const auto now = reread.Find(section, key);
  if (!now) fuzz::Violated("a key just set is not found");
  if (ReadsBackAsWritten(value) && *now != value) fuzz::Violated("a key just set reads another value");
  const bool same_key = IniText::Parse("[" + section + "]\n" + key + "=x\n").Find(other_section, other_key).has_value();
  if (!same_key && reread.Find(other_section, other_key) != other_before)
    fuzz::Violated("setting one key changed another");

  // The same through the file object, over memory.
  fuzz::MemoryFiles files;
  files.files["s.ini"] = document;
  {
    TIniFile ini(files, "s.ini");
    (void)ini.ReadInteger(section, key, 0);
    (void)ini.ReadBool(other_section, other_key, true);
    ini.WriteString(section, key, value);
  }
  if (files.files["s.ini"] != text.Serialize()) fuzz::Violated("the file differs from the document");
  return 0;
}
