#include "tools/browser/plugin_instance.h"

#include "tools/browser/browser_log.h"
#include "tools/browser/browser_services.h"
#include "tools/browser/plugin_library.h"

namespace zorbit::browser {

const char kPluginWindowClass[] = "ZorbitPluginWindow";

bool RegisterPluginWindowClass(HINSTANCE instance) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kPluginWindowClass;
    return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

PluginInstance::PluginInstance(int id, BrowserHost* owner, PluginLibrary* library, std::string mimeType,
                               const std::vector<std::pair<std::string, std::string>>& attributes)
    : id_(id), owner_(owner), library_(library), mimeType_(std::move(mimeType)) {
    for (const auto& a : attributes) {
        names_.push_back(a.first);
        values_.push_back(a.second);
    }
    npp_.ndata = this;
    RegisterInstance(&npp_, this, owner_);
}

PluginInstance::~PluginInstance() {
    UnregisterInstance(&npp_);
    if (window_) DestroyWindow(window_);
}

bool PluginInstance::CreateWindowIn(HWND parent, int x, int y, int width, int height) {
    window_ = CreateWindowExA(0, kPluginWindowClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                              x, y, width, height, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    MoveWindowTo(x, y, width, height);
    return window_ != nullptr;
}

void PluginInstance::MoveWindowTo(int x, int y, int width, int height) {
    if (window_) MoveWindow(window_, x, y, width, height, TRUE);
    npWindow_.window = window_;
    npWindow_.x = x;
    npWindow_.y = y;
    npWindow_.width = static_cast<uint32_t>(width);
    npWindow_.height = static_cast<uint32_t>(height);
    npWindow_.clipRect.left = 0;
    npWindow_.clipRect.top = 0;
    npWindow_.clipRect.right = static_cast<uint16_t>(width);
    npWindow_.clipRect.bottom = static_cast<uint16_t>(height);
    npWindow_.type = 1;  // NPWindowTypeWindow
}

NPError PluginInstance::New(BrowserLog& log) {
    std::vector<char*> argn, argv;
    std::string line = "newp " + std::to_string(id_) + " " + mimeType_ + " argc=" + std::to_string(names_.size());
    for (size_t i = 0; i < names_.size(); ++i) {
        argn.push_back(const_cast<char*>(names_[i].c_str()));
        argv.push_back(const_cast<char*>(values_[i].c_str()));
        line += " " + names_[i] + "=\"" + values_[i] + "\"";
    }
    argn.push_back(nullptr);
    argv.push_back(nullptr);
    NPError result = NPERR_INVALID_PLUGIN_ERROR;
    if (library_->funcs().newp) {
        result = library_->funcs().newp(const_cast<char*>(mimeType_.c_str()), &npp_, NP_EMBED,
                                        static_cast<int16_t>(names_.size()), argn.data(), argv.data(), nullptr);
    }
    log.Write(line + " result=" + std::to_string(result));
    alive_ = result == NPERR_NO_ERROR;
    return result;
}

NPError PluginInstance::SetWindow(BrowserLog& log) {
    if (!alive_ || !library_->funcs().setwindow) return NPERR_INVALID_INSTANCE_ERROR;
    NPError result = library_->funcs().setwindow(&npp_, &npWindow_);
    log.Write("setwindow " + std::to_string(id_) + " " + std::to_string(npWindow_.width) + "x" +
              std::to_string(npWindow_.height) + " result=" + std::to_string(result));
    return result;
}

void PluginInstance::Destroy(BrowserLog& log) {
    if (alive_ && library_->funcs().destroy) {
        alive_ = false;
        NPSavedData* saved = nullptr;
        NPError result = library_->funcs().destroy(&npp_, &saved);
        log.Write("destroy " + std::to_string(id_) + " result=" + std::to_string(result));
        // Saved data belongs to the browser once handed over; this browser
        // keeps none.
        if (saved) {
            if (saved->buf) BrowserFuncs()->memfree(saved->buf);
            BrowserFuncs()->memfree(saved);
        }
    }
    alive_ = false;
    if (window_) DestroyWindow(window_);
    window_ = nullptr;
}

}  // namespace zorbit::browser
