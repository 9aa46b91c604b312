// The browser's frame window: menu bar, page area and status bar; it opens
// local pages, makes one plug-in instance per embedded object, delivers the
// addresses plug-ins ask for and follows their navigation requests.
//
// Windows: frame ("ZorbitBrowserFrame") > page view ("ZorbitPageView") >
// content ("ZorbitContent") > plug-in windows ("ZorbitPluginWindow") and the
// page text (a read-only edit control).
#pragma once

#include <windows.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "common/owned_handles.h"
#include "common/window_base.h"
#include "plugin/entry/npapi.h"
#include "tools/browser/browser_host.h"
#include "tools/browser/browser_log.h"

namespace zorbit::browser {

class PluginInstance;
class PluginLibrary;
class StreamDelivery;

extern const char kFrameClass[];
extern const char kPageViewClass[];
extern const char kContentClass[];
extern const char kBrowserName[];  // "Zorbit Browser"

// Menu command identifiers of the frame's own menus. They stay below the
// range a plug-in may use for menus it adds to the bar.
enum FrameCommand : UINT {
    kCmdOpen = 1001,
    kCmdExit = 1002,
    kCmdCopy = 1011,
    kCmdSelectAll = 1012,
    kCmdRefresh = 1021,
    kCmdStatusBar = 1022,
    kCmdBack = 1031,
    kCmdForward = 1032,
    kCmdAbout = 1041,
};

struct BrowserOptions {
    std::string pluginDir;  // "" for "Plugins" beside the executable
    std::string logFile;    // "" for the ZORBIT_BROWSER_LOG variable, if set
    bool quitOnClose = true;  // post WM_QUIT when the frame is destroyed
};

class BrowserFrame : public WindowBase, public BrowserHost {
public:
    explicit BrowserFrame(BrowserOptions options);
    ~BrowserFrame() override;

    // Registers the window classes, scans the plug-in folder and makes the
    // frame (shown with showCommand).
    bool Create(int showCommand);

    // Opens a local page now (path, drive path or file: URL; relative to the
    // current directory). False when it cannot be read; the old page stays.
    bool OpenPage(const std::string& page);

    // Destroys the instances, shuts the plug-in libraries down and destroys
    // the frame. WM_CLOSE does the same.
    void Close();

    HWND hwnd() const { return frame_; }
    HACCEL accelerators() const { return accelerators_.get(); }
    HWND statusBar() const { return status_; }
    HWND content() const { return content_; }
    const std::string& pageTitle() const { return title_; }
    const std::string& pagePath() const { return pagePath_; }
    const std::string& pluginDir() const { return pluginDir_; }
    BrowserLog& log() { return log_; }

    // Browser services for a live instance.
    NPError RequestUrl(PluginInstance* instance, const char* url, const char* target) override;
    void ShowPluginStatus(const std::string& text) override;

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnUnhandledError(const char* what) noexcept override;

private:
    // A child window of the frame whose messages a method of the frame
    // handles: the page area, and the content inside it that holds the
    // plug-in windows.
    class Pane : public WindowBase {
    public:
        using Handler = LRESULT (BrowserFrame::*)(Pane& pane, UINT message, WPARAM wParam, LPARAM lParam);
        Pane(BrowserFrame& frame, Handler handler) : frame_(frame), handler_(handler) {}
        using WindowBase::Default;

    protected:
        LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
            return (frame_.*handler_)(*this, message, wParam, lParam);
        }

    private:
        BrowserFrame& frame_;
        Handler handler_;
    };

    LRESULT OnPageViewMessage(Pane& pane, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnContentMessage(Pane& pane, UINT message, WPARAM wParam, LPARAM lParam);
    void OnDestroy();
    void OnInitMenuPopup(HMENU popup);

    void ScanPlugins();
    PluginLibrary* FindLibrary(const std::string& mimeType, const std::string& source, std::string* typeUsed);
    bool LoadPage(const std::string& path, bool addToHistory);
    void ClearPage();
    void LayoutFrame();
    void LayoutContent(bool notifyPlugins);
    void SetStatus(const std::string& text);
    void OnCommand(UINT id);
    void RunNavigations();
    void RunDeliveries();
    void QueueDelivery(PluginInstance* instance, const std::string& path, const std::string& mimeType);
    PluginInstance* LiveInstance(int id);
    std::string ResolveForPage(const std::string& url) const;

    BrowserOptions options_;
    BrowserLog log_;
    std::string pluginDir_;
    HWND frame_ = nullptr;
    HWND pageView_ = nullptr;
    HWND content_ = nullptr;
    HWND text_ = nullptr;
    HWND status_ = nullptr;
    HMENU menu_ = nullptr;
    OwnedAccelerators accelerators_;
    Pane pageViewWindow_{*this, &BrowserFrame::OnPageViewMessage};
    Pane contentWindow_{*this, &BrowserFrame::OnContentMessage};
    UINT dumpMenuBarMessage_ = 0;
    std::string title_;
    std::string pagePath_;
    std::vector<std::string> history_;
    size_t historyIndex_ = 0;
    std::vector<std::unique_ptr<PluginLibrary>> libraries_;
    struct PlacedInstance {
        std::unique_ptr<PluginInstance> instance;
        std::string width;   // the embed's attributes as written
        std::string height;
        std::string source;  // the embed's "src", delivered as its first stream
    };
    std::vector<PlacedInstance> instances_;
    std::deque<std::unique_ptr<StreamDelivery>> deliveries_;
    std::deque<std::string> navigations_;
    int nextInstanceId_ = 1;
    bool loading_ = false;
    bool closing_ = false;
    bool busy_ = false;  // inside a page load or a stream delivery
};

// Runs the thread's message loop until WM_QUIT, with the frame's keyboard
// shortcuts; returns the exit code.
int RunMessageLoop(BrowserFrame& frame);

}  // namespace zorbit::browser
