#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "tests/entry/plugin_library.h"

namespace {

TEST(Exports, OrdinalsOneToThreeInOrder) {
    PluginLibrary plugin;
    ASSERT_TRUE(plugin.module());
    const char* names[] = {"NP_GetEntryPoints", "NP_Initialize", "NP_Shutdown"};
    for (int ordinal = 1; ordinal <= 3; ++ordinal) {
        SCOPED_TRACE(names[ordinal - 1]);
        FARPROC byOrdinal = GetProcAddress(plugin.module(), MAKEINTRESOURCEA(ordinal));
        EXPECT_NE(nullptr, byOrdinal);
        EXPECT_EQ(GetProcAddress(plugin.module(), names[ordinal - 1]), byOrdinal);
    }
    EXPECT_EQ(nullptr, GetProcAddress(plugin.module(), MAKEINTRESOURCEA(4)));
    EXPECT_EQ(nullptr, GetProcAddress(plugin.module(), "NP_Initialize@4"));
    EXPECT_EQ(nullptr, GetProcAddress(plugin.module(), "DllMain"));
}

TEST(Exports, NullTablesGiveInvalidFunctable) {
    PluginLibrary plugin;
    ASSERT_TRUE(plugin.module());
    EXPECT_EQ(NPERR_INVALID_FUNCTABLE_ERROR, plugin.getEntryPoints(nullptr));
    EXPECT_EQ(NPERR_INVALID_FUNCTABLE_ERROR, plugin.initialize(nullptr));

    // Nor does a null browser table complete a stored plug-in table.
    CanaryPluginFuncs table;
    ASSERT_EQ(NPERR_NO_ERROR, plugin.getEntryPoints(&table.funcs));
    const CanaryPluginFuncs filled = table;
    EXPECT_EQ(NPERR_INVALID_FUNCTABLE_ERROR, plugin.initialize(nullptr));
    EXPECT_EQ(0, std::memcmp(&filled, &table, sizeof(table)));
}

TEST(Exports, LoadsAndUnloadsAgainAndAgain) {
    for (int round = 0; round < 25; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        PluginLibrary plugin;
        ASSERT_TRUE(plugin.module());
        CanaryPluginFuncs table;
        NPNetscapeFuncs browser = {};
        browser.version = 0x000B;
        ASSERT_EQ(NPERR_NO_ERROR, plugin.getEntryPoints(&table.funcs));
        ASSERT_EQ(NPERR_NO_ERROR, plugin.initialize(&browser));
    }
}

TEST(Exports, GetEntryPointsFillsTheTableButNotItsSize) {
    PluginLibrary plugin;
    ASSERT_TRUE(plugin.module());
    CanaryPluginFuncs table;
    ASSERT_EQ(NPERR_NO_ERROR, plugin.getEntryPoints(&table.funcs));
    NPPluginFuncs& f = table.funcs;
    EXPECT_TRUE(table.IsCanary(&f.size, sizeof(f.size)));
    EXPECT_EQ(9, f.version);
    const void* slots[] = {reinterpret_cast<void*>(f.newp),          reinterpret_cast<void*>(f.destroy),
                           reinterpret_cast<void*>(f.setwindow),     reinterpret_cast<void*>(f.newstream),
                           reinterpret_cast<void*>(f.destroystream), reinterpret_cast<void*>(f.asfile),
                           reinterpret_cast<void*>(f.writeready),    reinterpret_cast<void*>(f.write),
                           reinterpret_cast<void*>(f.print)};
    for (size_t i = 0; i < sizeof(slots) / sizeof(slots[0]); ++i) {
        SCOPED_TRACE("slot " + std::to_string(i));
        EXPECT_NE(nullptr, slots[i]);
        EXPECT_FALSE(table.IsCanary(&slots[i], sizeof(slots[i])));
    }
    EXPECT_EQ(nullptr, f.event);
    // Completed by NP_Initialize only.
    EXPECT_TRUE(table.IsCanary(&f.urlnotify, sizeof(f.urlnotify)));
    EXPECT_TRUE(table.IsCanary(&f.javaClass, sizeof(f.javaClass)));
    EXPECT_TRUE(table.TailIntact());
}

TEST(Exports, InitializeByBrowserVersion) {
    const struct {
        uint16_t version;
        NPError result;
        bool completes;
    } cases[] = {
        {0x0008, NPERR_NO_ERROR, false},
        {0x0009, NPERR_NO_ERROR, true},
        {0x000B, NPERR_NO_ERROR, true},
        {0x0100, NPERR_INCOMPATIBLE_VERSION_ERROR, false},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE("case " + std::to_string(i) + ": version " + std::to_string(cases[i].version));
        PluginLibrary plugin;
        ASSERT_TRUE(plugin.module());
        CanaryPluginFuncs table;
        ASSERT_EQ(NPERR_NO_ERROR, plugin.getEntryPoints(&table.funcs));
        const CanaryPluginFuncs filled = table;

        unsigned char browser[sizeof(NPNetscapeFuncs) + 64];
        std::memset(browser, kCanary, sizeof(browser));
        reinterpret_cast<NPNetscapeFuncs*>(browser)->version = cases[i].version;
        unsigned char before[sizeof(browser)];
        std::memcpy(before, browser, sizeof(browser));

        EXPECT_EQ(cases[i].result, plugin.initialize(reinterpret_cast<NPNetscapeFuncs*>(browser)));
        EXPECT_EQ(0, std::memcmp(before, browser, sizeof(browser))) << "browser table written";
        if (cases[i].completes) {
            EXPECT_NE(nullptr, table.funcs.urlnotify);
            EXPECT_FALSE(table.IsCanary(&table.funcs.urlnotify, sizeof(table.funcs.urlnotify)));
            EXPECT_EQ(nullptr, table.funcs.javaClass);
            table.funcs.urlnotify(nullptr, "http://x/", NPRES_DONE, nullptr);
            table.funcs.urlnotify = filled.funcs.urlnotify;
            table.funcs.javaClass = filled.funcs.javaClass;
        }
        EXPECT_EQ(0, std::memcmp(&filled, &table, sizeof(table))) << "plug-in table changed";
    }
}

TEST(Exports, InitializeBeforeGetEntryPointsCompletesNothing) {
    PluginLibrary plugin;
    ASSERT_TRUE(plugin.module());
    NPNetscapeFuncs browser = {};
    browser.version = 0x0009;
    EXPECT_EQ(NPERR_NO_ERROR, plugin.initialize(&browser));
    CanaryPluginFuncs table;
    EXPECT_EQ(NPERR_NO_ERROR, plugin.getEntryPoints(&table.funcs));
    EXPECT_EQ(9, table.funcs.version);
}

TEST(Exports, StreamAndInstanceSlots) {
    PluginLibrary plugin;
    ASSERT_TRUE(plugin.module());
    CanaryPluginFuncs table;
    ASSERT_EQ(NPERR_NO_ERROR, plugin.getEntryPoints(&table.funcs));
    NPNetscapeFuncs browser = {};
    browser.version = 0x0009;
    ASSERT_EQ(NPERR_NO_ERROR, plugin.initialize(&browser));
    NPPluginFuncs& f = table.funcs;

    NPP_t instance = {};
    NPStream stream = {};
    char mime[] = "application/vnd.vantrel-zorbit";
    uint16_t stype = 0xbeef;
    EXPECT_EQ(NPERR_INVALID_INSTANCE_ERROR, f.newstream(nullptr, mime, &stream, 0, &stype));
    EXPECT_EQ(0xbeef, stype);
    EXPECT_EQ(NPERR_NO_ERROR, f.newstream(&instance, mime, &stream, 1, &stype));
    EXPECT_EQ(NP_ASFILE, stype);
    EXPECT_EQ(65535, f.writeready(&instance, &stream));
    char data[4096] = {};
    EXPECT_EQ(4096, f.write(&instance, &stream, 0, 4096, data));
    EXPECT_EQ(0, f.write(&instance, &stream, 4096, 0, data));
    EXPECT_EQ(NPERR_NO_ERROR, f.destroystream(&instance, &stream, NPRES_DONE));
    f.asfile(nullptr, &stream, "C:\\menu.zbx");
    f.asfile(&instance, &stream, "");
    f.print(&instance, nullptr);

    EXPECT_EQ(NPERR_INVALID_INSTANCE_ERROR, f.newp(mime, nullptr, NP_EMBED, 0, nullptr, nullptr, nullptr));
    EXPECT_EQ(NPERR_INVALID_INSTANCE_ERROR, f.destroy(nullptr, nullptr));
    NPWindow window = {};
    EXPECT_EQ(NPERR_GENERIC_ERROR, f.setwindow(&instance, nullptr));
    EXPECT_EQ(NPERR_INVALID_INSTANCE_ERROR, f.setwindow(nullptr, &window));
}

}  // namespace
