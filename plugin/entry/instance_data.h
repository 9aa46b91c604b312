// The plug-in's record of one instance, allocated through the browser and
// reached from the instance's pdata and from the plug-in window's property
// "instance->pdata".
#pragma once

#include <windows.h>

#include <cstdint>

#include "plugin/entry/npapi.h"

class CBarMenuData;
class CPluginWnd;

struct InstanceData {
    NPWindow* window;       // description of the last completed attachment
    HWND hwnd;              // plug-in window of the last attachment attempt
    CBarMenuData* menus;    // owned
    CPluginWnd* pluginWnd;  // owned; null until attached
    int32_t ready;          // 1: may attach; 0: waits for the definition file
    char propName[17];      // "instance->pdata"
    char fileName[83];      // the "filename" attribute; empty when none was taken
    // 1 when fileName was taken and requested, even empty: only then do the
    // instance's streams go to the acceptance test.
    int32_t fileRequested;
};

namespace zorbit {

constexpr char kInstanceProperty[] = "instance";
constexpr char kInstanceDataProperty[] = "instance->pdata";
// Longest "filename" value that fits the record (82 characters and the zero).
constexpr size_t kMaxFileNameChars = sizeof(InstanceData::fileName) - 1;
// Characters of the file name that a finished stream's path must contain.
constexpr int kAcceptanceKeyChars = 6;

// The record behind a plug-in window, or null.
inline InstanceData* InstanceOfWindow(HWND hwnd) {
    return static_cast<InstanceData*>(GetPropA(hwnd, kInstanceDataProperty));
}

}  // namespace zorbit
