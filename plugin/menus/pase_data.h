// One classified line of a menu definition.
#pragma once

#include <string>
#include <string_view>

class CPaseData {
public:
    static constexpr const char* kClassName = "CPaseData";

    CPaseData() = default;
    virtual ~CPaseData() = default;

    // Run-time class name, for a name query only.
    static const char* GetRuntimeClassName() { return kClassName; }

    // Sets the keyword to the first of "TITLE", "SUBMENU", "MENUITEM",
    // "SEPARATOR", "BREAK" that occurs in the line and returns true; false,
    // with the keyword unchanged, when none occurs.
    bool ClassifyLine(std::string_view line);

    // The keyword ClassifyLine would set, or empty.
    static std::string_view KeywordOf(std::string_view line);

    // Unless the keyword is "BREAK", sets the text to what lies between the
    // line's first and last double quote (empty with fewer than two).
    void ExtractText(std::string_view line);

    std::string keyword;  // "TITLE", "SUBMENU", "MENUITEM", "SEPARATOR", "BREAK" or empty
    std::string text;     // between the line's first and last double quote
};
