#include "tests/instance/browser_subclass.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/instance/browser_stand_in.h"

namespace instance_test {

namespace {

constexpr char kObjectProperty[] = "ZorbitTest.BrowserSubclass";

}  // namespace

BrowserSubclass::BrowserSubclass(HWND hwnd) : hwnd_(hwnd) {
    SetPropA(hwnd, kObjectProperty, this);
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&BrowserSubclass::Proc)));
    installed_ = previous_ != nullptr;
    EXPECT_TRUE(installed_);
}

BrowserSubclass::~BrowserSubclass() {
    Remove();
    if (IsWindow(hwnd_))
        RemovePropA(hwnd_, kObjectProperty);
}

void BrowserSubclass::Remove() {
    if (!installed_)
        return;
    installed_ = false;
    if (IsWindow(hwnd_))
        SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
}

LRESULT CALLBACK BrowserSubclass::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<BrowserSubclass*>(GetPropA(hwnd, kObjectProperty));
    if (!self)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == kCountedMessage && wParam == kCountedTimer)
        ++self->calls;
    if (self->depth_ > 3) {
        self->looped = true;
        return 0;
    }
    ++self->depth_;
    const LRESULT result = CallWindowProcA(self->previous_, hwnd, message, wParam, lParam);
    --self->depth_;
    return result;
}

void ExpectEachProcedureOnce(HWND hwnd, int line) {
    SCOPED_TRACE("from line " + std::to_string(line));
    auto* browser = static_cast<BrowserSubclass*>(GetPropA(hwnd, kObjectProperty));
    if (browser) {
        browser->calls = 0;
        browser->looped = false;
    }
    PluginWindowMessages().clear();
    SendMessageA(hwnd, kCountedMessage, kCountedTimer, 0);
    const auto& received = PluginWindowMessages();
    const auto own = std::count_if(received.begin(), received.end(), [hwnd](const Received& r) {
        return r.hwnd == hwnd && r.message == kCountedMessage && r.wParam == kCountedTimer;
    });
    EXPECT_EQ(1, own) << "at the window's own procedure";
    if (browser && browser->installed()) {
        EXPECT_EQ(1, browser->calls) << "at the browser's subclass";
        EXPECT_FALSE(browser->looped);
    }
}

}  // namespace instance_test
