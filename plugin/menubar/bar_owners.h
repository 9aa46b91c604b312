// Which object's menus each frame's bar shows.
//
// A bar shows one set of Zorbit menus: the one that joined it first and is
// still alive. Sets that join later wait, and the earliest of them takes the
// bar when the set on it goes. The hooks route a frame's commands and
// highlights to the set that bar shows.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>

class MenuBarSet;

namespace zorbit {

// The one lock over the bar owners and the threads' hooks. Held only around
// a few short calls, none of which can enter a hook: a flag to spin on needs
// nothing made or freed, not even at unload.
class OwnersLock {
public:
    OwnersLock() {
        while (busy_.test_and_set(std::memory_order_acquire))
            SwitchToThread();
    }
    ~OwnersLock() { busy_.clear(std::memory_order_release); }
    OwnersLock(const OwnersLock&) = delete;
    OwnersLock& operator=(const OwnersLock&) = delete;

private:
    static inline std::atomic_flag busy_ = ATOMIC_FLAG_INIT;
};

// Records the set on the frame's bar. True when its menus go on the bar;
// false when another set is there and this one waits.
bool JoinBar(MenuBarSet& set, HWND frame);
// Takes the set off its bar's record. Returns the waiting set that takes
// the bar now, or null.
MenuBarSet* LeaveBar(MenuBarSet& set);

// With the lock held: the set the frame's bar shows, or null.
MenuBarSet* ShownOnBar(HWND frame);

// The frame whose bar holds a window's menus: its outermost ancestor.
HWND FrameOf(HWND hwnd);

// Every menu of a set carries its object's tag, which no other menu carries.
void TagMenu(HMENU menu, uintptr_t tag);
uintptr_t MenuTag(HMENU menu);

}  // namespace zorbit
