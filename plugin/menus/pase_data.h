// One classified line of a menu definition.
#pragma once

#include <string_view>

namespace zorbit {

// The keywords of a definition line, in the order that decides when a line
// holds several.
inline constexpr std::string_view kDefinitionKeywords[] = {"TITLE", "SUBMENU", "MENUITEM", "SEPARATOR", "BREAK"};

}  // namespace zorbit

// Final: the lines of a definition lie side by side, and are destroyed
// without a virtual call each.
class CPaseData final {
public:
    static constexpr const char* kClassName = "CPaseData";

    CPaseData() = default;
    CPaseData(const CPaseData&) = default;
    CPaseData& operator=(const CPaseData&) = default;
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

    // Views, not copies: a definition has a line per entry and is read on the
    // browser's thread. The keyword is one of the constant keywords; the text
    // lies in the line given to ExtractText, which must outlive it (a
    // CIEMenuData keeps the text it read for as long as its lines).
    std::string_view keyword;  // "TITLE", "SUBMENU", "MENUITEM", "SEPARATOR", "BREAK" or empty
    std::string_view text;     // between the line's first and last double quote
};
