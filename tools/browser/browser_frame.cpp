#include "tools/browser/browser_frame.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "tools/browser/browser_services.h"
#include "tools/browser/menu_bar_dump.h"
#include "tools/browser/page_parser.h"
#include "tools/browser/plugin_instance.h"
#include "tools/browser/plugin_library.h"
#include "tools/browser/stream_delivery.h"
#include "tools/browser/url_resolver.h"

namespace zorbit::browser {

const char kFrameClass[] = "ZorbitBrowserFrame";
const char kPageViewClass[] = "ZorbitPageView";
const char kContentClass[] = "ZorbitContent";
const char kBrowserName[] = "Zorbit Browser";

namespace {

const UINT kNavigateMessage = WM_APP + 1;
const UINT kDeliverMessage = WM_APP + 2;
const UINT_PTR kDeliveryTimer = 1;
const int kMargin = 8;
const int kDefaultEmbedWidth = 240;
const int kDefaultEmbedHeight = 120;

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string ExeDirectory() {
    char path[MAX_PATH] = "";
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return ".";
    return DirectoryOf(path);
}

std::string CurrentDirectory() {
    char dir[MAX_PATH] = "";
    DWORD n = GetCurrentDirectoryA(MAX_PATH, dir);
    return n == 0 || n >= MAX_PATH ? std::string() : std::string(dir);
}

std::string FullPath(const std::string& path) {
    char full[MAX_PATH] = "";
    DWORD n = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    return n == 0 || n >= MAX_PATH ? path : std::string(full);
}

bool FileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ReadTextFile(const std::string& path, std::string* out) {
    OwnedFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    out->clear();
    char buffer[8192];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) != 0) && got > 0) out->append(buffer, got);
    return ok;
}

std::string ExtensionOf(const std::string& path) {
    size_t dot = path.find_last_of('.');
    size_t slash = path.find_last_of("\\/");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return std::string();
    return path.substr(dot + 1);
}

std::string FileNameOf(const std::string& path) {
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string GuessMimeType(const std::string& path) {
    std::string ext = Lower(ExtensionOf(path));
    if (ext == "htm" || ext == "html") return "text/html";
    if (ext == "txt") return "text/plain";
    return "application/octet-stream";
}

// A width or height attribute: pixels, or a percentage of the available room.
int Dimension(const std::string& value, int available, int fallback) {
    if (value.empty()) return fallback;
    char* end = nullptr;
    long n = std::strtol(value.c_str(), &end, 10);
    if (end == value.c_str() || n < 0) return fallback;
    if (*end == '%') n = available * std::min(n, 100L) / 100;
    return static_cast<int>(std::min(n, 10000L));
}

HMENU BuildMenuBar() {
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, kCmdOpen, "&Open...\tCtrl+O");
    AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(file, MF_STRING, kCmdExit, "E&xit");
    HMENU edit = CreatePopupMenu();
    AppendMenuA(edit, MF_STRING, kCmdCopy, "&Copy\tCtrl+C");
    AppendMenuA(edit, MF_STRING, kCmdSelectAll, "Select &All\tCtrl+A");
    HMENU view = CreatePopupMenu();
    AppendMenuA(view, MF_STRING, kCmdRefresh, "&Refresh\tF5");
    AppendMenuA(view, MF_STRING | MF_CHECKED, kCmdStatusBar, "&Status Bar");
    HMENU go = CreatePopupMenu();
    AppendMenuA(go, MF_STRING, kCmdBack, "&Back\tAlt+Left");
    AppendMenuA(go, MF_STRING, kCmdForward, "&Forward\tAlt+Right");
    HMENU help = CreatePopupMenu();
    AppendMenuA(help, MF_STRING, kCmdAbout, "&About Zorbit Browser");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), "&Edit");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(view), "&View");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(go), "&Go");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), "&Help");
    return bar;
}

bool RegisterClassOnce(const char* name, WNDPROC proc, HBRUSH background) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

BrowserFrame::BrowserFrame(BrowserOptions options) : options_(std::move(options)) {
    std::string logFile = options_.logFile;
    if (logFile.empty()) {
        char env[MAX_PATH] = "";
        DWORD n = GetEnvironmentVariableA("ZORBIT_BROWSER_LOG", env, MAX_PATH);
        if (n > 0 && n < MAX_PATH) logFile = env;
    }
    log_.Open(logFile);
    pluginDir_ = options_.pluginDir.empty() ? ExeDirectory() + "\\Plugins" : FullPath(options_.pluginDir);
}

