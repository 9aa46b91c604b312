#include "installer/wizard/three_d_controls.h"

namespace {
using Ctl3dProc = BOOL(WINAPI*)(HINSTANCE);
}

ThreeDControls::ThreeDControls() {
    library_ = LoadLibraryA("ctl3d32.dll");
    if (!library_)
        return;
    auto registerApp = reinterpret_cast<Ctl3dProc>(GetProcAddress(library_, "Ctl3dRegister"));
    auto autoSubclass = reinterpret_cast<Ctl3dProc>(GetProcAddress(library_, "Ctl3dAutoSubclass"));
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (registerApp && autoSubclass && registerApp(instance)) {
        registered_ = true;
        autoSubclass(instance);
    }
}

ThreeDControls::~ThreeDControls() {
    if (registered_) {
        auto unregisterApp = reinterpret_cast<Ctl3dProc>(GetProcAddress(library_, "Ctl3dUnregister"));
        if (unregisterApp)
            unregisterApp(GetModuleHandleA(nullptr));
    }
    if (library_)
        FreeLibrary(library_);
}
