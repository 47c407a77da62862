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