BrowserFrame::~BrowserFrame() {
    if (frame_) Close();
    instances_.clear();
    for (auto& library : libraries_) library->Stop(log_);
}

bool BrowserFrame::Create(int showCommand) {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterClassOnce(kFrameClass, WindowProc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)) ||
        !RegisterClassOnce(kPageViewClass, WindowProc, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)) ||
        !RegisterClassOnce(kContentClass, WindowProc, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)) ||
        !RegisterPluginWindowClass(instance))
        return false;

    char exe[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    log_.Write(std::string("start ") + exe + " plugins=" + pluginDir_);
    ScanPlugins();

    menu_ = BuildMenuBar();
    dumpMenuBarMessage_ = RegisterWindowMessageA(kDumpMenuBarMessage);
    ACCEL keys[] = {
        {FVIRTKEY | FCONTROL, 'O', kCmdOpen},
        {FVIRTKEY | FCONTROL, 'C', kCmdCopy},
        {FVIRTKEY | FCONTROL, 'A', kCmdSelectAll},
        {FVIRTKEY, VK_F5, kCmdRefresh},
        {FVIRTKEY | FALT, VK_LEFT, kCmdBack},
        {FVIRTKEY | FALT, VK_RIGHT, kCmdForward},
    };
    if (!accelerators_) accelerators_.reset(CreateAcceleratorTableA(keys, sizeof keys / sizeof keys[0]));
    frame_ = CreateWindowExA(0, kFrameClass, kBrowserName, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                             CW_USEDEFAULT, 800, 600, nullptr, menu_, instance, static_cast<WindowBase*>(this));
    if (!frame_) {
        DestroyMenu(menu_);
        menu_ = nullptr;
        return false;
    }
    pageView_ = CreateWindowExA(WS_EX_CLIENTEDGE, kPageViewClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                10, 10, frame_, nullptr, instance, static_cast<WindowBase*>(&pageViewWindow_));
    content_ = CreateWindowExA(0, kContentClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 10, 10,
                               pageView_, nullptr, instance, static_cast<WindowBase*>(&contentWindow_));
    text_ = CreateWindowExA(0, "EDIT", "",
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL |
                                WS_CLIPSIBLINGS,
                            0, 0, 10, 10, content_, nullptr, instance, nullptr);
    SendMessageA(text_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    SendMessageA(text_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(kMargin, kMargin));
    status_ = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, frame_,
                              nullptr, instance, nullptr);
    LayoutFrame();
    ShowWindow(frame_, showCommand);
    UpdateWindow(frame_);
    SetStatus("Done");
    return true;
}

void BrowserFrame::ScanPlugins() {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    OwnedFind search(FindFirstFileA((pluginDir_ + "\\*.dll").c_str(), &found));
    if (search) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
        } while (FindNextFileA(search.get(), &found));
    }
    std::sort(names.begin(), names.end());
    for (const auto& name : names) {
        std::string path = pluginDir_ + "\\" + name;
        PluginRegistration registration;
        if (!ReadPluginRegistration(path, &registration)) continue;
        std::string types;
        for (const auto& t : registration.mimeTypes) types += (types.empty() ? "" : "|") + t;
        log_.Write("plugin " + path + " types=" + types);
        libraries_.push_back(std::make_unique<PluginLibrary>(path, std::move(registration)));
    }
}

PluginLibrary* BrowserFrame::FindLibrary(const std::string& mimeType, const std::string& source,
                                         std::string* typeUsed) {
    for (auto& library : libraries_) {
        if (!mimeType.empty() && library->Serves(mimeType)) {
            *typeUsed = mimeType;
            return library.get();
        }
    }
    if (!mimeType.empty()) return nullptr;
    std::string ext = ExtensionOf(source);
    if (ext.empty()) return nullptr;
    for (auto& library : libraries_) {
        const auto& extensions = library->registration().extensions;
        for (size_t i = 0; i < extensions.size(); ++i) {
            if (Lower(extensions[i]) != Lower(ext)) continue;
            const auto& types = library->registration().mimeTypes;
            *typeUsed = i < types.size() ? types[i] : types.front();
            return library.get();
        }
    }
    return nullptr;
}

std::string BrowserFrame::ResolveForPage(const std::string& url) const {
    std::string base = pagePath_.empty() ? CurrentDirectory() : DirectoryOf(pagePath_);
    return ResolveLocalPath(url, base);
}

