// Result delivery: numbering against the clip list of the moment, the fields of a result,
// the host's buffers and their bound, and the questions and locks around them.
#include <array>
#include <climits>
#include <cstring>
#include <string>

#include "SearchTestSupport.h"

namespace quib::test {
namespace {

constexpr char kUntouched = 0x5A;

/// The host's side of one fetch: four buffers with room beyond max_length to show an
/// overrun, and the three integers, all filled with markers first.
struct Fetch {
  static constexpr std::size_t kRoom = 512;
  std::array<char, kRoom> details, caption, group, icon;
  std::int32_t data = -7, kind = -7, flags = -7;
  std::int32_t result = -1;

  explicit Fetch(std::int32_t number, std::int32_t max_length = 256) {
    for (auto* buffer : {&details, &caption, &group, &icon}) buffer->fill(kUntouched);
    result = PluginFunc_Request_ItemResultByIndex(number, details.data(), caption.data(),
                                                  group.data(), icon.data(), &data, max_length,
                                                  &kind, 0, &flags);
  }
  bool Untouched() const {
    for (const auto* buffer : {&details, &caption, &group, &icon})
      for (char c : *buffer)
        if (c != kUntouched) return false;
    return data == -7 && kind == -7 && flags == -7;
  }
};

class ResultsTest : public StartedPluginTest {
 protected:
  std::string NormalIcon() { return folder.File("QuibVaultNormal.ico"); }
  std::string LinkIcon() { return folder.File("QuibVaultUrl.ico"); }
};

TEST_F(ResultsTest, ResultsRunFromTheNewestEntryToTheOldest) {
  Copy({"oldest", "middle", "newest"});
  const char* texts[] = {"newest", "middle", "oldest"};
  for (std::int32_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    Fetch fetch(i);
    EXPECT_EQ(fetch.result, 1);
    EXPECT_EQ(fetch.data, 2 - i);
    EXPECT_STREQ(fetch.caption.data(), texts[i]);
    EXPECT_STREQ(fetch.details.data(), ("The total length of this quib is " +
                                        std::to_string(std::strlen(texts[i])) + " characters.")
                                           .c_str());
    EXPECT_STREQ(fetch.group.data(), "QuibVault");
    EXPECT_EQ(fetch.icon.data(), NormalIcon());
    EXPECT_EQ(fetch.kind, 2);
    EXPECT_EQ(fetch.flags, 0);
  }
}

TEST_F(ResultsTest, NumbersAreTakenAgainstTheListOfTheMomentNotThePublishedCount) {
  Copy({"one", "two"});
  Search("");
  Copy({"three"});
  Fetch fetch(0);
  EXPECT_STREQ(fetch.caption.data(), "three");
  EXPECT_EQ(fetch.data, 2);
  EXPECT_EQ(Fetch(2).data, 0) << "beyond the published count of 2, still in the list";
}

TEST_F(ResultsTest, FetchingChangesNeitherTheListNorTheResultState) {
  Copy({"one", "two"});
  Search("");
  notifications().clear();
  Fetch(0);
  Fetch(1);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(PluginFunc_Ask_HowManyItemResultsAreReady(), 2);
  EXPECT_EQ(PluginFunc_Ask_IsAnyResultAvailable(), 1);
  EXPECT_TRUE(notifications().empty());
  EXPECT_TRUE(commands().empty());
}

TEST_F(ResultsTest, ANumberThatNamesNoEntryReturnsZeroAndTouchesNothing) {
  Copy({"one", "two", "three"});
  for (std::int32_t number : {-1, 3, 4, INT_MAX, INT_MIN}) {
    SCOPED_TRACE(number);
    Fetch fetch(number);
    EXPECT_EQ(fetch.result, 0);
    EXPECT_TRUE(fetch.Untouched());
  }
  list().Clear();
  EXPECT_EQ(Fetch(0).result, 0);
}

TEST_F(ResultsTest, WithoutTheWindowNoResultIsDelivered) {
  Copy({"one"});
  PluginFunc_DoShutDown();
  Fetch fetch(0);
  EXPECT_EQ(fetch.result, 0);
  EXPECT_TRUE(fetch.Untouched());
}

struct CaptionCase {
  const char* name;
  std::string text;
  std::string caption;
  const char* length;
};

class ResultCaptionTest : public ResultsTest, public ::testing::WithParamInterface<CaptionCase> {};

TEST_P(ResultCaptionTest, ShortensTextsPast120Characters) {
  const CaptionCase& c = GetParam();
  Fill(list(), {Row{c.text}});
  Fetch fetch(0);
  EXPECT_EQ(std::string(fetch.caption.data()), c.caption);
  EXPECT_EQ(std::string(fetch.details.data()),
            std::string("The total length of this quib is ") + c.length + " characters.");
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, ResultCaptionTest,
    ::testing::Values(
        CaptionCase{"Short", "abc", "abc", "3"},
        CaptionCase{"Exactly120", std::string(120, 'a'), std::string(120, 'a'), "120"},
        CaptionCase{"Of121", std::string(120, 'a') + "b", std::string(120, 'a') + "... (121)",
                    "121"},
        CaptionCase{"Of9999", std::string(9999, 'q'), std::string(120, 'q') + "... (9999)",
                    "9999"},
        CaptionCase{"Empty", "", "", "0"}),
    [](const auto& info) { return std::string(info.param.name); });

struct IconCase {
  const char* name;
  std::string caption;
  bool link;
};

class ResultIconTest : public ResultsTest, public ::testing::WithParamInterface<IconCase> {};

TEST_P(ResultIconTest, ChoosesTheLinkIconForWebAddresses) {
  Fill(list(), {Row{GetParam().caption}});
  EXPECT_EQ(Fetch(0).icon.data(), GetParam().link ? LinkIcon() : NormalIcon());
}

INSTANTIATE_TEST_SUITE_P(
    Captions, ResultIconTest,
    ::testing::Values(IconCase{"ThreeLetterScheme", "ftp://files.example.org", true},
                      IconCase{"FourLetterScheme", "http://example.org", true},
                      IconCase{"EightBeforeTheSeparator", "abcdefgh://x", true},
                      IconCase{"NineBeforeTheSeparator", "abcdefghi://x", false},
                      IconCase{"SeparatorAtTheStart", "://x", true},
                      IconCase{"SecondSeparatorDoesNotCount", "abcdefghijkl://a://b", false},
                      IconCase{"BlankBeforeTheAddress", "see http://x", true},
                      IconCase{"WwwStart", "www.example.org", true},
                      IconCase{"WwwInCapitals", "WWW.EXAMPLE.ORG", false},
                      IconCase{"WwwNotAtTheStart", " www.example.org", false},
                      IconCase{"WwwWithoutItsDot", "www", false},
                      IconCase{"ShortText", "ab", false},
                      IconCase{"MailAddress", "mailto:me@example.org", false},
                      IconCase{"LongWebAddress", "www." + std::string(200, 'x'), true}),
    [](const auto& info) { return std::string(info.param.name); });

// With a bound of 10, "QuibVault" and its zero fill the group buffer exactly; longer texts
// are cut to 9 characters and terminated; nothing is written past the bound.
TEST_F(ResultsTest, NoBufferReceivesMoreThanTheMaximumLength) {
  Fill(list(), {Row{"abc"}});
  Fetch fetch(0, 10);
  EXPECT_EQ(std::string(fetch.group.data(), 10), std::string("QuibVault\0", 10));
  EXPECT_EQ(std::string(fetch.caption.data(), 10), std::string("abc\0\0\0\0\0\0\0", 10));
  EXPECT_EQ(std::string(fetch.details.data(), 10), std::string("The total\0", 10));
  EXPECT_EQ(std::string(fetch.icon.data(), 9), NormalIcon().substr(0, 9));
  for (const auto* buffer : {&fetch.details, &fetch.caption, &fetch.group, &fetch.icon}) {
    EXPECT_EQ((*buffer)[9], '\0');
    EXPECT_EQ(std::string(buffer->data() + 10, 502), std::string(502, kUntouched));
  }
}

TEST_F(ResultsTest, ATextOfExactlyTheMaximumLengthIsCutByOneForItsTerminator) {
  Fill(list(), {Row{"abcdefghij"}});
  EXPECT_EQ(std::string(Fetch(0, 10).caption.data(), 11), std::string("abcdefghi\0", 10) + kUntouched);
  EXPECT_EQ(std::string(Fetch(0, 1).caption.data(), 2), std::string("\0", 1) + kUntouched);
}

TEST_F(ResultsTest, AMaximumLengthOfZeroOrLessWritesNoText) {
  Fill(list(), {Row{"one"}, Row{"two"}});
  for (std::int32_t max_length : {0, -1, INT_MIN}) {
    Fetch fetch(0, max_length);
    EXPECT_EQ(fetch.result, 1);
    EXPECT_EQ(fetch.data, 1);
    EXPECT_EQ(std::string(fetch.caption.data(), Fetch::kRoom), std::string(Fetch::kRoom, kUntouched));
    EXPECT_EQ(std::string(fetch.group.data(), Fetch::kRoom), std::string(Fetch::kRoom, kUntouched));
  }
}

TEST_F(ResultsTest, NullBuffersAndPointersAreSkipped) {
  Fill(list(), {Row{"one"}});
  EXPECT_EQ(PluginFunc_Request_ItemResultByIndex(0, nullptr, nullptr, nullptr, nullptr, nullptr,
                                                 256, nullptr, 0, nullptr),
            1);
  char caption[16] = {};
  std::int32_t data = -1;
  EXPECT_EQ(PluginFunc_Request_ItemResultByIndex(0, nullptr, caption, nullptr, nullptr, &data,
                                                 16, nullptr, 0, nullptr),
            1);
  EXPECT_STREQ(caption, "one");
  EXPECT_EQ(data, 0);
}

TEST_F(ResultsTest, WantsTheFeaturesZeroOneAndThreeOnly) {
  for (std::int32_t feature : {0, 1, 3}) EXPECT_EQ(PluginFunc_Ask_WantFeature(feature), 1);
  for (std::int32_t feature : {2, 4, 5, 6, 7, 8, -1, INT_MAX, INT_MIN})
    EXPECT_EQ(PluginFunc_Ask_WantFeature(feature), 0) << feature;
}

TEST_F(ResultsTest, LockingKeepsTheResultsAndUnlockingClearsThem) {
  Copy({"one", "two"});
  Search("");
  notifications().clear();
  EXPECT_EQ(PluginFunc_Request_LockResults(1), 1);
  EXPECT_EQ(PluginFunc_Ask_HowManyItemResultsAreReady(), 2);
  EXPECT_EQ(PluginFunc_Ask_IsAnyResultAvailable(), 1);
  EXPECT_TRUE(notifications().empty());

  EXPECT_EQ(PluginFunc_Request_LockResults(0), 1);
  EXPECT_EQ(PluginFunc_Ask_HowManyItemResultsAreReady(), 0);
  EXPECT_EQ(PluginFunc_Ask_IsAnyResultAvailable(), 0);
  EXPECT_EQ(notifications(), (std::vector<NotifyRecorder::Call>{{7, 0, 0}}));
}

TEST_F(ResultsTest, OffersNoTextResultAndLeavesScoresAlone) {
  const char* text = "marker";
  EXPECT_EQ(PluginFunc_Request_TextResultCharp(&text), 0);
  EXPECT_EQ(text, nullptr);
  EXPECT_EQ(PluginFunc_Request_TextResultCharp(nullptr), 0);
  EXPECT_EQ(PluginFunc_Do_AdjustResultScore(), 0);
  EXPECT_EQ(PluginFunc_Inform_WindowIsHiding(), 0);
  EXPECT_EQ(PluginFunc_Inform_WindowIsUnHiding(), 0);
  EXPECT_TRUE(commands().empty());
}

}  // namespace
}  // namespace quib::test
