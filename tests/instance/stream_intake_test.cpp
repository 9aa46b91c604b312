// NPP_StreamAsFile: which finished files an instance takes as its
// definition, and what taking one does.
#include <gtest/gtest.h>

#include <string>

#include "tests/instance/browser_stand_in.h"

using namespace instance_test;

namespace {

class StreamIntake : public ::testing::Test {
protected:
    void SetUp() override { Browser().Clear(); }
};

TEST_F(StreamIntake, AcceptanceKeyIsTheFirstSixCharactersFoundAnywhereInTheLocalPath) {
    struct Case {
        const char* fileName;
        const char* localPath;
        bool accepted;
    } cases[] = {
        {"mymenu.zbx", "C:\\Cache\\MYMENU.ZBX", true},
        {"Menus\\Top.zbx", "c:\\site\\menus\\top.zbx", true},
        {"a.zb", "C:\\Cache\\A.ZB", true},
        {"a.zb", "C:\\Cache\\x\\cata.zbx", true},
        {"a.zb", "C:\\Cache\\A.Z", false},
        {"http://www.example.com/menus/top.zbx", "C:\\Cache\\www.example.com\\menus\\top.zbx", false},
        {"mymenu1.zbx", "C:\\Cache\\mymenu2.zbx", true},
        {"other.zbx", "C:\\Cache\\MYMENU.ZBX", false},
        {"mymenu.zbx", "C:\\Cache\\MYMEN.ZBX", false},
        {"\xe9t\xe9.zbx", "C:\\Cache\\\xc9T\xc9.ZBX", true},
        {"", "C:\\Cache\\index.htm", true},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE("case " + std::to_string(i) + ": " + cases[i].fileName + " / " + cases[i].localPath);
        Instance instance;
        ASSERT_EQ(NPERR_NO_ERROR, instance.New({{"filename", cases[i].fileName}}));
        ASSERT_EQ(0, instance.data()->ready);
        instance.StreamAsFile(cases[i].localPath);
        EXPECT_EQ(cases[i].accepted ? 1 : 0, instance.data()->ready);
        EXPECT_STREQ(cases[i].fileName, instance.data()->fileName);
    }
}

TEST_F(StreamIntake, AcceptedFileBecomesTheDefinition) {
    Instance instance;
    ASSERT_EQ(NPERR_NO_ERROR, instance.New({{"filename", "MyMenu.zbx"}}));
    instance.StreamAsFile(DefinitionPath().c_str());
    ASSERT_EQ(1, instance.data()->ready);
    const auto& entries = instance.data()->menus->definitionEntries;
    ASSERT_EQ(5u, entries.size());
    EXPECT_EQ("Links", entries[0]->name);
    for (size_t j = 0; j < 5; ++j)
        EXPECT_EQ(kDefinitionUrls[j], entries[j]->url) << "entry " << j;
}

TEST_F(StreamIntake, UnreadableAcceptedFileLeavesReadyWithoutDefinition) {
    Instance instance;
    ASSERT_EQ(NPERR_NO_ERROR, instance.New({{"filename", "mymenu.zbx"}}));
    instance.StreamAsFile((ProductDir() + "\\missing\\mymenu.zbx").c_str());
    EXPECT_EQ(1, instance.data()->ready);
    EXPECT_TRUE(instance.data()->menus->definitionEntries.empty());
    EXPECT_EQ(3u, instance.data()->menus->collectionEntries.size());
}

TEST_F(StreamIntake, EmptyOrMissingLocalNameIsIgnored) {
    Instance instance;
    ASSERT_EQ(NPERR_NO_ERROR, instance.New({{"filename", "mymenu.zbx"}}));
    instance.StreamAsFile("");
    EXPECT_EQ(0, instance.data()->ready);
    instance.StreamAsFile(nullptr);
    EXPECT_EQ(0, instance.data()->ready);
    NPStream stream{};
    Plugin().asfile(nullptr, &stream, DefinitionPath().c_str());
    EXPECT_EQ(0, instance.data()->ready);
}

TEST_F(StreamIntake, InstanceWithoutRecordIsIgnored) {
    NPP_t npp{};
    NPStream stream{};
    Plugin().asfile(&npp, &stream, DefinitionPath().c_str());
    EXPECT_EQ(nullptr, npp.pdata);
}

TEST_F(StreamIntake, InstanceThatRequestedNothingTakesNoStream) {
    Instance instance;
    ASSERT_EQ(NPERR_NO_ERROR, instance.New({{"src", "mymenu.zbx"}}));
    // The embed's own source arrives as a stream too.
    instance.StreamAsFile(DefinitionPath().c_str());
    EXPECT_EQ(1, instance.data()->ready);
    EXPECT_TRUE(instance.data()->menus->definitionEntries.empty());
}

TEST_F(StreamIntake, FileAcceptedAgainReplacesTheEntries) {
    Instance instance;
    ASSERT_EQ(NPERR_NO_ERROR, instance.New({{"filename", "mymenu.zbx"}}));
    instance.StreamAsFile(DefinitionPath().c_str());
    instance.StreamAsFile(DefinitionPath().c_str());
    EXPECT_EQ(5u, instance.data()->menus->definitionEntries.size());
}

TEST_F(StreamIntake, StreamEntryPointsTakeEveryStreamAsAFile) {
    Instance instance;
    ASSERT_EQ(NPERR_NO_ERROR, instance.New({{"filename", "mymenu.zbx"}}));
    NPStream stream{};
    uint16_t type = NP_NORMAL;
    char mime[] = "text/html";
    EXPECT_EQ(NPERR_NO_ERROR, Plugin().newstream(instance.npp(), mime, &stream, 0, &type));
    EXPECT_EQ(NP_ASFILE, type);
    EXPECT_EQ(NPERR_INVALID_INSTANCE_ERROR, Plugin().newstream(nullptr, mime, &stream, 0, &type));
    EXPECT_EQ(65535, Plugin().writeready(instance.npp(), &stream));
    char data[4096] = {};
    EXPECT_EQ(4096, Plugin().write(instance.npp(), &stream, 0, sizeof(data), data));
    EXPECT_EQ(NPERR_NO_ERROR, Plugin().destroystream(instance.npp(), &stream, NPRES_DONE));
    EXPECT_EQ(0, instance.data()->ready);
}

}  // namespace
