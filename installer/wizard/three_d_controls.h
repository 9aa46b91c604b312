// Three-dimensional dialog controls through ctl3d32.dll, where it exists.
#pragma once

#include <windows.h>

class ThreeDControls {
public:
    ThreeDControls();
    ~ThreeDControls();
    ThreeDControls(const ThreeDControls&) = delete;
    ThreeDControls& operator=(const ThreeDControls&) = delete;
    bool Enabled() const { return registered_; }

private:
    HMODULE library_ = nullptr;
    bool registered_ = false;
};