bool BrowserFrame::OpenPage(const std::string& page) {
    if (!frame_ || closing_) return false;
    std::string path = ResolveLocalPath(page, CurrentDirectory());
    if (path.empty()) {
        log_.Write("remote " + page);
        SetStatus("Cannot open " + page);
        return false;
    }
    return LoadPage(path, true);
}

bool BrowserFrame::LoadPage(const std::string& path, bool addToHistory) {
    std::string html;
    if (!ReadTextFile(path, &html)) {
        log_.Write("missing " + path);
        SetStatus("Cannot open " + path);
        return false;
    }
    busy_ = true;
    ClearPage();
    log_.Write("open " + path);
    pagePath_ = path;
    if (addToHistory) {
        if (!history_.empty()) history_.resize(historyIndex_ + 1);
        history_.push_back(path);
        historyIndex_ = history_.size() - 1;
    }
    PageContent page = ParsePage(html);
    title_ = page.title;
    std::string caption = (title_.empty() ? FileNameOf(path) : title_) + " - " + kBrowserName;
    SetWindowTextA(frame_, caption.c_str());
    SetWindowTextA(text_, page.text.c_str());
    SetStatus("Done");

    for (const auto& embed : page.embeds) {
        std::string source = embed.Attribute("src");
        std::string type;
        PluginLibrary* library = FindLibrary(embed.Attribute("type"), source, &type);
        if (!library) {
            log_.Write("noplugin " + embed.Attribute("type"));
            continue;
        }
        if (!library->Start(BrowserFuncs(), log_)) continue;
        PlacedInstance placed;
        placed.instance =
            std::make_unique<PluginInstance>(nextInstanceId_++, this, library, type, embed.attributes);
        placed.width = embed.Attribute("width");
        placed.height = embed.Attribute("height");
        placed.source = source;
        placed.instance->CreateWindowIn(content_, kMargin, kMargin, 1, 1);
        instances_.push_back(std::move(placed));
    }
    LayoutContent(false);
    for (auto& placed : instances_) {
        PluginInstance& instance = *placed.instance;
        if (instance.New(log_) != NPERR_NO_ERROR) {
            instance.Destroy(log_);
            continue;
        }
        instance.SetWindow(log_);
        if (placed.source.empty()) continue;
        std::string source = ResolveForPage(placed.source);
        if (source.empty()) {
            log_.Write("remote " + placed.source);
        } else if (!FileExists(source)) {
            log_.Write("missing " + source);
        } else {
            // An embed's own "src" comes to its instance as its first stream.
            QueueDelivery(&instance, source, instance.mimeType());
        }
    }
    instances_.erase(std::remove_if(instances_.begin(), instances_.end(),
                                    [](const PlacedInstance& p) { return !p.instance->alive(); }),
                     instances_.end());
    LayoutContent(false);
    busy_ = false;
    if (!deliveries_.empty()) PostMessageA(frame_, kDeliverMessage, 0, 0);
    if (!navigations_.empty()) PostMessageA(frame_, kNavigateMessage, 0, 0);
    return true;
}

void BrowserFrame::ClearPage() {
    for (auto& delivery : deliveries_) {
        if (PluginInstance* instance = LiveInstance(delivery->instanceId())) delivery->Abort(*instance, log_);
    }
    deliveries_.clear();
    for (auto& placed : instances_) placed.instance->Destroy(log_);
    instances_.clear();
}

PluginInstance* BrowserFrame::LiveInstance(int id) {
    for (auto& placed : instances_) {
        if (placed.instance->id() == id && placed.instance->alive()) return placed.instance.get();
    }
    return nullptr;
}

void BrowserFrame::QueueDelivery(PluginInstance* instance, const std::string& path, const std::string& mimeType) {
    deliveries_.push_back(std::make_unique<StreamDelivery>(instance->id(), FileUrlFor(path), path, mimeType));
    PostMessageA(frame_, kDeliverMessage, 0, 0);
}

