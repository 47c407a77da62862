// The clip list and the settings across start-up and shutdown: the files a start-up reads or
// creates, what a shutdown leaves on disk, failures reported to the host, and a process that
// stops in the middle of a save, after each file operation in turn.
#include <filesystem>
#include <string>
#include <vector>

#include "StoreTestSupport.h"
#include "TestSupport.h"
#include "store/SettingsFile.h"

namespace quib::test {
namespace {

using Op = FaultyFiles::Op;

class PluginPersistenceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HostRecorder::Commands().clear();
    OnProcessAttach(fs.desktop);
  }
  void TearDown() override {
    fs.files.Restart();
    PluginFunc_DoShutDown();
    OnUnload();
  }
  void Init() {
    PluginFunc_DoInit(folder.File("QuibVault.dll").c_str(), 7, 0, 0, 0, &HostRecorder::Callback);
  }
  /// The process ended (with or without a shutdown) and the host loads the library again.
  void Restart() {
    OnUnload();
    fs.files.Restart();
    HostRecorder::Commands().clear();
    boxes().clear();
    OnProcessAttach(fs.desktop);
  }
  void RemoveAllFiles() {
    for (const auto& entry : std::filesystem::directory_iterator(StdFiles::NativePath(folder.Path())))
      std::filesystem::remove_all(entry.path());
  }
  TSmartListView& list() { return AdvConfigForm->lvwClipboard; }
  /// The list a data file holds.
  TSmartListView Loaded(const std::string& path) {
    TSmartListView loaded(fs.sim.files, fs.sim.dialogs);
    loaded.LoadFromFile(path);
    return loaded;
  }
  std::vector<std::string>& commands() { return HostRecorder::Commands(); }
  std::vector<SimDialogs::Box>& boxes() { return fs.sim.dialogs.shown; }

  FaultyDesktop fs;
  TempFolder folder;
  std::string data = folder.File("quibvault_data.dat");
  std::string settings = folder.File("QuibVault_settings.cfg");
  const std::vector<Row> stored{{"first", {"09/01/2009", "notepad.exe"}, 0}, {"second", {}, -1}};
};

TEST_F(PluginPersistenceTest, StartUpWithoutADataFileCreatesAnEmptyOneAndLoadsIt) {
  Init();
  EXPECT_EQ(ReadFile(data), std::string("QLV\0\0", 5));
  EXPECT_TRUE(list().Empty());
  EXPECT_TRUE(boxes().empty());
  EXPECT_TRUE(commands().empty());
}

TEST_F(PluginPersistenceTest, StartUpLoadsTheSettingsAndTheDataFile) {
  WriteFile(data, EncodeDataFile(stored));
  WriteFile(settings, "[Information]\r\nFile Identification=QuibVault\r\n[Settings]\r\nQuib.MaxNumber=42\r\n"
                      "Quib.Vault.IsEnabled=1\r\n");
  Init();
  EXPECT_EQ(RowsOf(list()), stored);
  EXPECT_EQ(AdvConfigForm->txtMaxNumberClips.Text, "42");
  EXPECT_FALSE(AdvConfigForm->RecordingOn());
  EXPECT_FALSE(AdvConfigForm->ClipboardMonitor().Enabled());
  EXPECT_TRUE(commands().empty());
}

TEST_F(PluginPersistenceTest, ShutdownWritesTheListAndKeepsThePreviousFileAsTheBackup) {
  WriteFile(data, EncodeDataFile(stored));
  Init();
  std::vector<Row> now = stored;
  now.push_back({"third", {"12/11/2026", "Unknown"}});
  Fill(list(), now);
  EXPECT_EQ(PluginFunc_DoShutDown(), 1);
  EXPECT_EQ(ReadFile(data), EncodeDataFile(now));
  EXPECT_EQ(ReadFile(data + ".bak"), EncodeDataFile(stored));
  EXPECT_EQ(ReadFile(data + ".tmp"), "<missing>");
  EXPECT_EQ(ReadFile(settings), "<missing>") << "shutdown writes no settings";
  EXPECT_TRUE(commands().empty());
}

TEST_F(PluginPersistenceTest, AnInvalidDataFileIsReportedAndBecomesTheBackupAtShutdown) {
  WriteFile(data, "not a data file");
  Init();
  ASSERT_EQ(boxes().size(), 1u);
  EXPECT_EQ(boxes()[0].text, "The file \"quibvault_data.dat\" is not a valid QuibVault data file!");
  EXPECT_TRUE(list().Empty());
  Fill(list(), {{"recorded meanwhile"}});
  PluginFunc_DoShutDown();
  EXPECT_EQ(ReadFile(data), EncodeDataFile({{"recorded meanwhile"}}));
  EXPECT_EQ(ReadFile(data + ".bak"), "not a data file");
}

TEST_F(PluginPersistenceTest, ADataFileThatCannotBeReadIsReportedAsPluginStart) {
  WriteFile(data, EncodeDataFile(stored));
  fs.files.Fail(Op::kOpenRead);
  Init();
  EXPECT_EQ(commands(), std::vector<std::string>{"reporterror|PluginStart"});
  EXPECT_TRUE(list().Empty());
  EXPECT_EQ(ReadFile(data), EncodeDataFile(stored));
}

