// Owning wrappers for the Windows handles the menu-bar code creates: each
// frees its handle exactly once, when it goes out of scope or is reset.
#pragma once

#include <windows.h>

#include <utility>

template <typename Handle, typename Traits>
class OwnedHandle {
public:
    OwnedHandle() = default;
    explicit OwnedHandle(Handle handle) : handle_(handle) {}
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    OwnedHandle(OwnedHandle&& other) noexcept : handle_(other.release()) {}
    OwnedHandle& operator=(OwnedHandle&& other) noexcept {
        reset(other.release());
        return *this;
    }
    ~OwnedHandle() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    Handle release() { return std::exchange(handle_, nullptr); }
    void reset(Handle handle = nullptr) {
        Handle old = std::exchange(handle_, handle);
        if (old)
            Traits::Free(old);
    }

private:
    Handle handle_ = nullptr;
};

struct MenuTraits {
    static void Free(HMENU menu) { DestroyMenu(menu); }
};
struct BitmapTraits {
    static void Free(HBITMAP bitmap) { DeleteObject(bitmap); }
};
struct HookTraits {
    static void Free(HHOOK hook) { UnhookWindowsHookEx(hook); }
};

using OwnedMenu = OwnedHandle<HMENU, MenuTraits>;
using OwnedBitmap = OwnedHandle<HBITMAP, BitmapTraits>;
using OwnedHook = OwnedHandle<HHOOK, HookTraits>;
