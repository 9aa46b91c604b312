// Undo and Redo, Find, and the address Open Address hands the system.
#include <gtest/gtest.h>

#include "editor/document/address_target.h"
#include "editor/document/edit_history.h"
#include "editor/document/entry_search.h"
#include "tests/editor_document/line_codes.h"

namespace {

TEST(EditHistory, EveryUndoneStepCanBeRedoneUntilANewEdit) {
    EditHistory history;
    EditState state{Lines({"T:A", "E"}), 0, 1};
    history.Record(state);
    state = {Lines({"T:A", "I:a", "E"}), 1, 2};
    history.Record(state);
    state = {Lines({"T:A", "I:b", "E"}), 1, 3};

    ASSERT_TRUE(history.Undo(state));
    EXPECT_EQ((std::vector<std::string>{"T:A", "I:a", "E"}), Codes(state.lines));
    ASSERT_TRUE(history.Undo(state));
    EXPECT_EQ(1u, state.version);
    EXPECT_FALSE(history.Undo(state));
    ASSERT_TRUE(history.Redo(state));
    ASSERT_TRUE(history.Redo(state));
    EXPECT_EQ((std::vector<std::string>{"T:A", "I:b", "E"}), Codes(state.lines));
    EXPECT_EQ(3u, state.version);
    EXPECT_FALSE(history.Redo(state));

    history.Undo(state);
    history.Record(state);  // a new edit
    EXPECT_FALSE(history.CanRedo());
    EXPECT_TRUE(history.CanUndo());
}

TEST(EntrySearch, FindsCaptionsAndAddressesRoundThePage) {
    std::vector<zorbit::MenuEntry> entries(4);
    entries[0].name = "Reading";
    entries[1].name = "Daily news";
    entries[1].url = "news.htm";
    entries[2].name = "Archive";
    entries[3].name = "Weather";
    entries[3].url = "https://NEWS.example/w";
    const struct {
        const char* text;
        size_t after;
        size_t found;
    } cases[] = {
        {"news", zorbit::kNoLine, 1}, {"news", 1, 3}, {"news", 3, 1},
        {"ARCH", 0, 2},               {"zzz", 0, zorbit::kNoLine}, {"", 0, zorbit::kNoLine},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.found, FindEntry(entries, c.text, c.after)) << c.text << " after " << c.after;
}

TEST(AddressTarget, RelativeAddressesAreTakenFromThePagesFolder) {
    const std::string page = "C:\\Zorbit\\pages\\TempBM.htm";
    const struct {
        const char* address;
        const char* target;
    } cases[] = {
        {"https://example.org/a?b#c", "https://example.org/a?b#c"},
        {"mailto:a@example.org", "mailto:a@example.org"},
        {"D:\\docs\\a.htm", "D:\\docs\\a.htm"},
        {"news.htm", "C:\\Zorbit\\pages\\news.htm"},
        {"./sub/a.htm", "C:\\Zorbit\\pages\\sub\\a.htm"},
        {"../../../up.htm", "C:\\up.htm"},
        {"/top.htm", "C:\\top.htm"},
        {"news.htm#today", "file:///C:/Zorbit/pages/news.htm#today"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.target, ResolveAddress(page, c.address)) << c.address;
    EXPECT_EQ("", ResolveAddress("", "news.htm")) << "a page never saved has no folder";
}

}  // namespace