TEST_F(PluginPersistenceTest, AListThatCouldNotBeReadAtStartUpIsKeptAtShutdown) {
  WriteFile(data, EncodeDataFile(stored));
  fs.files.Fail(Op::kOpenRead);  // held by another program at start-up only
  Init();
  ASSERT_TRUE(list().Empty());
  Fill(list(), {{"second", {"d", "s"}, 0}, {"new this session", {"d", "s"}, 0}});
  PluginFunc_DoShutDown();
  const std::vector<Row> expected{stored[0], {"second", {"d", "s"}, 0}, {"new this session", {"d", "s"}, 0}};
  EXPECT_EQ(RowsOf(Loaded(data)), expected) << "stored entries first, this session's after them";

  // Two more runs: the stored entries are still there, not only in a backup that goes.
  for (int run = 0; run < 2; ++run) {
    Restart();
    Init();
    PluginFunc_DoShutDown();
  }
  EXPECT_EQ(RowsOf(Loaded(data)), expected);
}

TEST_F(PluginPersistenceTest, AFolderInPlaceOfTheDataFileIsReportedAsPluginStart) {
  std::filesystem::create_directory(StdFiles::NativePath(data));
  Init();
  EXPECT_EQ(commands(), std::vector<std::string>{"reporterror|PluginStart"});
  EXPECT_TRUE(boxes().empty());
}

TEST_F(PluginPersistenceTest, AShutdownSaveThatFailsIsReportedAndKeepsTheDataFile) {
  WriteFile(data, EncodeDataFile(stored));
  Init();
  Fill(list(), {{"unsaved"}});
  for (Op op : {Op::kCreate, Op::kWrite, Op::kReplace}) {
    fs.files.Restart();
    commands().clear();
    fs.files.Fail(op);
    EXPECT_EQ(PluginFunc_DoShutDown(), 1);
    EXPECT_EQ(commands(), std::vector<std::string>{"reporterror|PluginShutdown"});
    ASSERT_NE(AdvConfigForm, nullptr) << "the window and its list stay after a failed shutdown";
    EXPECT_EQ(ReadFile(data), EncodeDataFile(stored));
  }
}

TEST_F(PluginPersistenceTest, ShutdownWithoutStartUpWritesNoFile) {
  PluginFunc_DoShutDown();
  for (const std::string& entry : fs.files.log()) EXPECT_NE(entry.rfind("Create", 0), 0u) << entry;
  EXPECT_EQ(AdvConfigForm, nullptr);
}

class CrashDuringSaveTest : public PluginPersistenceTest,
                            public ::testing::WithParamInterface<std::vector<Row>> {};

TEST_P(CrashDuringSaveTest, TheNextStartLoadsTheNewListOrThePreviousOneComplete) {
  const std::vector<Row>& previous = GetParam();
  const std::vector<Row> fresh{{"new one", {"d", "a"}}, {"new two", {"d", "a"}, 4}, {std::string(40000, 'n')}, {std::string(40000, 'm')}};
  bool stopped = true;
  int operations = 0;
  for (int k = 1; stopped; ++k) {
    // A clean run leaves the previous list on disk.
    Restart();
    RemoveAllFiles();
    Init();
    Fill(list(), previous);
    PluginFunc_DoShutDown();
    // The next run records the new list and stops right after the kth file operation of
    // its shutdown save.
    Restart();
    Init();
    ASSERT_EQ(RowsOf(list()), previous);
    Fill(list(), fresh);
    fs.files.StopAfter(k);
    PluginFunc_DoShutDown();
    stopped = fs.files.stopped();
    operations = k;
    // The host starts the plugin again.
    Restart();
    Init();
    const std::vector<Row> loaded = RowsOf(list());
    EXPECT_TRUE(loaded == fresh || loaded == previous) << "stopped after operation " << k << ": "
                                                       << loaded.size() << " rows";
    if (!stopped) {
      EXPECT_EQ(loaded, fresh);
    }
    EXPECT_TRUE(boxes().empty()) << "stopped after operation " << k;
    EXPECT_TRUE(commands().empty()) << "stopped after operation " << k;
  }
  EXPECT_GT(operations, 8) << "the save should have been stopped at each of its steps";
}

INSTANTIATE_TEST_SUITE_P(Lists, CrashDuringSaveTest,
                         ::testing::Values(std::vector<Row>{},
                                           std::vector<Row>{{"previous", {"d", "a"}}, {"older", {}, 9}}),
                         [](const auto& info) { return std::string(info.param.empty() ? "FirstSave" : "LaterSave"); });

TEST_F(PluginPersistenceTest, ACrashDuringASettingsSaveLeavesTheNewSettingsOrThePreviousOnes) {
  bool stopped = true;
  for (int k = 1; stopped; ++k) {
    Restart();
    RemoveAllFiles();
    Init();
    AdvConfigForm->txtMaxNumberClips.Text = "11";
    ASSERT_TRUE(SaveSettings(*AdvConfigForm, Plugin().Folder()));
    AdvConfigForm->txtMaxNumberClips.Text = "22";
    fs.files.StopAfter(k);
    try {
      SaveSettings(*AdvConfigForm, Plugin().Folder());
    } catch (const ProcessStopped&) {
    }
    stopped = fs.files.stopped();
    Restart();
    Init();
    const std::string loaded = AdvConfigForm->txtMaxNumberClips.Text;
    EXPECT_TRUE(loaded == "11" || loaded == "22") << "stopped after operation " << k << ": " << loaded;
    if (!stopped) {
      EXPECT_EQ(loaded, "22");
    }
    EXPECT_TRUE(boxes().empty()) << "stopped after operation " << k;
  }
}

}  // namespace
}  // namespace quib::test
