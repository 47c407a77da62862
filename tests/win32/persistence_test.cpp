// Persistence with the real DLL: a prepared data file and settings file are loaded, and the
// shutdown save leaves the same list on disk with the previous file as its backup.
#include <gtest/gtest.h>

#include "Win32TestSupport.h"

namespace quib::wintest {
namespace {

const char kStoppedSettings[] =
    "[Information]\r\nFile Identification=QuibVault\r\nVersion=0.5.0.7\r\n"
    "[Settings]\r\nQuib.Vault.IsEnabled=1\r\nQuib.MaxNumber=100\r\nQuib.MaxLength=1000\r\n"
    "Quib.Use.CopyAndPaste=0\r\nQuib.Sound.Play=0\r\nQuib.Sound.WavFile=\r\nQuib.Date.Format=0\r\n";

using SearchBeginsFn = std::int32_t(__cdecl*)(std::intptr_t, const char*, std::int32_t);
using NoArgFn = std::int32_t(__cdecl*)();
using ItemResultFn = std::int32_t(__cdecl*)(std::int32_t, char*, char*, char*, char*,
                                            std::int32_t*, std::int32_t, std::int32_t*,
                                            std::intptr_t, std::int32_t*);

template <typename Fn>
Fn EntryOf(const LoadedPlugin& plugin, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(plugin.Entry(name)));
}

/// What the host sees of the loaded files: the information page, and the newest result.
void ExpectTheHostSeesThePreparedFiles(LoadedPlugin& plugin) {
  const auto search = EntryOf<SearchBeginsFn>(plugin, "_PluginFunc_Inform_SearchBegins");
  const auto count = EntryOf<NoArgFn>(plugin, "_PluginFunc_Ask_HowManyItemResultsAreReady");
  const auto fetch = EntryOf<ItemResultFn>(plugin, "_PluginFunc_Request_ItemResultByIndex");
  ASSERT_TRUE(search && count && fetch);

  HostCommands().clear();
  search(0, "`", 1);
  const std::string& page = HostCommands();
  EXPECT_NE(page.find(" QuibVault Recording = OFF\r\n"), std::string::npos) << page;
  EXPECT_NE(page.find(" Max Quibs = 100\r\n"), std::string::npos) << page;
  EXPECT_NE(page.find(" Total Quibs Saved = 3\r\n"), std::string::npos) << page;

  search(0, "", 1);
  ASSERT_EQ(count(), 3);
  char details[512], caption[512], group[512], icon[512];
  std::int32_t data = -1, kind = 0, flags = -1;
  ASSERT_EQ(fetch(0, details, caption, group, icon, &data, 512, &kind, 0, &flags), 1);
  EXPECT_STREQ(caption, "no sub-items");
  EXPECT_EQ(data, 2) << "result 0 is the newest row";
}

TEST(Persistence, APreparedListSurvivesAStartAndAShutdownByteForByte) {
  PluginFolder folder;
  const std::vector<StoredEntry> prepared = {
      {"Hello", 0, {"09/01/2009", "Unknown"}},
      {std::string("tab\there\r\nand \x80\xFF bytes"), -1, {"x", "y", "z"}},
      {"no sub-items", 7, {}},
  };
  const std::string bytes = DataFileBytes(prepared);
  folder.Write("quibvault_data.dat", bytes);
  folder.Write("QuibVault_settings.cfg", kStoppedSettings);
  {
    LoadedPlugin plugin(folder);
    plugin.DoInit();
    EXPECT_EQ(HostCommands(), "") << "a valid start reports nothing";
    ExpectTheHostSeesThePreparedFiles(plugin);
    plugin.DoShutDown();
  }
  EXPECT_EQ(folder.Read("quibvault_data.dat"), bytes);
  EXPECT_EQ(folder.Read("quibvault_data.dat.bak"), bytes);
  EXPECT_FALSE(folder.Exists("quibvault_data.dat.tmp"));
  EXPECT_EQ(folder.Read("QuibVault_settings.cfg"), kStoppedSettings) << "shutdown saves no settings";
}

TEST(Persistence, AFirstStartCreatesAnEmptyDataFile) {
  PluginFolder folder;
  {
    LoadedPlugin plugin(folder);
    plugin.DoInit();
    EXPECT_EQ(folder.Read("quibvault_data.dat"), std::string("QLV\0\0", 5));
    plugin.DoShutDown();
  }
  EXPECT_EQ(folder.Read("quibvault_data.dat"), std::string("QLV\0\0", 5));
}

TEST(Persistence, AStaleTemporaryFileIsReplacedAndNeverRead) {
  PluginFolder folder;
  const std::string bytes = DataFileBytes({{"kept", 0, {"d", "s"}}});
  folder.Write("quibvault_data.dat", bytes);
  folder.Write("quibvault_data.dat.tmp", "stale junk");
  folder.Write("QuibVault_settings.cfg", kStoppedSettings);
  {
    LoadedPlugin plugin(folder);
    plugin.DoInit();
    plugin.DoShutDown();
  }
  EXPECT_EQ(folder.Read("quibvault_data.dat"), bytes);
  EXPECT_FALSE(folder.Exists("quibvault_data.dat.tmp"));
}

}  // namespace
}  // namespace quib::wintest
