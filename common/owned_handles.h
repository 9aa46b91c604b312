// The owning handle types: each frees its handle exactly once, when it goes
// out of scope, is reset or is closed. One template; a traits struct per kind
// says what "no handle" is and how to free one.
#pragma once

#include <windows.h>
#include <objbase.h>

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
    explicit operator bool() const { return Traits::Valid(handle_); }
    Handle release() { return std::exchange(handle_, Traits::Empty()); }
    void reset(Handle handle = Traits::Empty()) {
        Handle old = std::exchange(handle_, handle);
        if (Traits::Valid(old))
            Traits::Free(old);
    }
    // Frees now; false when freeing failed (a file's last write can fail at
    // its close).
    bool close() {
        Handle old = release();
        return !Traits::Valid(old) || Traits::Free(old);
    }
    // For a call that hands out a new handle through a pointer; a held one
    // is freed first.
    Handle* receive() {
        reset();
        return &handle_;
    }

private:
    Handle handle_ = Traits::Empty();
};

template <typename Handle>
struct NullMeansNone {
    static Handle Empty() { return nullptr; }
    static bool Valid(Handle handle) { return handle != nullptr; }
};

struct MenuTraits : NullMeansNone<HMENU> {
    static bool Free(HMENU menu) { return DestroyMenu(menu) != FALSE; }
};
struct BitmapTraits : NullMeansNone<HBITMAP> {
    static bool Free(HBITMAP bitmap) { return DeleteObject(bitmap) != FALSE; }
};
struct HookTraits : NullMeansNone<HHOOK> {
    static bool Free(HHOOK hook) { return UnhookWindowsHookEx(hook) != FALSE; }
};
struct IconTraits : NullMeansNone<HICON> {
    static bool Free(HICON icon) { return DestroyIcon(icon) != FALSE; }
};
struct AcceleratorTraits : NullMeansNone<HACCEL> {
    static bool Free(HACCEL table) { return DestroyAcceleratorTable(table) != FALSE; }
};
struct KeyTraits : NullMeansNone<HKEY> {
    static bool Free(HKEY key) { return RegCloseKey(key) == ERROR_SUCCESS; }
};
// CreateFile answers INVALID_HANDLE_VALUE, other calls null.
struct FileTraits {
    static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
    static bool Valid(HANDLE handle) { return handle != INVALID_HANDLE_VALUE && handle != nullptr; }
    static bool Free(HANDLE handle) { return CloseHandle(handle) != FALSE; }
};
struct FindTraits {
    static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
    static bool Valid(HANDLE handle) { return handle != INVALID_HANDLE_VALUE; }
    static bool Free(HANDLE handle) { return FindClose(handle) != FALSE; }
};
template <typename Interface>
struct ComTraits : NullMeansNone<Interface*> {
    static bool Free(Interface* object) {
        object->Release();
        return true;
    }
};

using OwnedMenu = OwnedHandle<HMENU, MenuTraits>;
using OwnedBitmap = OwnedHandle<HBITMAP, BitmapTraits>;
using OwnedHook = OwnedHandle<HHOOK, HookTraits>;
using OwnedIcon = OwnedHandle<HICON, IconTraits>;
using OwnedAccelerators = OwnedHandle<HACCEL, AcceleratorTraits>;
using OwnedKey = OwnedHandle<HKEY, KeyTraits>;
using OwnedFile = OwnedHandle<HANDLE, FileTraits>;
using OwnedFind = OwnedHandle<HANDLE, FindTraits>;

// A reference to a component object interface.
template <typename Interface>
class ComPtr : public OwnedHandle<Interface*, ComTraits<Interface>> {
public:
    using OwnedHandle<Interface*, ComTraits<Interface>>::OwnedHandle;
    Interface* operator->() const { return this->get(); }
};
