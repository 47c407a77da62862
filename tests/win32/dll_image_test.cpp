// The DLL as a file: a 32-bit i386 image that exports the entry points under their
// underscore names and imports nothing but system DLLs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "Win32TestSupport.h"

namespace quib::wintest {
namespace {

/// Reads the export names and imported DLL names straight from the file, without loading it.
class PeImage {
 public:
  explicit PeImage(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    bytes_.assign(std::istreambuf_iterator<char>(file), {});
    const auto* dos = At<IMAGE_DOS_HEADER>(0);
    if (!dos || dos->e_magic != IMAGE_DOS_SIGNATURE) return;
    nt_ = At<IMAGE_NT_HEADERS32>(dos->e_lfanew);
  }

  const IMAGE_NT_HEADERS32* nt() const { return nt_; }

  std::set<std::string> ExportNames() const {
    std::set<std::string> names;
    const auto* directory = Directory<IMAGE_EXPORT_DIRECTORY>(IMAGE_DIRECTORY_ENTRY_EXPORT);
    if (!directory) return names;
    for (DWORD i = 0; i < directory->NumberOfNames; ++i) {
      const auto* name_rva = AtRva<DWORD>(directory->AddressOfNames + i * sizeof(DWORD));
      if (name_rva) names.insert(StringAt(*name_rva));
    }
    return names;
  }

  std::vector<std::string> ImportedDlls() const {
    std::vector<std::string> dlls;
    const auto* descriptor = Directory<IMAGE_IMPORT_DESCRIPTOR>(IMAGE_DIRECTORY_ENTRY_IMPORT);
    for (; descriptor && descriptor->Name; ++descriptor) dlls.push_back(StringAt(descriptor->Name));
    return dlls;
  }

 private:
  template <typename T>
  const T* At(std::size_t offset) const {
    return offset + sizeof(T) <= bytes_.size() ? reinterpret_cast<const T*>(&bytes_[offset]) : nullptr;
  }
  std::size_t OffsetOf(DWORD rva) const {
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt_);
    for (WORD i = 0; i < nt_->FileHeader.NumberOfSections; ++i, ++section)
      if (rva >= section->VirtualAddress && rva < section->VirtualAddress + section->SizeOfRawData)
        return rva - section->VirtualAddress + section->PointerToRawData;
    return bytes_.size();
  }
  template <typename T>
  const T* AtRva(DWORD rva) const { return At<T>(OffsetOf(rva)); }
  template <typename T>
  const T* Directory(int index) const {
    const DWORD rva = nt_->OptionalHeader.DataDirectory[index].VirtualAddress;
    return rva ? AtRva<T>(rva) : nullptr;
  }
  std::string StringAt(DWORD rva) const {
    const std::size_t offset = OffsetOf(rva);
    if (offset >= bytes_.size()) return {};
    return std::string(&bytes_[offset], strnlen(&bytes_[offset], bytes_.size() - offset));
  }

  std::vector<char> bytes_;
  const IMAGE_NT_HEADERS32* nt_ = nullptr;
};

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

TEST(DllImage, IsAThirtyTwoBitI386Dll) {
  const PeImage image(PluginPath());
  ASSERT_NE(image.nt(), nullptr) << PluginPath();
  EXPECT_EQ(image.nt()->Signature, IMAGE_NT_SIGNATURE);
  EXPECT_EQ(image.nt()->FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
  EXPECT_EQ(image.nt()->OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR32_MAGIC);
  EXPECT_TRUE(image.nt()->FileHeader.Characteristics & IMAGE_FILE_DLL);
}

TEST(DllImage, ExportsEveryEntryPointAndTheFormUnderUnderscoreNames) {
  const std::set<std::string> expected = {
      "_PluginFunc_DoInit",
      "_PluginFunc_DoShutDown",
      "_PluginFunc_GetStrVal",
      "_PluginFunc_SetStrVal",
      "_PluginFunc_SupportCheck",
      "_PluginFunc_SetState",
      "_PluginFunc_DoAdvConfig",
      "_PluginFunc_DoShowReadMe",
      "_PluginFunc_Inform_SearchBegins",
      "_PluginFunc_Inform_RegexSearchMatch",
      "_PluginFunc_Inform_SearchEnds",
      "_PluginFunc_Ask_WantFeature",
      "_PluginFunc_Ask_SearchState",
      "_PluginFunc_Ask_IsAnyResultAvailable",
      "_PluginFunc_Ask_HowManyItemResultsAreReady",
      "_PluginFunc_Request_LockResults",
      "_PluginFunc_Request_ItemResultByIndex",
      "_PluginFunc_Request_TextResultCharp",
      "_PluginFunc_Do_AdjustResultScore",
      "_PluginFunc_Inform_WindowIsHiding",
      "_PluginFunc_Inform_WindowIsUnHiding",
      "_PluginFunc_Allow_ProcessTrigger",
      "_AdvConfigForm"};
  const std::set<std::string> exported = PeImage(PluginPath()).ExportNames();
  for (const std::string& name : expected) EXPECT_TRUE(exported.count(name)) << name;
  for (const std::string& name : exported)
    EXPECT_TRUE(name.rfind("_PluginFunc_", 0) == 0 || name == "_AdvConfigForm")
        << "unexpected export " << name;
}

TEST(DllImage, ImportsOnlySystemDlls) {
  const std::set<std::string> system = {"kernel32.dll", "user32.dll",  "gdi32.dll",
                                        "comctl32.dll", "comdlg32.dll", "shell32.dll",
                                        "winmm.dll",    "advapi32.dll", "msvcrt.dll",
                                        "ole32.dll",    "oleaut32.dll", "version.dll"};
  const std::vector<std::string> imported = PeImage(PluginPath()).ImportedDlls();
  ASSERT_FALSE(imported.empty());
  for (const std::string& dll : imported) EXPECT_TRUE(system.count(Lower(dll))) << dll;
}

}  // namespace
}  // namespace quib::wintest
