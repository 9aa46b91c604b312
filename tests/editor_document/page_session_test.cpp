// The editor's page session: Undo steps, typing, and what a save does first
// and leaves behind.
#include <gtest/gtest.h>

#include <string>

#include "editor/document/page_session.h"
#include "tests/menus/scratch_files.h"

namespace {

using zorbit::LineKind;

const std::string kPage =
    "<html>\r\n<embed type=\"application/vnd.vantrel-zorbit\" filename=\"links.htm\">\r\n"
    "TITLE \"Reading\"\r\nMENUITEM \"News;news.htm\"\r\nTITLE \"END\"\r\n</html>\r\n";

class PageSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = folder_.File("links.htm");
        scratch::WriteBytes(path_, kPage);
        zorbit::PageReading reading = zorbit::ReadPageFile(path_);
        ASSERT_EQ(zorbit::ReadStatus::Read, reading.status);
        session_.Show(std::move(reading.page), path_);
    }
    size_t Rename(size_t line, const char* caption) {
        return session_.Edit(line, [&](DefinitionLines& lines) {
            lines[line].caption = caption;
            return line;
        });
    }

    scratch::Folder folder_;
    std::string path_;
    PageSession session_;
};

TEST_F(PageSessionTest, EachChangeIsOneStepAndUndoingToTheSavedPageIsUnmodified) {
    EXPECT_FALSE(session_.Modified());
    EXPECT_EQ(1u, Rename(1, "News"));  // as it was: no step
    EXPECT_FALSE(session_.CanUndo());

    Rename(1, "Daily");
    session_.Type(EntryField::Address, 1, "d");
    session_.Type(EntryField::Address, 1, "da.htm");  // the same typing: the same step
    session_.Type(EntryField::Caption, 1, "Day");
    EXPECT_EQ("Day", session_.view().menus[1].name);
    EXPECT_EQ("da.htm", session_.view().menus[1].url);

    const char* captions[] = {"Daily", "Daily", "News"};
    const char* addresses[] = {"da.htm", "news.htm", "news.htm"};
    for (int step = 0; step < 3; ++step) {
        SCOPED_TRACE("undo " + std::to_string(step + 1));
        EXPECT_EQ(1u, session_.Undo(1));
        EXPECT_EQ(captions[step], session_.lines()[1].caption);
        EXPECT_EQ(addresses[step], session_.lines()[1].address);
    }
    EXPECT_FALSE(session_.Modified());
    EXPECT_EQ(kNoSelection, session_.Undo(1));
    session_.Redo(1);
    EXPECT_TRUE(session_.Modified());
}

TEST_F(PageSessionTest, WhatASaveNeedsFirst) {
    EXPECT_EQ(SaveStep::Unchanged, session_.FirstSaveStep(false));
    EXPECT_EQ(SaveStep::AskName, session_.FirstSaveStep(true));
    Rename(1, "Daily");
    EXPECT_EQ(SaveStep::Write, session_.FirstSaveStep(false));

    PageSession fresh;
    fresh.Show(zorbit::NewPage("NewPage.htm"), "");
    EXPECT_EQ(SaveStep::AskName, fresh.FirstSaveStep(false));
}

TEST_F(PageSessionTest, ACopyNamesItselfAndAPageChangedOnDiskIsNotWrittenOver) {
    Rename(1, "Daily");
    const std::string copy = folder_.File("copy.htm");
    ASSERT_TRUE(session_.Save(copy, false).saved);
    EXPECT_FALSE(session_.Modified());
    EXPECT_EQ(copy, session_.path());
    EXPECT_NE(std::string::npos, scratch::ReadBytes(copy).find("filename=\"copy.htm\">\r\nTITLE \"Reading\"\r\n"
                                                               "MENUITEM \"Daily;news.htm\""));
    EXPECT_EQ(kPage, scratch::ReadBytes(path_)) << "the page it was copied from";

    scratch::WriteBytes(copy, kPage);  // another program's change
    Rename(1, "Weekly");
    const zorbit::SaveOutcome refused = session_.Save(copy, false);
    EXPECT_FALSE(refused.saved);
    EXPECT_TRUE(refused.changedOnDisk);
    EXPECT_EQ(kPage, scratch::ReadBytes(copy));
    EXPECT_TRUE(session_.Modified());
    ASSERT_TRUE(session_.Save(copy, true).saved);
    EXPECT_NE(std::string::npos, scratch::ReadBytes(copy).find("MENUITEM \"Weekly;news.htm\""));
}

}  // namespace
