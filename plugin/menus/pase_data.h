// One classified line of a menu definition.
#pragma once

#include <string>

class CPaseData {
public:
    static constexpr const char* kClassName = "CPaseData";

    CPaseData() = default;
    virtual ~CPaseData() = default;

    // Run-time class name, for a name query only.
    static const char* GetRuntimeClassName() { return kClassName; }

    std::string keyword;  // "TITLE", "SUBMENU", "MENUITEM", "SEPARATOR", "BREAK" or empty
    std::string text;     // between the line's first and last double quote
};
