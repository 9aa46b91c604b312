#include "tests/instance/browser_stand_in.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

#include "plugin/menus/command_ids.h"
#include "tests/entry/plugin_library.h"
#include "tests/support/files.h"
#include "tests/support/state_scopes.h"

namespace instance_test {

namespace {

constexpr size_t kGuardBytes = 32;
constexpr unsigned char kGuard = 0xC7;

BrowserRecord g_browser;
NPPluginFuncs g_pluginFuncs;
NPNetscapeFuncs g_browserFuncs;
std::string g_productDir;

NPError GetUrl(NPP npp, const char* url, const char* target) {
    g_browser.urls.push_back({npp, url ? url : "<null>", target ? target : "<null>"});
    if (g_browser.onGetUrl)
        g_browser.onGetUrl();
    return NPERR_NO_ERROR;
}

void Status(NPP npp, const char* text) {
    g_browser.statuses.push_back({npp, text ? text : "<null>", GetTickCount()});
}

void* MemAlloc(uint32_t size) {
    if (g_browser.failNextAlloc) {
        g_browser.failNextAlloc = false;
        return nullptr;
    }
    return BrowserAlloc(size);
}

void MemFree(void* block) {
    auto& live = g_browser.liveBlocks;
    auto it = std::find(live.begin(), live.end(), block);
    if (it == live.end()) {
        ADD_FAILURE() << "memfree of a block that is not live: " << block;
        return;
    }
    live.erase(it);
    unsigned char* bytes = static_cast<unsigned char*>(block) - sizeof(size_t);
    size_t size;
    std::memcpy(&size, bytes, sizeof(size));
    for (size_t i = 0; i < kGuardBytes; ++i)
        if (bytes[sizeof(size_t) + size + i] != kGuard) {
            ++g_browser.overrunBlocks;
            break;
        }
    g_browser.freedBlocks.push_back(block);
    std::free(bytes);
}

using support::WriteBytes;

// Loads the library once for the run, with a product directory of its own
// that the profile entry names; puts the profile entry back afterwards.
class StandInEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        profile_.emplace();
        productDir_.emplace("zbi");
        g_productDir = productDir_->Path();
        ASSERT_FALSE(g_productDir.empty());
        WriteProfileStringA("Zorbit", "ZorbitDir", g_productDir.c_str());
        WriteBytes(g_productDir + "\\ZBIndex.ini",
                   std::string("[Bazrelle]\r\n") + "Home=" + kCollectionUrls[0] + "\r\n" + "Travel=" +
                       kCollectionUrls[1] + "\r\n" + "Music=" + kCollectionUrls[2] + "\r\n");
        WriteBytes(DefinitionPath(),
                   "<html><body>\r\n"
                   "<embed type=\"application/vnd.vantrel-zorbit\" filename=\"mymenu.zbx\">\r\n"
                   "TITLE \"Links\"\r\n"
                   "MENUITEM \"One;http://one.example/\"\r\n"
                   "MENUITEM \"Two;http://two.example/\"\r\n"
                   "MENUITEM \"No address\"\r\n"
                   "MENUITEM \"Four;http://four.example/\"\r\n"
                   "TITLE \"END\"\r\n"
                   "</body></html>\r\n");

        Load();
    }

    // As a browser does when a page needs the plug-in again.
    void Load() {
        library_ = std::make_unique<PluginLibrary>();
        ASSERT_TRUE(library_->getEntryPoints && library_->initialize);
        std::memset(&g_pluginFuncs, 0, sizeof(g_pluginFuncs));
        g_pluginFuncs.size = sizeof(g_pluginFuncs);
        ASSERT_EQ(NPERR_NO_ERROR, library_->getEntryPoints(&g_pluginFuncs));
        std::memset(&g_browserFuncs, 0, sizeof(g_browserFuncs));
        g_browserFuncs.size = sizeof(g_browserFuncs);
        g_browserFuncs.version = (NP_VERSION_MAJOR << 8) | NP_VERSION_MINOR;
        g_browserFuncs.geturl = GetUrl;
        g_browserFuncs.status = Status;
        g_browserFuncs.memalloc = MemAlloc;
        g_browserFuncs.memfree = MemFree;
        ASSERT_EQ(NPERR_NO_ERROR, library_->initialize(&g_browserFuncs));
    }