NPError BrowserFrame::RequestUrl(PluginInstance* instance, const char* url, const char* target) {
    if (closing_) return NPERR_GENERIC_ERROR;
    std::string address = url;
    if (!target) {
        log_.Write("geturl " + address + " target=(null)");
    } else {
        log_.Write("navigate " + address + " target=" + target);
    }
    std::string path = ResolveForPage(address);
    if (path.empty()) {
        // Only local files are fetched.
        log_.Write("remote " + address);
        if (target) SetStatus("Not opened (remote address): " + address);
        return NPERR_GENERIC_ERROR;
    }
    if (!FileExists(path)) {
        log_.Write("missing " + path);
        if (target) SetStatus("Cannot open " + path);
        return NPERR_GENERIC_ERROR;
    }
    if (!target) {
        QueueDelivery(instance, path, GuessMimeType(path));
        return NPERR_NO_ERROR;
    }
    // Every target ("_top", "_self", "_blank" or a named one) is this one
    // page area. The page changes after the plug-in's call has returned.
    navigations_.push_back(path);
    PostMessageA(frame_, kNavigateMessage, 0, 0);
    return NPERR_NO_ERROR;
}

void BrowserFrame::ShowPluginStatus(const std::string& text) {
    log_.Write("status " + text);
    SetStatus(text);
}

void BrowserFrame::SetStatus(const std::string& text) {
    if (status_) SendMessageA(status_, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void BrowserFrame::RunNavigations() {
    if (busy_ || closing_) return;
    if (navigations_.empty()) return;
    // One page per message, so that a page that keeps sending the browser
    // elsewhere cannot stop the window from answering.
    std::string path = navigations_.front();
    navigations_.pop_front();
    LoadPage(path, true);
    if (!navigations_.empty()) PostMessageA(frame_, kNavigateMessage, 0, 0);
}

void BrowserFrame::RunDeliveries() {
    if (busy_ || closing_) return;
    busy_ = true;
    KillTimer(frame_, kDeliveryTimer);
    bool waiting = false;
    while (!deliveries_.empty() && !closing_) {
        StreamDelivery* delivery = deliveries_.front().get();
        PluginInstance* instance = LiveInstance(delivery->instanceId());
        if (!instance) {
            deliveries_.pop_front();
            continue;
        }
        StreamDelivery::Outcome outcome = delivery->Run(*instance, log_);
        if (outcome == StreamDelivery::Outcome::kWaiting) {
            waiting = true;
            break;
        }
        deliveries_.pop_front();
        // Browsers lay the page out again once content has arrived; the
        // plug-in sees its window again then.
        if (outcome == StreamDelivery::Outcome::kFinished && instance->alive()) instance->SetWindow(log_);
    }
    busy_ = false;
    if (closing_) return;
    if (waiting) SetTimer(frame_, kDeliveryTimer, 10, nullptr);
    if (!navigations_.empty()) PostMessageA(frame_, kNavigateMessage, 0, 0);
}

void BrowserFrame::LayoutFrame() {
    if (!frame_) return;
    RECT client;
    GetClientRect(frame_, &client);
    int statusHeight = 0;
    if (status_ && IsWindowVisible(status_)) {
        SendMessageA(status_, WM_SIZE, 0, 0);
        RECT r;
        GetWindowRect(status_, &r);
        statusHeight = r.bottom - r.top;
    }
    if (pageView_) MoveWindow(pageView_, 0, 0, client.right, std::max(0L, client.bottom - statusHeight), TRUE);
}

void BrowserFrame::LayoutContent(bool notifyPlugins) {
    if (!content_) return;
    RECT client;
    GetClientRect(content_, &client);
    int available = std::max(0L, client.right - 2 * kMargin);
    int availableHeight = std::max(0L, client.bottom - 2 * kMargin);
    int y = kMargin;
    for (auto& placed : instances_) {
        PluginInstance& instance = *placed.instance;
        if (!instance.window()) continue;
        int width = Dimension(placed.width, available, kDefaultEmbedWidth);
        int height = Dimension(placed.height, availableHeight, kDefaultEmbedHeight);
        instance.MoveWindowTo(kMargin, y, width, height);
        y += height + kMargin;
        if (notifyPlugins && instance.alive()) instance.SetWindow(log_);
    }
    if (text_) MoveWindow(text_, 0, y, client.right, std::max(0L, client.bottom - y), TRUE);
}

void BrowserFrame::OnCommand(UINT id) {
    switch (id) {
    case kCmdOpen: {
        char file[MAX_PATH] = "";
        OPENFILENAMEA ofn = {};
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = frame_;
        ofn.lpstrFilter = "Web pages (*.htm;*.html)\0*.htm;*.html\0All files (*.*)\0*.*\0";
        ofn.lpstrFile = file;
        ofn.nMaxFile = MAX_PATH;
        ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
        if (GetOpenFileNameA(&ofn)) {
            navigations_.push_back(file);
            PostMessageA(frame_, kNavigateMessage, 0, 0);
        }
        break;
    }
    case kCmdExit:
        PostMessageA(frame_, WM_CLOSE, 0, 0);
        break;
    case kCmdCopy:
        SendMessageA(text_, WM_COPY, 0, 0);
        break;
    case kCmdSelectAll:
        SendMessageA(text_, EM_SETSEL, 0, -1);
        break;
    case kCmdRefresh:
        if (!pagePath_.empty() && !busy_) LoadPage(pagePath_, false);
        break;
    case kCmdStatusBar: {
        bool show = !IsWindowVisible(status_);
        ShowWindow(status_, show ? SW_SHOW : SW_HIDE);
        CheckMenuItem(menu_, kCmdStatusBar, show ? MF_CHECKED : MF_UNCHECKED);
        LayoutFrame();
        break;
    }
    case kCmdBack:
        if (historyIndex_ > 0 && !busy_) {
            --historyIndex_;
            LoadPage(history_[historyIndex_], false);
        }
        break;
    case kCmdForward:
        if (historyIndex_ + 1 < history_.size() && !busy_) {
            ++historyIndex_;
            LoadPage(history_[historyIndex_], false);
        }
        break;
    case kCmdAbout:
        MessageBoxA(frame_, "Zorbit Browser\n\nA small web browser that hosts Netscape-style plug-ins.",
                    "About Zorbit Browser", MB_OK | MB_ICONINFORMATION);
        break;
    default:
        break;
    }
}

void BrowserFrame::Close() {
    if (closing_) return;
    closing_ = true;
    if (frame_) KillTimer(frame_, kDeliveryTimer);
    navigations_.clear();
    ClearPage();
    // NP_Shutdown comes last, after every instance of the library is gone.
    for (auto& library : libraries_) library->Stop(log_);
    log_.Write("close");
    if (frame_) DestroyWindow(frame_);
}

LRESULT BrowserFrame::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) frame_ = Window();
    if (!frame_) return Default(message, wParam, lParam);
    switch (message) {
    case WM_SIZE:
        LayoutFrame();
        return 0;
    case WM_COMMAND:
        // Menus and keyboard shortcuts; notifications from controls carry a window.
        if (lParam == 0) OnCommand(LOWORD(wParam));
        return 0;
    case WM_INITMENUPOPUP:
        OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
        return 0;
    case WM_TIMER:
        if (wParam == kDeliveryTimer) RunDeliveries();
        return 0;
    case kNavigateMessage:
        RunNavigations();
        return 0;
    case kDeliverMessage:
        RunDeliveries();
        return 0;
    case WM_CLOSE:
        Close();
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    }
    if (message == dumpMenuBarMessage_ && dumpMenuBarMessage_) {
        DumpMenuBar(GetMenu(frame_), log_);
        return 1;
    }
    return Default(message, wParam, lParam);
}

