#include "tests/instance/browser_stand_in.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "plugin/menus/command_ids.h"
#include "tests/entry/plugin_library.h"

namespace instance_test {

namespace {

constexpr size_t kGuardBytes = 32;
constexpr unsigned char kGuard = 0xC7;

BrowserRecord g_browser;
NPPluginFuncs g_pluginFuncs;
NPNetscapeFuncs g_browserFuncs;
std::string g_productDir;
std::vector<Received> g_pluginMessages;

NPError GetUrl(NPP npp, const char* url, const char* target) {
    g_browser.urls.push_back({npp, url ? url : "<null>", target ? target : "<null>"});
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

LRESULT CALLBACK PluginWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PLUGIN_COMMAND || message == WM_PLUGIN_SELECT || message == WM_TIMER ||
        message == WM_PAINT)
        g_pluginMessages.push_back({hwnd, message, wParam});
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void Register(const char* name, WNDPROC proc) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = name;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    RegisterClassA(&wc);
}

HMENU BrowserMenuBar() {
    HMENU bar = CreateMenu();
    const char* names[] = {"File", "Edit", "View"};
    for (UINT i = 0; i < 3; ++i) {
        HMENU popup = CreatePopupMenu();
        AppendMenuA(popup, MF_STRING, i + 1, names[i]);
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), names[i]);
    }
    return bar;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file) << path;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(bytes.size(), written) << path;
}

// Loads the library once for the run, with a product directory of its own
// that the profile entry names; puts the profile entry back afterwards.
class StandInEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        char value[512];
        GetProfileStringA("Zorbit", "ZorbitDir", "\x01", value, sizeof(value));
        hadValue_ = std::string(value) != "\x01";
        oldValue_ = value;

        char temp[MAX_PATH];
        ASSERT_NE(0u, GetTempPathA(MAX_PATH, temp));
        char unique[MAX_PATH];
        ASSERT_NE(0u, GetTempFileNameA(temp, "zbi", 0, unique));
        DeleteFileA(unique);
        ASSERT_TRUE(CreateDirectoryA(unique, nullptr));
        g_productDir = unique;
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

        Register("ZorbitInstanceTestFrame", FrameProc);
        Register("ZorbitInstanceTestPane", FrameProc);
        Register("ZorbitInstanceTestPlugin", PluginWindowProc);

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
        DeleteFileA((g_productDir + "\\ZBIndex.ini").c_str());
        DeleteFileA(DefinitionPath().c_str());
        RemoveDirectoryA(g_productDir.c_str());
        if (hadValue_)
            WriteProfileStringA("Zorbit", "ZorbitDir", oldValue_.c_str());
        else
            WriteProfileStringA("Zorbit", "ZorbitDir", nullptr);
    }

private:
    std::unique_ptr<PluginLibrary> library_;
    bool hadValue_ = false;
    std::string oldValue_;
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
const std::string& ProductDir() { return g_productDir; }
std::string DefinitionPath() { return g_productDir + "\\mymenu.zbx"; }
std::vector<Received>& PluginWindowMessages() { return g_pluginMessages; }
WNDPROC PluginWindowClassProc() { return PluginWindowProc; }

Frame::Frame(bool visible) {
    HINSTANCE module = GetModuleHandleA(nullptr);
    const DWORD style = WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0);
    frame_ = CreateWindowExA(0, "ZorbitInstanceTestFrame", "Browser", style, 40, 30,
                             640, 400, nullptr, BrowserMenuBar(), module, nullptr);
    outer_ = CreateWindowExA(0, "ZorbitInstanceTestPane", "", WS_CHILD | WS_VISIBLE, 0, 0, 600, 300, frame_,
                             nullptr, module, nullptr);
    middle_ = CreateWindowExA(0, "ZorbitInstanceTestPane", "", WS_CHILD | WS_VISIBLE, 0, 0, 580, 280, outer_,
                              nullptr, module, nullptr);
    plugin_ = AddPluginWindow();
    PumpPending();
}

HWND Frame::AddPluginWindow() {
    return CreateWindowExA(0, "ZorbitInstanceTestPlugin", "", WS_CHILD | WS_VISIBLE, 10, 10, 40, 30, middle_,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
}

Frame::~Frame() {
    if (IsWindow(frame_))
        DestroyWindow(frame_);
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

void PumpPending() {
    const UINT marker = WM_APP + 77;
    for (int round = 0; round < 20; ++round) {
        PostThreadMessageA(GetCurrentThreadId(), marker, 0, 0);
        int dispatched = 0;
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            if (msg.hwnd == nullptr && msg.message == marker)
                break;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            ++dispatched;
        }
        if (dispatched == 0)
            return;
    }
}

void PumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    // PeekMessage, unlike a marker-ended round, also takes timer messages,
    // which come only once nothing else is waiting.
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (GetTickCount() - start < ms);
}

std::vector<MenuItem> ReadItems(HMENU menu) {
    std::vector<MenuItem> items;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MenuItem item;
        char text[256] = "";
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof(text);
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info)) {
            ADD_FAILURE() << "GetMenuItemInfoA failed at position " << i;
            continue;
        }
        item.type = info.fType;
        item.id = info.wID;
        item.submenu = info.hSubMenu;
        if (!(info.fType & (MFT_BITMAP | MFT_SEPARATOR)))
            item.text = text;
        items.push_back(item);
    }
    return items;
}

void ChooseFromMenu(HWND frame, WPARAM identifier) {
    PostMessageA(frame, WM_COMMAND, identifier, 0);
    PumpPending();
}

}  // namespace instance_test
