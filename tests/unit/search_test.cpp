// The host's search: which texts are commands, the publish step and its notification, the
// re-join of the viewer chain, the information page and the open-configuration command.
#include <string>
#include <vector>

#include "SearchTestSupport.h"
#include "search/Search.h"

namespace quib::test {
namespace {

using SearchTest = StartedPluginTest;

enum class Effect { Publish, InformationPage, OpenConfiguration, ClearAll, StopRecording };

struct SearchCase {
  const char* name;
  const char* text;
  Effect effect;
};

class SearchTextTest : public SearchTest, public ::testing::WithParamInterface<SearchCase> {};

// Only the publishing texts move the result state; the boxes the commands ask are declined.
TEST_P(SearchTextTest, RunsTheCommandItNamesOrPublishesEveryEntry) {
  const SearchCase& c = GetParam();
  Copy({"one", "two", "three"});
  ASSERT_EQ(Search("qv"), 0);  // 3 results published
  Copy({"four", "five"});
  notifications().clear();

  EXPECT_EQ(Search(c.text), 0);

  const bool publishes = c.effect == Effect::Publish;
  EXPECT_EQ(PluginFunc_Ask_HowManyItemResultsAreReady(), publishes ? 5 : 3);
  EXPECT_EQ(PluginFunc_Ask_IsAnyResultAvailable(), 1);
  EXPECT_EQ(PluginFunc_Ask_SearchState(), 0);
  const std::vector<NotifyRecorder::Call> told =
      publishes ? std::vector<NotifyRecorder::Call>{{7, 5, 0}} : std::vector<NotifyRecorder::Call>{};
  EXPECT_EQ(notifications(), told);
  EXPECT_EQ(list().Count(), 5u) << "no command was confirmed";

  const bool page = c.effect == Effect::InformationPage;
  EXPECT_EQ(!commands().empty() && commands()[0] == "window.richeditheight|270", page);
  EXPECT_EQ(form().Visible(), c.effect == Effect::OpenConfiguration);
  std::vector<std::string> captions;
  for (const auto& box : boxes()) captions.push_back(box.caption);
  const std::vector<std::string> expected_captions =
      c.effect == Effect::ClearAll        ? std::vector<std::string>{"Clear all entries?"}
      : c.effect == Effect::StopRecording ? std::vector<std::string>{"Stop Recording?"}
                                          : std::vector<std::string>{};
  EXPECT_EQ(captions, expected_captions);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SearchTextTest,
    ::testing::Values(SearchCase{"Empty", "", Effect::Publish},
                      SearchCase{"Backquote", "`", Effect::InformationPage},
                      SearchCase{"About", "about", Effect::InformationPage},
                      SearchCase{"Help", "help", Effect::InformationPage},
                      SearchCase{"P", "`p", Effect::OpenConfiguration},
                      SearchCase{"Pref", "`pref", Effect::OpenConfiguration},
                      SearchCase{"C", "`c", Effect::ClearAll},
                      SearchCase{"T", "`t", Effect::StopRecording},
                      SearchCase{"Start", "`start", Effect::StopRecording},
                      SearchCase{"Stop", "`stop", Effect::StopRecording},
                      SearchCase{"AboutInCapitals", "About", Effect::Publish},
                      SearchCase{"HelpWithTrailingBlank", "help ", Effect::Publish},
                      SearchCase{"CInCapitals", "`C", Effect::Publish},
                      SearchCase{"TWithTrailingBlank", "`t ", Effect::Publish},
                      SearchCase{"PWithLeadingBlank", " `p", Effect::Publish},
                      SearchCase{"PrefixOfPref", "`pr", Effect::Publish},
                      SearchCase{"TextInNoEntry", "zebra", Effect::Publish},
                      SearchCase{"TwoBackquotes", "``", Effect::Publish}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SearchTest, AnEmptyListPublishesNoResultsWithTheFlagSet) {
  EXPECT_EQ(Search("anything"), 0);
  EXPECT_EQ(PluginFunc_Ask_HowManyItemResultsAreReady(), 0);
  EXPECT_EQ(PluginFunc_Ask_IsAnyResultAvailable(), 1);
  EXPECT_EQ(notifications(), (std::vector<NotifyRecorder::Call>{{7, 0, 0}}));
}

TEST_F(SearchTest, TheResultCountIsASnapshot) {
  Copy({"one"});
  Search("");
  Copy({"two", "three"});
  list().Delete(0);
  EXPECT_EQ(PluginFunc_Ask_HowManyItemResultsAreReady(), 1);
}

TEST_F(SearchTest, SearchBeginsWithAThirdArgumentOfZeroDoesNothing) {
  Copy({"one"});
  for (const char* text : {"", "`c", "`t", "about", "qv"}) {
    EXPECT_EQ(PluginFunc_Inform_SearchBegins(0, text, 0), 0);
  }
  EXPECT_EQ(PluginFunc_Ask_IsAnyResultAvailable(), 0);
  EXPECT_TRUE(boxes().empty());
  EXPECT_TRUE(commands().empty());
  EXPECT_TRUE(notifications().empty());
}

TEST_F(SearchTest, RegexSearchMatchRunsTheSearchUnconditionally) {
  Copy({"one", "two"});
  EXPECT_EQ(PluginFunc_Inform_RegexSearchMatch(0, "x"), 0);
  EXPECT_EQ(PluginFunc_Ask_HowManyItemResultsAreReady(), 2);
  EXPECT_EQ(PluginFunc_Inform_RegexSearchMatch(0, "help"), 0);
  EXPECT_FALSE(commands().empty());
}

TEST_F(SearchTest, SearchEndsClearsTheResultsAndTellsTheHost) {
  Copy({"one", "two"});
  Search("");
  notifications().clear();
  EXPECT_EQ(PluginFunc_Inform_SearchEnds(), 0);
  EXPECT_EQ(PluginFunc_Ask_SearchState(), 0);
  EXPECT_EQ(PluginFunc_Ask_HowManyItemResultsAreReady(), 0);
  EXPECT_EQ(PluginFunc_Ask_IsAnyResultAvailable(), 0);
  EXPECT_EQ(notifications(), (std::vector<NotifyRecorder::Call>{{7, 0, 0}}));
}

TEST_F(SearchTest, WithoutANotificationCallbackPublishingStillWorks) {
  PluginFunc_SetStrVal("notifysearchcallback", nullptr);
  Copy({"one"});
  Search("");
  EXPECT_EQ(PluginFunc_Ask_HowManyItemResultsAreReady(), 1);
  EXPECT_TRUE(notifications().empty());
}

TEST_F(SearchTest, ANullSearchTextCountsAsTheEmptyOne) {
  Copy({"one"});
  EXPECT_EQ(PluginFunc_Inform_SearchBegins(0, nullptr, 1), 0);
  EXPECT_EQ(PluginFunc_Inform_RegexSearchMatch(0, nullptr), 0);
  EXPECT_EQ(PluginFunc_Ask_HowManyItemResultsAreReady(), 1);
}

// The empty text re-joins the chain while recording; its announcement records nothing,
// even a text that capture would take.
TEST_F(SearchTest, TheEmptyTextRejoinsTheChainOnceAndRecordsNothing) {
  SimViewer other(sim.clipboard);
  other.Join();
  Copy({"one"});
  form().SuppressCapture = true;
  Copy({"unseen"});
  form().SuppressCapture = false;
  const int joins = sim.clipboard.set_viewer_calls();

  Search("");

  EXPECT_EQ(sim.clipboard.set_viewer_calls(), joins + 1);
  EXPECT_EQ(sim.clipboard.FirstViewer(), form().ClipboardMonitor().MessageWindow());
  EXPECT_EQ(Texts(), std::vector<std::string>{"one"});
  EXPECT_FALSE(form().SuppressCapture);
  EXPECT_EQ(PluginFunc_Ask_HowManyItemResultsAreReady(), 1);
  const int heard = other.changes();
  Copy({"two"});
  EXPECT_EQ(other.changes(), heard + 1) << "the viewer after us still hears changes";
  EXPECT_EQ(Texts(), (std::vector<std::string>{"one", "two"}));
}

// With an empty list capture's own re-registration rule applies to the announcement; the
// re-join holds it to one re-registration.
TEST_F(SearchTest, TheEmptyTextWithAnEmptyListRejoinsOnlyOnce) {
  const int joins = sim.clipboard.set_viewer_calls();
  Search("");
  EXPECT_EQ(sim.clipboard.set_viewer_calls(), joins + 1);
  EXPECT_TRUE(list().Empty());
  EXPECT_FALSE(form().SuppressCapture);
}

TEST_F(SearchTest, TheEmptyTextWhileRecordingIsOffLeavesTheMonitorAlone) {
  form().SetRecordingState(false);
  const int joins = sim.clipboard.set_viewer_calls();
  const int leaves = sim.clipboard.change_chain_calls();
  Search("");
  EXPECT_EQ(sim.clipboard.set_viewer_calls(), joins);
  EXPECT_EQ(sim.clipboard.change_chain_calls(), leaves);
  EXPECT_FALSE(form().ClipboardMonitor().Enabled());
  EXPECT_EQ(PluginFunc_Ask_IsAnyResultAvailable(), 1);
}

TEST_F(SearchTest, TheInformationPageIsSentInItsOrderWithItsText) {
  Copy({"one", "two"});
  form().chkPlaySound.Checked = true;
  form().txtPlaySound.Text = "C:\\Sounds\\ding.wav";
  form().chkCopyAndPaste.Checked = true;
  form().txtMaxNumberClips.Text = "250";
  form().txtMaxLengthClips.Text = "";  // taken unchecked

  Search("about");

  const std::string page =
      "QuibVault - 0.5.0.7 (Sept 25th, 2009) by QuibVault developers\r\n"
      "\r\n"
      " QuibVault Recording = ON\r\n"
      " QuibVault Quib Sound = ON\r\n"
      " Sound File = C:\\Sounds\\ding.wav\r\n"
      " Quib Launch Action = Copy+Paste to Last Active Window\r\n"
      " Max Quibs = 250\r\n"
      " Max Quib Length = \r\n"
      " Total Quibs Saved = 2\r\n"
      "\r\n"
      " qv `  -- Currently viewing.\r\n"
      " qv `t -- Toggles recording all text that the clipboard receives.\r\n"
      " qv `p -- Opens up the gui of the configuration.\r\n"
      " qv `c -- Clears all QuibVault entries.\r\n";
  EXPECT_EQ(commands(), (std::vector<std::string>{
                            "window.richeditheight|270",
                            "statusbar|QuibVault Information and Command Center",
                            "window.richeditheight|270",
                            "window.richeditmode|" + page,
                            "statusbar|QuibVault Information and Command Center",
                        }));
  char author[64] = {};
  PluginFunc_GetStrVal("author", author, 0);
  EXPECT_NE(page.find(std::string(") by ") + author + "\r\n"), std::string::npos);
}

struct RecordingLineCase {
  const char* name;
  bool start_enabled, stop_enabled;
  const char* after_first_line;
};

class InformationRecordingLineTest : public SearchTest,
                                     public ::testing::WithParamInterface<RecordingLineCase> {};

TEST_P(InformationRecordingLineTest, ShowsTheRecordingStateOrNoLine) {
  const RecordingLineCase& c = GetParam();
  form().cmdStart.Enabled = c.start_enabled;
  form().cmdStop.Enabled = c.stop_enabled;
  const std::string page = InformationPageText(form());
  const std::string first_line_end = "QuibVault developers\r\n\r\n";
  const std::size_t after = page.find(first_line_end) + first_line_end.size();
  EXPECT_EQ(page.substr(after, page.find("\r\n", after) + 2 - after), c.after_first_line);
}

INSTANTIATE_TEST_SUITE_P(
    States, InformationRecordingLineTest,
    ::testing::Values(
        RecordingLineCase{"On", false, true, " QuibVault Recording = ON\r\n"},
        RecordingLineCase{"Off", true, false, " QuibVault Recording = OFF\r\n"},
        RecordingLineCase{"BothAvailable", true, true, " QuibVault Quib Sound = OFF\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SearchTest, OpenConfigurationHidesTheHostAndShowsTheWindowWithoutWaiting) {
  Search("`pref");
  EXPECT_EQ(commands(), std::vector<std::string>{"window.hide|"});
  EXPECT_EQ(sim.windowing.calls, std::vector<std::string>{"Show"});
  EXPECT_TRUE(form().Visible());
  EXPECT_TRUE(form().ShowHostOnClose);
}

TEST_F(SearchTest, TheRecordingTextsToggleWhicheverWayRecordingStands) {
  sim.dialogs.answers = {box::kIdYes, box::kIdYes};
  Search("`stop");
  EXPECT_FALSE(form().RecordingOn());
  Search("`stop");  // offers to start
  EXPECT_TRUE(form().RecordingOn());
  ASSERT_EQ(boxes().size(), 2u);
  EXPECT_EQ(boxes()[1].caption, "Start Recording?");
}

TEST_F(SearchTest, TheClearAllTextClearsTheListOnConfirmation) {
  Copy({"one", "two"});
  sim.dialogs.answers = {box::kIdYes};
  Search("`c");
  EXPECT_TRUE(list().Empty());
  EXPECT_EQ(commands(), std::vector<std::string>{"window.hide|"});
}

TEST_F(SearchTest, ASearchWithoutTheWindowReportsSearchBegin) {
  PluginFunc_DoShutDown();
  commands().clear();
  EXPECT_EQ(Search("qv"), 0);
  EXPECT_EQ(commands(), std::vector<std::string>{"reporterror|SearchBegin"});
}

}  // namespace
}  // namespace quib::test