    void ShutDown() {
        if (!library_ || !library_->shutdown)
            return;
        EXPECT_EQ(NPERR_NO_ERROR, library_->shutdown());
        FreeLibrary(library_->Release());
        library_.reset();
    }

    void TearDown() override {
        if (library_ && library_->shutdown) {
            EXPECT_EQ(NPERR_NO_ERROR, library_->shutdown());
        }
        library_.reset();
        productDir_.reset();
        profile_.reset();
    }

private:
    std::unique_ptr<PluginLibrary> library_;
    std::optional<support::ZorbitProfileScope> profile_;
    std::optional<support::TempFolder> productDir_;
};

StandInEnvironment* const g_environment =
    static_cast<StandInEnvironment*>(::testing::AddGlobalTestEnvironment(new StandInEnvironment));

}  // namespace

const char* const kCollectionUrls[3] = {"http://home.example/", "http://travel.example/",
                                        "http://music.example/"};
const char* const kDefinitionUrls[5] = {"", "http://one.example/", "http://two.example/", "",
                                        "http://four.example/"};

void BrowserRecord::Clear() {
    urls.clear();
    statuses.clear();
    freedBlocks.clear();
    overrunBlocks = 0;
    failNextAlloc = false;
    onGetUrl = nullptr;
}

BrowserRecord& Browser() { return g_browser; }

void* BrowserAlloc(uint32_t size) {
    unsigned char* bytes = static_cast<unsigned char*>(std::malloc(sizeof(size_t) + size + kGuardBytes));
    const size_t stored = size;
    std::memcpy(bytes, &stored, sizeof(stored));
    // Not zeroed: every field the plug-in relies on must be set by it.
    std::memset(bytes + sizeof(size_t), 0xEE, size);
    std::memset(bytes + sizeof(size_t) + size, kGuard, kGuardBytes);
    void* block = bytes + sizeof(size_t);
    g_browser.liveBlocks.push_back(block);
    return block;
}

const NPPluginFuncs& Plugin() { return g_pluginFuncs; }
void ShutDownLibrary() { g_environment->ShutDown(); }
void LoadLibraryAgain() { g_environment->Load(); }
const std::string& ProductDir() { return g_productDir; }
std::string DefinitionPath() { return g_productDir + "\\mymenu.zbx"; }

Frame::Frame(bool visible) : support::Frame(true, visible) {
    AddPluginWindow();
    PumpPending();
}

Frame::~Frame() {
    if (IsWindow(hwnd()))
        DestroyWindow(hwnd());
    PumpPending();
}

Instance::~Instance() {
    if (created_ && npp_.pdata)
        Destroy();
}

NPError Instance::New(const std::vector<std::pair<const char*, const char*>>& attributes) {
    std::vector<char*> names;
    std::vector<char*> values;
    for (const auto& attribute : attributes) {
        names.push_back(const_cast<char*>(attribute.first));
        values.push_back(const_cast<char*>(attribute.second));
    }
    created_ = true;
    char type[] = "application/vnd.vantrel-zorbit";
    return Plugin().newp(type, &npp_, NP_EMBED, static_cast<int16_t>(attributes.size()),
                         names.empty() ? nullptr : names.data(), values.empty() ? nullptr : values.data(),
                         nullptr);
}

NPError Instance::SetWindow(HWND hwnd) {
    window_.window = hwnd;
    window_.width = 40;
    window_.height = 30;
    return Plugin().setwindow(&npp_, &window_);
}

NPError Instance::SetWindowDescription(NPWindow* description) { return Plugin().setwindow(&npp_, description); }

void Instance::StreamAsFile(const char* path) {
    NPStream stream{};
    stream.url = path;
    Plugin().asfile(&npp_, &stream, path);
}

NPError Instance::Destroy() {
    created_ = false;
    return Plugin().destroy(&npp_, nullptr);
}

void ChooseFromMenu(HWND frame, WPARAM identifier) {
    PostMessageA(frame, WM_COMMAND, identifier, 0);
    PumpPending();
}

}  // namespace instance_test
