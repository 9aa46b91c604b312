// A small HTML tag scanner: the page title, its text with tags stripped, and
// its embedded objects with their attributes exactly as written.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace zorbit::browser {

struct EmbedTag {
    // Names and values in the order written; a name without a value has "".
    std::vector<std::pair<std::string, std::string>> attributes;

    // The value of the first attribute of that name (letter case ignored),
    // or "" when there is none.
    std::string Attribute(const std::string& name) const;
    bool HasAttribute(const std::string& name) const;
};

struct PageContent {
    std::string title;
    std::string text;  // CR LF line breaks, for a multi-line edit control
    std::vector<EmbedTag> embeds;
};

PageContent ParsePage(const std::string& html);

}  // namespace zorbit::browser
