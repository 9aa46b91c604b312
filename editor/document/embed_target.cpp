#include "editor/document/embed_target.h"

#include "editor/document/letter_case.h"

bool RetargetEmbed(std::string& preamble, const std::string& oldName, const std::string& newName) {
    // The plug-in's preamble ends at the first line holding "embed".
    const size_t embed = preamble.find("embed");
    if (embed == std::string::npos)
        return false;
    size_t lineEnd = preamble.find('\n', embed);
    if (lineEnd == std::string::npos)
        lineEnd = preamble.size();
    const size_t attribute = preamble.find("filename=", embed);
    if (attribute == std::string::npos || attribute > lineEnd)
        return false;
    size_t begin = attribute + 9;
    size_t end;
    const char quote = begin < lineEnd ? preamble[begin] : '\0';
    if (quote == '"' || quote == '\'') {
        ++begin;
        end = preamble.find(quote, begin);
        if (end == std::string::npos || end > lineEnd)
            return false;
    } else {
        end = begin;
        while (end < lineEnd && !std::isspace(static_cast<unsigned char>(preamble[end])) && preamble[end] != '>')
            ++end;
    }
    const std::string value = preamble.substr(begin, end - begin);
    const size_t slash = value.find_last_of("\\/");
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    if (!SameLetters(value.substr(nameStart), oldName) || value.substr(nameStart) == newName)
        return false;
    preamble.replace(begin + nameStart, value.size() - nameStart, newName);
    return true;
}
