// The clip list model and its data file: the byte format, invalid and truncated files, the
// 16-bit limits, read and write failures, and the shutdown save with its backup.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "StoreTestSupport.h"
#include "TestSupport.h"

namespace quib::test {
namespace {

using Op = FaultyFiles::Op;

const Row kHello{"Hello", {"09/01/2009", "Unknown"}, 0};

class DataFileTest : public ::testing::Test {
 protected:
  /// The list as the window sets it up, over the faulty files (which do nothing unless told).
  TSmartListView NewList() {
    TSmartListView list(fs.files, fs.sim.dialogs);
    list.Msg1 = "The file \"%s\" does not exist!";
    list.Msg2 = "The file \"%s\" is not a valid QuibVault data file!";
    return list;
  }
  std::vector<SimDialogs::Box>& boxes() { return fs.sim.dialogs.shown; }

  FaultyDesktop fs;
  TempFolder folder;
  std::string path = folder.File("quibvault_data.dat");
  TSmartListView list = NewList();
};

TEST(ClipList, AppendDeleteAndClearKeepTheOrder) {
  TSmartListView list;
  for (const char* text : {"a", "b", "c", "d"}) list.Add().Caption = text;
  EXPECT_EQ(list.Item(3).ImageIndex, 0);
  EXPECT_TRUE(list.Item(3).SubItems.empty());
  list.Delete(1);
  ASSERT_EQ(list.Count(), 3u);
  EXPECT_EQ(list.Item(0).Caption + list.Item(1).Caption + list.Item(2).Caption, "acd");
  EXPECT_THROW(list.Delete(3), std::out_of_range);
  list.Clear();
  EXPECT_TRUE(list.Empty());
}

TEST(ClipList, SelectionGivesTheFirstSelectedAndTheCount) {
  TSmartListView list;
  for (int i = 0; i < 5; ++i) list.Add();
  EXPECT_EQ(list.FirstSelected(), std::nullopt);
  list.SetSelected(3, true);
  list.SetSelected(1, true);
  EXPECT_EQ(list.FirstSelected(), 1u);
  EXPECT_EQ(list.SelectedCount(), 2u);
  list.Delete(1);
  EXPECT_EQ(list.FirstSelected(), 2u) << "the selection moves with its entry";
}

TEST_F(DataFileTest, EmptyListSavesAsFiveBytesAndLoadsWithoutAMessage) {
  list.SaveToFile(path);
  EXPECT_EQ(ReadFile(path), std::string("QLV\0\0", 5));
  list.Add().Caption = "replaced";
  list.LoadFromFile(path);
  EXPECT_TRUE(list.Empty());
  EXPECT_TRUE(boxes().empty());
}

TEST_F(DataFileTest, ExampleEntrySavesAsTheThirtyNineBytesAndLoadsBack) {
  const std::string example(
      "\x51\x4C\x56\x01\x00\x02\x00\x00\x00\x00\x00\x05\x00\x48\x65\x6C\x6C\x6F\x0A\x00"
      "\x30\x39\x2F\x30\x31\x2F\x32\x30\x30\x39\x07\x00\x55\x6E\x6B\x6E\x6F\x77\x6E",
      39);
  Fill(list, {kHello});
  list.SaveToFile(path);
  EXPECT_EQ(ReadFile(path), example);

  TSmartListView loaded = NewList();
  loaded.LoadFromFile(path);
  EXPECT_EQ(RowsOf(loaded), std::vector<Row>{kHello});
  EXPECT_TRUE(boxes().empty());
}

std::string AllBytesButNul() {
  std::string bytes;
  for (int b = 1; b < 256; ++b) bytes += static_cast<char>(b);
  return bytes;
}

struct RoundTripCase {
  const char* name;
  std::vector<Row> rows;
};

class DataFileRoundTripTest : public DataFileTest, public ::testing::WithParamInterface<RoundTripCase> {};

TEST_P(DataFileRoundTripTest, SavesTheFormatAndLoadsEveryByteBack) {
  Fill(list, GetParam().rows);
  list.SaveToFile(path);
  EXPECT_EQ(ReadFile(path), EncodeDataFile(GetParam().rows));
  TSmartListView loaded = NewList();
  loaded.LoadFromFile(path);
  EXPECT_EQ(RowsOf(loaded), GetParam().rows);
  EXPECT_TRUE(boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DataFileRoundTripTest,
    ::testing::Values(
        RoundTripCase{"LineBreaksAndTabs", {{"one\r\ntwo\nthree\rfour\tfive", {"a\tb", "c\r\n"}}}},
        RoundTripCase{"EveryByteButNul", {{AllBytesButNul(), {AllBytesButNul(), "\x80\xFF"}}}},
        RoundTripCase{"NoSubItems", {{"bare", {}}}},
        RoundTripCase{"ThreeSubItemsInOrder", {{"more", {"first", "second", "third"}}}},
        RoundTripCase{"ImageIndexMinusOne", {{"i", {"d", "a"}, -1}}},
        RoundTripCase{"ImageIndexSeven", {{"i", {"d", "a"}, 7}}},
        RoundTripCase{"ImageIndexExtremes", {{"lo", {}, INT32_MIN}, {"hi", {}, INT32_MAX}}},
        RoundTripCase{"EmptyTextAndSubItems", {{"", {"", ""}}}},
        RoundTripCase{"LongestFieldsTheFileHolds", {{std::string(65535, 'x'), {std::string(65535, 'y')}}}},
        RoundTripCase{"SeveralRowsOldestFirst", {{"old"}, {"mid", {}, 3}, {"new", {"x"}}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DataFileTest, LoadedTextsEndAtTheirFirstNulByte) {
  WriteFile(path, EncodeDataFile({{std::string("ab\0cd", 5), {std::string("\0x", 2), "ok"}}}));
  list.LoadFromFile(path);
  EXPECT_EQ(RowsOf(list), (std::vector<Row>{{"ab", {"", "ok"}}}));
}

TEST_F(DataFileTest, LoadingReplacesTheListAndDoesNotMerge) {
  Fill(list, {{"a"}, {"b"}, {"c"}});
  WriteFile(path, EncodeDataFile({{"x"}}));
  list.LoadFromFile(path);
  EXPECT_EQ(RowsOf(list), std::vector<Row>{{"x"}});
}

struct InvalidCase {
  const char* name;
  std::string bytes;
};

class InvalidDataFileTest : public DataFileTest, public ::testing::WithParamInterface<InvalidCase> {};

TEST_P(InvalidDataFileTest, ShowsMsg2WithTheBareNameAndKeepsTheList) {
  const std::vector<Row> held{{"kept one"}, {"kept two"}};
  Fill(list, held);
  WriteFile(path, GetParam().bytes);
  list.LoadFromFile(path);
  ASSERT_EQ(boxes().size(), 1u);
  EXPECT_EQ(boxes()[0].text, "The file \"quibvault_data.dat\" is not a valid QuibVault data file!");
  EXPECT_EQ(boxes()[0].caption, "Error!");
  EXPECT_EQ(boxes()[0].flags, box::kIconError | box::kOk);
  EXPECT_EQ(RowsOf(list), held);
}

INSTANTIATE_TEST_SUITE_P(
    Files, InvalidDataFileTest,
    ::testing::Values(InvalidCase{"WrongThirdMagicByte", std::string("QLX\1\0", 5) + EncodeRow({"a"})},
                      InvalidCase{"TwoBytes", "QL"}, InvalidCase{"Empty", ""},
                      InvalidCase{"LowerCaseMagic", std::string("qlv\0\0", 5)},
                      InvalidCase{"MagicWithoutRowCount", "QLV"},
                      InvalidCase{"HalfARowCount", "QLV\x01"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DataFileTest, MissingFileOrAFolderInItsPlaceShowsMsg1AndKeepsTheList) {
  const std::filesystem::path folder_path = StdFiles::NativePath(folder.File("folder.dat"));
  std::filesystem::create_directory(folder_path);
  for (const std::string name : {"missing.dat", "folder.dat"}) {
    boxes().clear();
    Fill(list, {{"kept"}});
    list.LoadFromFile(folder.File(name));
    ASSERT_EQ(boxes().size(), 1u) << name;
    EXPECT_EQ(boxes()[0].text, "The file \"" + name + "\" does not exist!");
    EXPECT_EQ(boxes()[0].caption, "Error!");
    EXPECT_EQ(boxes()[0].flags, box::kIconError | box::kOk);
    EXPECT_EQ(RowsOf(list), std::vector<Row>{{"kept"}});
  }
}

TEST(DataFileName, TheBareNameIsWhatFollowsTheLastBackslashOrColon) {
  EXPECT_EQ(BareFileName("C:\\Plugins\\QuibVault\\quibvault_data.dat"), "quibvault_data.dat");
  EXPECT_EQ(BareFileName("C:quibvault_data.dat"), "quibvault_data.dat");
  EXPECT_EQ(BareFileName("quibvault_data.dat"), "quibvault_data.dat");
  EXPECT_EQ(BareFileName("C:\\Plugins\\"), "");
  EXPECT_EQ(BareFileName("a/b.dat"), "a/b.dat");
}

TEST_F(DataFileTest, ComponentDefaultsFormatTheBareName) {
  TSmartListView component(fs.files, fs.sim.dialogs);
  component.LoadFromFile(folder.File("gone.dat"));
  WriteFile(path, "junk");
  component.LoadFromFile(path);
  ASSERT_EQ(boxes().size(), 2u);
  EXPECT_EQ(boxes()[0].text, "File \"gone.dat\" does not exist!");
  EXPECT_EQ(boxes()[1].text, "File \"quibvault_data.dat\" is not valid!");
  EXPECT_FALSE(component.UseTempFile);
}

TEST_F(DataFileTest, FileThatEndsEarlyKeepsEveryWholeRowAndDropsThePartialOne) {
  const std::vector<Row> rows{{"first", {"d1", "a1"}, 1}, {"second", {}, 2}, {"third", {"x", "y", "z"}, 3}};
  const std::string whole = EncodeDataFile(rows);
  std::vector<std::size_t> row_ends;
  std::size_t end = 5;
  for (const Row& row : rows) row_ends.push_back(end += EncodeRow(row).size());

  for (std::size_t cut = 5; cut < whole.size(); ++cut) {
    WriteFile(path, whole.substr(0, cut));
    Fill(list, {{"before"}});
    list.LoadFromFile(path);
    std::size_t whole_rows = 0;
    while (whole_rows < rows.size() && row_ends[whole_rows] <= cut) ++whole_rows;
    EXPECT_EQ(RowsOf(list), std::vector<Row>(rows.begin(), rows.begin() + whole_rows)) << "cut at " << cut;
  }
  EXPECT_TRUE(boxes().empty());
}

TEST_F(DataFileTest, CountsLargerThanTheFileLoadOnlyWhatIsThere) {
  // 65535 rows announced; one whole row, then a row announcing 65535 sub-items and a text
  // of 65535 bytes of which three are there.
  WriteFile(path, "QLV" + U16(65535) + EncodeRow({"only"}) + U16(65535) + std::string(4, '\0') + U16(65535) + "abc");
  list.LoadFromFile(path);
  EXPECT_EQ(RowsOf(list), std::vector<Row>{{"only"}});
}

TEST_F(DataFileTest, BytesAfterTheLastRowAreIgnored) {
  WriteFile(path, EncodeDataFile({{"a"}}) + EncodeRow({"stray"}) + "garbage");
  list.LoadFromFile(path);
  EXPECT_EQ(RowsOf(list), std::vector<Row>{{"a"}});
}

struct LimitCase {
  const char* name;
  std::vector<Row> rows;
  std::size_t extra_entries;  ///< empty entries appended, to pass 65535 without a table
};

class DataFileLimitTest : public DataFileTest, public ::testing::WithParamInterface<LimitCase> {
 protected:
  void SetUp() override {
    Fill(list, GetParam().rows);
    for (std::size_t i = 0; i < GetParam().extra_entries; ++i) list.Add();
    WriteFile(path, EncodeDataFile({{"stored"}}));
    WriteFile(path + ".bak", EncodeDataFile({{"backup"}}));
  }
};

TEST_P(DataFileLimitTest, ASaveThatDoesNotFitIsRefusedBeforeAnyFileChanges) {
  EXPECT_THROW(list.SaveToFile(path), DataFileLimitError);
  EXPECT_THROW(SaveDataFileWithBackup(list, path), DataFileLimitError);
  list.UseTempFile = true;
  EXPECT_THROW(list.SaveToFile(path), DataFileLimitError);
  EXPECT_EQ(ReadFile(path), EncodeDataFile({{"stored"}}));
  EXPECT_EQ(ReadFile(path + ".bak"), EncodeDataFile({{"backup"}}));
  EXPECT_EQ(ReadFile(path + ".tmp"), "<missing>");
}

INSTANTIATE_TEST_SUITE_P(
    Fields, DataFileLimitTest,
    ::testing::Values(LimitCase{"Entries", {}, 65536},
                      LimitCase{"SubItems", {{"t", std::vector<std::string>(65536)}}, 0},
                      LimitCase{"TextBytes", {{std::string(65536, 't')}}, 0},
                      LimitCase{"SubItemBytes", {{"t", {"d", std::string(65536, 's')}}}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DataFileTest, TheMostEntriesAndSubItemsTheFieldsHoldStillSave) {
  Fill(list, {{"many", std::vector<std::string>(65535, "s")}});
  for (int i = 1; i < 65535; ++i) list.Add();
  list.SaveToFile(path);
  TSmartListView loaded = NewList();
  loaded.LoadFromFile(path);
  ASSERT_EQ(loaded.Count(), 65535u);
  EXPECT_EQ(loaded.Item(0).SubItems.size(), 65535u);
}

TEST_F(DataFileTest, AFileThatCannotBeReadRaisesAndKeepsTheList) {
  // Several buffers' worth, so that the second read fails in the middle of the rows.
  std::vector<Row> rows(40, Row{std::string(4000, 'r')});
  WriteFile(path, EncodeDataFile(rows));
  const std::vector<Row> held{{"held"}};
  for (Op op : {Op::kOpenRead, Op::kRead}) {
    Fill(list, held);
    fs.files.Restart();
    fs.files.Fail(op, op == Op::kRead ? 2 : 1);
    EXPECT_THROW(list.LoadFromFile(path), PlatformError);
    EXPECT_EQ(RowsOf(list), held);
  }
  EXPECT_TRUE(boxes().empty());
}

TEST_F(DataFileTest, AShortWriteRaisesAndLeavesNoPartialFile) {
  Fill(list, std::vector<Row>(40, Row{std::string(4000, 'w')}));
  for (Op op : {Op::kWrite, Op::kCommit}) {
    fs.files.Restart();
    fs.files.Fail(op);
    EXPECT_THROW(list.SaveToFile(path), PlatformError);
    EXPECT_EQ(ReadFile(path), "<missing>");
  }
}

TEST_F(DataFileTest, ATargetThatCannotBeCreatedRaisesAndChangesNothing) {
  std::filesystem::create_directory(StdFiles::NativePath(path));
  Fill(list, {{"a"}});
  EXPECT_THROW(list.SaveToFile(path), PlatformError);
  EXPECT_TRUE(std::filesystem::is_directory(StdFiles::NativePath(path)));
}

TEST_F(DataFileTest, FileSizeOfGivesTheSizeOrZero) {
  WriteFile(path, std::string(39, 'x'));
  EXPECT_EQ(FileSizeOf(fs.files, path), 39);
  EXPECT_EQ(FileSizeOf(fs.files, folder.File("missing")), 0);
  EXPECT_EQ(FileSizeOf(fs.files, folder.Path()), 0) << "a folder cannot be opened as a file";
}

// The shutdown save.

class ShutdownSaveTest : public DataFileTest {
 protected:
  const std::vector<Row> older{{"older"}}, old{{"old", {"d", "a"}}}, fresh{{"new", {"d", "a"}}, {"newest"}};
  std::string tmp = path + ".tmp", bak = path + ".bak";
};

TEST_F(ShutdownSaveTest, TwoSavesLeaveTheSecondListInTheFileAndTheFirstInTheBackup) {
  Fill(list, old);
  EXPECT_TRUE(SaveDataFileWithBackup(list, path));
  Fill(list, fresh);
  EXPECT_TRUE(SaveDataFileWithBackup(list, path));
  EXPECT_EQ(ReadFile(path), EncodeDataFile(fresh));
  EXPECT_EQ(ReadFile(bak), EncodeDataFile(old));
  EXPECT_EQ(ReadFile(tmp), "<missing>");
}

TEST_F(ShutdownSaveTest, ALeftoverTmpFileIsDeletedBeforeTheSaveWritesItsOwn) {
  WriteFile(tmp, std::string(100000, 'j'));
  Fill(list, fresh);
  SaveDataFileWithBackup(list, path);
  const auto& log = fs.files.log();
  const auto deleted = std::find(log.begin(), log.end(), "Delete " + tmp);
  ASSERT_NE(deleted, log.end());
  EXPECT_LT(deleted - log.begin(), std::find(log.begin(), log.end(), "Create " + tmp) - log.begin());
  EXPECT_EQ(ReadFile(path), EncodeDataFile(fresh));
  EXPECT_EQ(ReadFile(tmp), "<missing>");
}

enum class After { kMissing, kOlder, kOld, kNew };

struct SaveFaultCase {
  const char* name;
  Op op;
  int nth;
  bool raises;
  After data, backup, temp;
};

class ShutdownSaveFaultTest : public ShutdownSaveTest, public ::testing::WithParamInterface<SaveFaultCase> {
 protected:
  std::string Bytes(After after) {
    switch (after) {
      case After::kMissing: return "<missing>";
      case After::kOlder: return EncodeDataFile(older);
      case After::kOld: return EncodeDataFile(old);
      case After::kNew: return EncodeDataFile(fresh);
    }
    return "";
  }
};

TEST_P(ShutdownSaveFaultTest, KeepsACompleteListInTheDataFile) {
  const SaveFaultCase& c = GetParam();
  WriteFile(path, EncodeDataFile(old));
  WriteFile(bak, EncodeDataFile(older));
  Fill(list, fresh);
  fs.files.Fail(c.op, c.nth);
  if (c.raises)
    EXPECT_THROW(SaveDataFileWithBackup(list, path), PlatformError);
  else
    EXPECT_TRUE(SaveDataFileWithBackup(list, path));
  EXPECT_EQ(ReadFile(path), Bytes(c.data));
  EXPECT_EQ(ReadFile(bak), Bytes(c.backup));
  EXPECT_EQ(ReadFile(tmp), Bytes(c.temp));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ShutdownSaveFaultTest,
    ::testing::Values(
        SaveFaultCase{"TmpCannotBeCreated", Op::kCreate, 1, true, After::kOld, After::kOlder, After::kMissing},
        SaveFaultCase{"ShortWrite", Op::kWrite, 1, true, After::kOld, After::kOlder, After::kMissing},
        SaveFaultCase{"FlushFails", Op::kCommit, 1, true, After::kOld, After::kOlder, After::kMissing},
        SaveFaultCase{"TmpSizeUnknown", Op::kFileSize, 1, false, After::kOld, After::kOlder, After::kMissing},
        SaveFaultCase{"OldBackupNotDeleted", Op::kDelete, 1, false, After::kNew, After::kOlder, After::kMissing},
        SaveFaultCase{"BackupCopyFails", Op::kCopy, 1, false, After::kNew, After::kMissing, After::kMissing},
        SaveFaultCase{"ReplaceFails", Op::kReplace, 1, true, After::kOld, After::kOld, After::kNew}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ShutdownSaveTest, WithUseTempFileSaveToFileRotatesThroughTheTmpFile) {
  list.UseTempFile = true;
  WriteFile(path, EncodeDataFile(old));
  Fill(list, fresh);
  list.SaveToFile(path);
  EXPECT_EQ(ReadFile(path), EncodeDataFile(fresh));
  EXPECT_EQ(ReadFile(bak), EncodeDataFile(old));
  EXPECT_EQ(ReadFile(tmp), "<missing>");
}

TEST_F(ShutdownSaveTest, WithUseTempFileATmpFileBelowFiveBytesIsDeletedAndNothingElseChanges) {
  list.UseTempFile = true;
  WriteFile(path, EncodeDataFile(old));
  WriteFile(bak, EncodeDataFile(older));
  Fill(list, fresh);
  fs.files.Fail(Op::kFileSize);  // the size reads as unknown, below any whole file
  list.SaveToFile(path);
  EXPECT_EQ(ReadFile(path), EncodeDataFile(old));
  EXPECT_EQ(ReadFile(bak), EncodeDataFile(older));
  EXPECT_EQ(ReadFile(tmp), "<missing>");
}

}  // namespace
}  // namespace quib::test
