// The plugin boundary: start-up paths, descriptive values, optional values, the interface
// check, shutdown and the configuration and readme requests.
#include <cstring>
#include <string>

#include "TestSupport.h"
#include "platform/sim/FaultyFiles.h"

namespace quib::test {
namespace {

using PluginEntryTest = PluginTest;

TEST_F(PluginEntryTest, AttachCreatesTheFormAndShutdownEmptiesIt) {
  ASSERT_NE(AdvConfigForm, nullptr);
  Init();
  EXPECT_EQ(PluginFunc_DoShutDown(), 1);
  EXPECT_EQ(AdvConfigForm, nullptr);
}

TEST_F(PluginEntryTest, SecondShutdownReturnsOneAndDoesNothing) {
  Init();
  PluginFunc_DoShutDown();
  const int leaves = sim.clipboard.change_chain_calls();
  EXPECT_EQ(PluginFunc_DoShutDown(), 1);
  EXPECT_EQ(sim.clipboard.change_chain_calls(), leaves);
  EXPECT_TRUE(commands().empty());
}

TEST_F(PluginEntryTest, ShutdownTakesTheMonitorOutOfTheChain) {
  SimViewer other(sim.clipboard);
  other.Join();
  Init();
  const WindowId monitor = AdvConfigForm->ClipboardMonitor().MessageWindow();
  ASSERT_EQ(sim.clipboard.FirstViewer(), other.window());  // it joined after the monitor
  PluginFunc_DoShutDown();
  EXPECT_FALSE(sim.clipboard.WindowExists(monitor));
  const int before = other.changes();
  sim.clipboard.CopyFromOtherProgram("after shutdown");
  EXPECT_EQ(other.changes(), before + 1);
}

struct PathCase {
  const char* name;
  std::string argument;
  std::string folder;
};

class PluginFolderTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(PluginFolderTest, DerivesTheFolderAndPaths) {
  const PathCase& c = GetParam();
  SimDesktop sim;
  // Only the paths are under test: the disk refuses everything, so no file is made there.
  FaultyFiles files(sim.files);
  files.FailAt(1, /*persistent=*/true);
  Desktop desktop{sim.clipboard, sim.clipboard, sim.processes, sim.sound, sim.dialogs,
                  files,         sim.clock,     sim.shell,     sim.windowing};
  OnProcessAttach(desktop);
  PluginFunc_DoInit(c.argument.c_str(), 1, 0, 0, 0, nullptr);
  const PluginValues& plugin = Plugin();
  EXPECT_EQ(plugin.Folder(), c.folder);
  EXPECT_EQ(plugin.normal_icon_path, c.folder + "QuibVaultNormal.ico");
  EXPECT_EQ(plugin.link_icon_path, c.folder + "QuibVaultUrl.ico");
  EXPECT_EQ(plugin.data_file_path, c.folder + "quibvault_data.dat");
  PluginFunc_DoShutDown();
  OnUnload();
}

const std::string kLong(300, 'a');

INSTANTIATE_TEST_SUITE_P(
    Paths, PluginFolderTest,
    ::testing::Values(
        PathCase{"FileInFolder", "C:\\Launcher\\Plugins\\QuibVault\\QuibVault.dll",
                 "C:\\Launcher\\Plugins\\QuibVault\\"},
        PathCase{"FolderWithTrailingBackslash", "C:\\Plugins\\", "C:\\Plugins\\"},
        PathCase{"NoBackslashStaysWhole", "QuibVault", "QuibVault"},
        PathCase{"Empty", "", ""},
        PathCase{"SlashesAreNotSeparators", "C:/a/b.dll", "C:/a/b.dll"},
        PathCase{"LongestThatFits", std::string(254, 'b') + "\\tail",
                 std::string(254, 'b') + "\\"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PluginFolder, NullPathGivesAnEmptyFolder) {
  EXPECT_STREQ(PluginFolderFrom(nullptr).data(), "");
}

TEST(PluginFolder, NeverReadsPastTheBufferSizeOfTheArgument) {
  // 260 bytes without a terminator: reading stops inside them, and they do not fit.
  char unterminated[kPluginFolderSize];
  std::memset(unterminated, 'z', sizeof unterminated);
  EXPECT_FALSE(FitsPluginFolder(unterminated));
  EXPECT_STREQ(PluginFolderFrom(unterminated).data(), "");
}

TEST_F(PluginEntryTest, APathTooLongForTheFolderBufferStartsNothingAndWritesNothing) {
  // Cut to the buffer, this path would name C:\ instead of the plug-in's folder.
  for (const std::string& path : {"C:\\" + kLong + "\\x.dll", std::string(260, 'a')}) {
    commands().clear();
    PluginFunc_DoInit(path.c_str(), 7, 0, 0, 0, &HostRecorder::Callback);
    EXPECT_EQ(Plugin().Folder(), "");
    EXPECT_EQ(Plugin().data_file_path, "");
    EXPECT_EQ(commands(), std::vector<std::string>{"reporterror|PluginStart"});
  }
  EXPECT_EQ(PluginFunc_DoShowReadMe(), 1);
  EXPECT_TRUE(sim.shell.opened.empty());
  EXPECT_EQ(PluginFunc_DoShutDown(), 1);
  EXPECT_EQ(AdvConfigForm, nullptr);
}

struct KeyCase {
  const char* key;
  const char* answer;
};

class DescriptiveValueTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(DescriptiveValueTest, AnswersTheWholeText) {
  char buffer[512];
  std::memset(buffer, '#', sizeof buffer);
  ASSERT_EQ(PluginFunc_GetStrVal(GetParam().key, buffer, 4), 1);
  EXPECT_STREQ(buffer, GetParam().answer);
  EXPECT_EQ(buffer[std::strlen(GetParam().answer) + 1], '#') << "wrote past the terminator";
}

INSTANTIATE_TEST_SUITE_P(
    Keys, DescriptiveValueTest,
    ::testing::Values(
        KeyCase{"displayname", "QuibVault"}, KeyCase{"versionstring", "0.5.0.7"},
        KeyCase{"releasedatestring", "Sept 25th, 2009"}, KeyCase{"author", "QuibVault developers"},
        KeyCase{"updateurl", ""}, KeyCase{"homepageurl", "https://quibvault.example.org/"},
        KeyCase{"shortdescription", "Tracks all text copied to clipboard for search and retrieval."},
        KeyCase{"longdescription",
                "QuibVault monitors the clipboard and keeps track of all text items copied to it.  "
                "Activate the plugin to search past items and quickly recopy to clipboard."},
        KeyCase{"advconfigstring", "Configuration"}, KeyCase{"readmestring", "View Readme"},
        KeyCase{"iconfilename", "QuibVaultNormal.ico"}, KeyCase{"regexstr", ""},
        KeyCase{"regexfilterstr", ""}, KeyCase{"keywordstr", ""}, KeyCase{"scorestr", "1000"},
        KeyCase{"aliasstr", "qv"}),
    [](const auto& info) { return std::string(info.param.key); });

TEST(DescriptiveValues, UnknownKeysAnswerZeroAndLeaveTheBufferUntouched) {
  for (const char* key : {"DisplayName", "aliasstr ", "", "alias", "ALIASSTR"}) {
    char buffer[8] = "intact";
    EXPECT_EQ(PluginFunc_GetStrVal(key, buffer, 8), 0) << key;
    EXPECT_STREQ(buffer, "intact") << key;
  }
}

TEST(DescriptiveValues, NullKeyOrBufferAnswersZero) {
  char buffer[8] = "intact";
  EXPECT_EQ(PluginFunc_GetStrVal(nullptr, buffer, 8), 0);
  EXPECT_STREQ(buffer, "intact");
  EXPECT_EQ(PluginFunc_GetStrVal("aliasstr", nullptr, 8), 0);
}

TEST(InterfaceCheck, OnlyTheExactNameIsSupported) {
  EXPECT_EQ(PluginFunc_SupportCheck("vorpapi", 0), 1);
  for (const char* name : {"VORPAPI", "Vorpapi", "vorpapi ", " vorpapi", "vorp", ""})
    EXPECT_EQ(PluginFunc_SupportCheck(name, 0), 0) << '"' << name << '"';
  EXPECT_EQ(PluginFunc_SupportCheck(nullptr, 0), 0);
}

TEST(PluginState, SetStateAnswersOne) { EXPECT_EQ(PluginFunc_SetState(12345), 1); }

std::int32_t QUIB_CDECL NotifyStub(std::int32_t, std::int32_t, std::int32_t) { return 0; }

TEST_F(PluginEntryTest, SetStrValTakesTheNotificationCallbackAndAnswersZero) {
  EXPECT_EQ(PluginFunc_SetStrVal("notifysearchcallback", reinterpret_cast<void*>(&NotifyStub)), 0);
  EXPECT_EQ(Plugin().host.SearchNotify(), &NotifyStub);
  EXPECT_EQ(PluginFunc_SetStrVal("NotifySearchCallback", nullptr), 0);
  EXPECT_EQ(PluginFunc_SetStrVal(nullptr, nullptr), 0);
  EXPECT_EQ(Plugin().host.SearchNotify(), &NotifyStub) << "other keys are ignored";
  EXPECT_EQ(PluginFunc_SetStrVal("notifysearchcallback", nullptr), 0);
  EXPECT_EQ(Plugin().host.SearchNotify(), nullptr) << "a null value switches notifications off";
}

TEST_F(PluginEntryTest, StartUpWithoutAWindowReportsPluginStart) {
  Init();
  PluginFunc_DoShutDown();
  commands().clear();
  Init();
  EXPECT_EQ(commands(), std::vector<std::string>{"reporterror|PluginStart"});
  EXPECT_EQ(Plugin().data_file_path, folder.File("quibvault_data.dat")) << "steps before the failure stay";
}

TEST_F(PluginEntryTest, StartUpClearsSuppressCapture) {
  AdvConfigForm->SuppressCapture = true;
  Init();
  EXPECT_FALSE(AdvConfigForm->SuppressCapture);
  EXPECT_TRUE(commands().empty());
}

TEST_F(PluginEntryTest, ConfigurationAfterShutdownCreatesAFreshWindowAndShowsItModally) {
  Init();
  AdvConfigForm->txtMaxNumberClips.Text = "50";
  PluginFunc_DoShutDown();
  bool shown_with_creation_values = false;
  sim.windowing.while_modal = [&](TAdvConfigForm& form) {
    shown_with_creation_values = form.txtMaxNumberClips.Text.empty() && form.lvwClipboard.Empty() &&
                                 form.cmdStart.Enabled && form.cmdStop.Enabled;
  };
  EXPECT_EQ(PluginFunc_DoAdvConfig(), 1);
  ASSERT_NE(AdvConfigForm, nullptr);
  EXPECT_TRUE(shown_with_creation_values);
  EXPECT_FALSE(AdvConfigForm->Visible()) << "returns after the window has closed";
}

TEST_F(PluginEntryTest, ReadmeOpensTheFileBesideTheLibrary) {
  Init();
  EXPECT_EQ(PluginFunc_DoShowReadMe(), 1);
  EXPECT_EQ(sim.shell.opened, std::vector<std::string>{folder.Path() + "\\readme.html"});
}

}  // namespace
}  // namespace quib::test