void BrowserFrame::OnInitMenuPopup(HMENU popup) {
    EnableMenuItem(popup, kCmdBack, historyIndex_ > 0 ? MF_ENABLED : MF_GRAYED);
    EnableMenuItem(popup, kCmdForward, historyIndex_ + 1 < history_.size() ? MF_ENABLED : MF_GRAYED);
}

void BrowserFrame::OnDestroy() {
    if (!closing_) {
        // Destroyed without WM_CLOSE: the plug-ins still go first.
        closing_ = true;
        ClearPage();
        for (auto& library : libraries_) library->Stop(log_);
        log_.Write("close");
    }
    frame_ = nullptr;
    if (options_.quitOnClose) PostQuitMessage(0);
}

void BrowserFrame::OnUnhandledError(const char* what) noexcept {
    try {
        log_.Write(std::string("error ") + (what ? what : "unknown"));
    } catch (...) {
    }
}

LRESULT BrowserFrame::OnPageViewMessage(Pane& pane, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        if (!content_) break;
        MoveWindow(content_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    }
    return pane.Default(message, wParam, lParam);
}

LRESULT BrowserFrame::OnContentMessage(Pane& pane, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        if (closing_) break;
        // Browsers tell each plug-in its window again when the page is laid out anew.
        LayoutContent(!busy_);
        return 0;
    case WM_CTLCOLORSTATIC:
        // The read-only page text on the page's white, not dialog grey.
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    return pane.Default(message, wParam, lParam);
}

int RunMessageLoop(BrowserFrame& frame) {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (frame.hwnd() && TranslateAcceleratorA(frame.hwnd(), frame.accelerators(), &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace zorbit::browser
