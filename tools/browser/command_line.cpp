#include "tools/browser/command_line.h"

#include <cctype>

namespace zorbit::browser {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// Reads one token, quoted or not, from pos; leaves pos after it.
std::string ReadToken(const std::string& s, size_t& pos) {
    while (pos < s.size() && IsBlank(s[pos])) ++pos;
    std::string token;
    if (pos < s.size() && s[pos] == '"') {
        size_t end = s.find('"', pos + 1);
        if (end == std::string::npos) end = s.size();
        token = s.substr(pos + 1, end - pos - 1);
        pos = end < s.size() ? end + 1 : end;
        return token;
    }
    size_t start = pos;
    while (pos < s.size() && !IsBlank(s[pos])) ++pos;
    return s.substr(start, pos - start);
}

std::string Trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && (IsBlank(s[e - 1]) || s[e - 1] == '\r' || s[e - 1] == '\n')) --e;
    return s.substr(b, e - b);
}

}  // namespace

CommandLine ParseArguments(const std::string& arguments) {
    CommandLine result;
    size_t pos = 0;
    for (;;) {
        size_t save = pos;
        std::string option = Lower(ReadToken(arguments, pos));
        if (option == "-plugins" || option == "/plugins") {
            result.pluginDir = ReadToken(arguments, pos);
        } else if (option == "-log" || option == "/log") {
            result.logFile = ReadToken(arguments, pos);
        } else {
            pos = save;
            break;
        }
    }
    std::string rest = Trim(arguments.substr(pos));
    if (rest.size() >= 2 && rest.front() == '"') {
        size_t end = rest.find('"', 1);
        rest = end == std::string::npos ? rest.substr(1) : rest.substr(1, end - 1);
    }
    result.page = rest;
    return result;
}

std::string SkipProgramName(const std::string& commandLine) {
    size_t pos = 0;
    ReadToken(commandLine, pos);
    return pos < commandLine.size() ? commandLine.substr(pos) : std::string();
}

}  // namespace zorbit::browser
