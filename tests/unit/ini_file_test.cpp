// The INI reader and writer: integer reading, lookups as the profile functions do them,
// edits that keep every other line, and the file on disk.
#include <optional>
#include <string>

#include "StoreTestSupport.h"
#include "TestSupport.h"
#include "store/IniFile.h"

namespace quib::test {
namespace {

struct IntegerCase {
  const char* text;
  std::optional<std::int32_t> value;
};

TEST(IniInteger, ReadsDecimalAndPrefixedHexadecimalAsThirtyTwoBits) {
  const IntegerCase cases[] = {
      {"0", 0},           {"42", 42},           {"  42", 42},          {"\t7", 7},
      {"+7", 7},          {"-7", -7},           {"007", 7},            {"0x3", 3},
      {"0X1f", 31},       {"x10", 16},          {"X10", 16},           {"$A", 10},
      {"-$10", -16},      {"2147483647", INT32_MAX}, {"-2147483648", INT32_MIN},
      {"0xFFFFFFFF", -1}, {"$80000000", INT32_MIN},
      {"", std::nullopt},     {"   ", std::nullopt},   {"yes", std::nullopt},
      {"12abc", std::nullopt}, {"1 2", std::nullopt},   {"- 5", std::nullopt},
      {"+", std::nullopt},     {"$", std::nullopt},     {"0x", std::nullopt},
      {"0xG", std::nullopt},   {"1e3", std::nullopt},   {"3.0", std::nullopt},
      {"2147483648", std::nullopt}, {"-2147483649", std::nullopt},
      {"0x100000000", std::nullopt}, {"99999999999999999999", std::nullopt},
      {"$$1", std::nullopt},   {"0x0x1", std::nullopt}, {"--1", std::nullopt},
  };
  for (const IntegerCase& c : cases) EXPECT_EQ(ParseIniInteger(c.text), c.value) << '"' << c.text << '"';
}

// One document that holds every layout the lookups must cope with.
const std::string kDocument =
    "key.before=any section\r\n"
    "[Information]\r\n"
    "File Identification=QuibVault\r\n"
    "\r\n"
    "  [ settings ]  trailing words\n"
    "Quib.MaxNumber=50\n"
    "   Quib.MaxLength   =   250   \n"
    "quib.sound.wavfile=\"C:\\Sounds\\ding.wav\"\n"
    "Single='quoted'\n"
    "Unmatched=\"open\n"
    "Equals=a=b=c\n"
    "Empty=\n"
    "no equals sign here\n"
    "Twice=first\n"
    "Twice=second\n"
    "\n"
    "[SETTINGS]\n"
    "Only.In.Second=hidden\n"
    "[Other]\n"
    "Quib.MaxNumber=other section\n";

struct LookupCase {
  const char* section;
  const char* key;
  std::optional<std::string> value;
};

TEST(IniText, FindsKeysAsTheProfileFunctionsDo) {
  const IniText text = IniText::Parse(kDocument);
  const LookupCase cases[] = {
      {"Information", "File Identification", "QuibVault"},
      {"INFORMATION", "file identification", "QuibVault"},
      {"Settings", "Quib.MaxNumber", "50"},
      {"Settings", "quib.maxlength", "250"},
      {"Settings", "Quib.Sound.WavFile", "C:\\Sounds\\ding.wav"},
      {"Settings", "Single", "quoted"},
      {"Settings", "Unmatched", "\"open"},
      {"Settings", "Equals", "a=b=c"},
      {"Settings", "Empty", ""},
      {"Settings", "Twice", "first"},
      {"Settings", "Only.In.Second", std::nullopt},
      {"Settings", "no equals sign here", std::nullopt},
      {"Settings", "Missing", std::nullopt},
      {"Other", "Quib.MaxNumber", "other section"},
      {"Missing", "Quib.MaxNumber", std::nullopt},
      {"", "key.before", std::nullopt},
  };
  for (const LookupCase& c : cases) EXPECT_EQ(text.Find(c.section, c.key), c.value) << c.section << "/" << c.key;
}

TEST(IniText, ValuesAreReadUpTo2047Characters) {
  const std::string value(3000, 'v');
  const IniText text = IniText::Parse("[S]\nLong=" + value + "\nShort=" + value.substr(0, 2047) + "\n");
  EXPECT_EQ(text.Find("S", "Long"), value.substr(0, 2047));
  EXPECT_EQ(text.Find("S", "Short"), value.substr(0, 2047));
}

TEST(IniText, SettingAKeyRewritesItsLineAndKeepsEveryOtherLine) {
  IniText text = IniText::Parse("; note\r\n[A]\r\nx = 1\r\nkeep=me\r\n\r\n[B]\r\nx=2\r\n");
  text.Set("a", "X", "10");
  EXPECT_EQ(text.Serialize(), "; note\r\n[A]\r\nX=10\r\nkeep=me\r\n\r\n[B]\r\nx=2\r\n");
}

TEST(IniText, AMissingKeyGoesAfterItsSectionsLastLine) {
  IniText text = IniText::Parse("[A]\nx=1\n\n\n[B]\ny=2");
  text.Set("A", "z", "3");
  text.Set("B", "w", "4");
  EXPECT_EQ(text.Serialize(), "[A]\r\nx=1\r\nz=3\r\n\r\n\r\n[B]\r\ny=2\r\nw=4\r\n");
}

TEST(IniText, AMissingSectionGoesAtTheEndAfterABlankLine) {
  IniText text;
  text.Set("A", "x", "1");
  text.Set("B", "y", "2");
  EXPECT_EQ(text.Serialize(), "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
  EXPECT_EQ(IniText::Parse(text.Serialize()).Find("b", "Y"), "2");
}

TEST(IniText, RefusesWhatOneLineCannotHold) {
  IniText text = IniText::Parse("[A]\nx=1\n");
  const std::string before = text.Serialize();
  const struct {
    const char *section, *key;
    std::string value;
  } cases[] = {
      {"A", "x", "two\nlines"},  {"A", "x", "cr\r"},   {"A", "x", std::string("n\0l", 3)},
      {"A", "", "v"},            {"A", "k=v", "v"},    {"A", "[k", "v"},
      {"A", " k", "v"},          {"A", "k\n", "v"},    {"", "k", "v"},
      {"A]", "k", "v"},          {"A\r\n[B", "k", "v"}, {"A ", "k", "v"},
  };
  for (const auto& c : cases)
    EXPECT_THROW(text.Set(c.section, c.key, c.value), std::invalid_argument) << c.section << "/" << c.key;
  EXPECT_EQ(text.Serialize(), before);
}

class IniFileTest : public ::testing::Test {
 protected:
  FaultyDesktop fs;
  TempFolder folder;
  std::string path = folder.File("test.ini");
};

TEST_F(IniFileTest, ReadsTypedValuesWithTheirDefaults) {
  WriteFile(path, "[S]\nText=abc\nNum=0x10\nBad=ten\nEmpty=\nTwo=2\nMinus=-1\nZero=0\nYes=yes\n");
  const TIniFile ini(fs.files, path);
  EXPECT_EQ(ini.ReadString("S", "Text", "d"), "abc");
  EXPECT_EQ(ini.ReadString("S", "Missing", "d"), "d");
  EXPECT_EQ(ini.ReadString("S", "Empty", "d"), "") << "a key present with no value is empty";
  EXPECT_EQ(ini.ReadInteger("S", "Num", 5), 16);
  EXPECT_EQ(ini.ReadInteger("S", "Bad", 5), 5);
  EXPECT_EQ(ini.ReadInteger("S", "Empty", 5), 5);
  for (const char* key : {"Two", "Minus"}) EXPECT_TRUE(ini.ReadBool("S", key, false)) << key;
  EXPECT_FALSE(ini.ReadBool("S", "Zero", true));
  EXPECT_TRUE(ini.ReadBool("S", "Yes", true));
  EXPECT_FALSE(ini.ReadBool("S", "Yes", false));
  EXPECT_FALSE(ini.ReadBool("S", "Missing", false));
}

TEST_F(IniFileTest, AMissingFileReadsAsEmptyAndIsCreatedByTheFirstUpdate) {
  {
    TIniFile ini(fs.files, path);
    EXPECT_EQ(ini.ReadInteger("S", "n", 9), 9);
    ini.WriteInteger("S", "n", -1);
    ini.WriteBool("S", "b", true);
    EXPECT_EQ(ReadFile(path), "<missing>") << "writes stay in memory until the update";
    ini.UpdateFile();
    EXPECT_EQ(ReadFile(path), "[S]\r\nn=-1\r\nb=1\r\n");
    ini.WriteBool("S", "b", false);
  }
  EXPECT_EQ(ReadFile(path), "[S]\r\nn=-1\r\nb=0\r\n") << "releasing the object writes what is left";
}

TEST_F(IniFileTest, AFileThatCannotBeReadOrWrittenRaises) {
  WriteFile(path, "[S]\nx=1\n");
  fs.files.Fail(FaultyFiles::Op::kOpenRead);
  EXPECT_THROW(TIniFile(fs.files, path), PlatformError);

  TIniFile ini(fs.files, path);
  ini.WriteString("S", "x", "2");
  fs.files.Fail(FaultyFiles::Op::kWrite);
  EXPECT_THROW(ini.UpdateFile(), PlatformError);
}

}  // namespace
}  // namespace quib::test
