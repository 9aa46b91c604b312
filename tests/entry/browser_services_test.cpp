// The browser services and the table they go through, in this process (the
// library's services are not exported).
#include <gtest/gtest.h>

#include <string>

#include "plugin/entry/browser_services.h"
#include "plugin/entry/entry_points.h"

namespace {

struct Calls {
    int count = 0;
    NPP instance = nullptr;
    std::string url, window, message;
    bool nullWindow = false;
    uint32_t size = 0;
    void* freed = nullptr;
} g_calls;

char g_block[16];

NPError FakeGetURL(NPP instance, const char* url, const char* window) {
    ++g_calls.count;
    g_calls.instance = instance;
    g_calls.url = url;
    g_calls.nullWindow = !window;
    g_calls.window = window ? window : "";
    return NPERR_GENERIC_ERROR;
}
void FakeStatus(NPP instance, const char* message) {
    ++g_calls.count;
    g_calls.instance = instance;
    g_calls.message = message;
}
void* FakeMemAlloc(uint32_t size) {
    ++g_calls.count;
    g_calls.size = size;
    return g_block;
}
void FakeMemFree(void* ptr) {
    ++g_calls.count;
    g_calls.freed = ptr;
}

NPNetscapeFuncs FakeBrowser(uint16_t version) {
    NPNetscapeFuncs funcs = {};
    funcs.size = sizeof(funcs);
    funcs.version = version;
    funcs.geturl = FakeGetURL;
    funcs.status = FakeStatus;
    funcs.memalloc = FakeMemAlloc;
    funcs.memfree = FakeMemFree;
    return funcs;
}

// Every service once; the number of calls that reached the browser.
int CallEverything(NPP instance, NPError* getUrl, void** block) {
    g_calls = Calls();
    *getUrl = NPN_GetURL(instance, "menu.zbx", nullptr);
    NPN_Status(instance, " sURL ");
    *block = NPN_MemAlloc(24);
    NPN_MemFree(g_block);
    return g_calls.count;
}

TEST(BrowserServices, PassArgumentsAndResultsThrough) {
    NPNetscapeFuncs browser = FakeBrowser(0x0009);
    ASSERT_EQ(NPERR_NO_ERROR, NP_Initialize(&browser));
    NPP_t instance = {};

    g_calls = Calls();
    EXPECT_EQ(NPERR_GENERIC_ERROR, NPN_GetURL(&instance, "http://a/", "_top"));
    EXPECT_EQ(&instance, g_calls.instance);
    EXPECT_EQ("http://a/", g_calls.url);
    EXPECT_EQ("_top", g_calls.window);
    EXPECT_EQ(NPERR_GENERIC_ERROR, NPN_GetURL(&instance, "menu.zbx", nullptr));
    EXPECT_TRUE(g_calls.nullWindow);
    NPN_Status(&instance, " sURL ");
    EXPECT_EQ(" sURL ", g_calls.message);
    EXPECT_EQ(g_block, NPN_MemAlloc(100));
    EXPECT_EQ(100u, g_calls.size);
    NPN_MemFree(g_block);
    EXPECT_EQ(g_block, g_calls.freed);
    EXPECT_EQ(5, g_calls.count);

    // A null table is refused and the stored one stays.
    EXPECT_EQ(NPERR_INVALID_FUNCTABLE_ERROR, NP_Initialize(nullptr));
    EXPECT_EQ(&browser, BrowserFuncs());
    NPError result;
    void* block;
    EXPECT_EQ(4, CallEverything(&instance, &result, &block));
    EXPECT_EQ(NPERR_NO_ERROR, NP_Shutdown());
}

TEST(BrowserServices, TableIsForgottenAtShutdown) {
    NPNetscapeFuncs browser = FakeBrowser(0x000B);
    ASSERT_EQ(NPERR_NO_ERROR, NP_Initialize(&browser));
    EXPECT_EQ(NPERR_NO_ERROR, NP_Shutdown());
    EXPECT_EQ(nullptr, BrowserFuncs());
    NPP_t instance = {};
    NPError result = NPERR_NO_ERROR;
    void* block = g_block;
    EXPECT_EQ(0, CallEverything(&instance, &result, &block));
    EXPECT_EQ(NPERR_INVALID_FUNCTABLE_ERROR, result);
    EXPECT_EQ(nullptr, block);
}

TEST(BrowserServices, IncompatibleBrowserIsStillStored) {
    NPNetscapeFuncs browser = FakeBrowser(0x0100);
    EXPECT_EQ(NPERR_INCOMPATIBLE_VERSION_ERROR, NP_Initialize(&browser));
    EXPECT_EQ(&browser, BrowserFuncs());
    SetBrowserFuncs(nullptr);
}

TEST(BrowserServices, MissingSlotsAreNotCalled) {
    NPNetscapeFuncs browser = {};
    browser.version = 0x0009;
    SetBrowserFuncs(&browser);
    NPP_t instance = {};
    NPError result = NPERR_NO_ERROR;
    void* block = g_block;
    EXPECT_EQ(0, CallEverything(&instance, &result, &block));
    EXPECT_EQ(NPERR_INVALID_FUNCTABLE_ERROR, result);
    EXPECT_EQ(nullptr, block);
    SetBrowserFuncs(nullptr);
}

}  // namespace
