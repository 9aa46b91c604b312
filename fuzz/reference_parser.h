// The definition parse done a second way, in memory and step by step as the
// format describes it (insertion into the pending text, window searched
// with find), for the fuzzer to compare against the real parser.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace reference {

// Text-mode view of raw bytes: CR LF reads as LF, Ctrl-Z ends the text.
inline std::string TextMode(const std::string& bytes) {
    std::string text;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\x1a')
            break;
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            continue;
        text.push_back(bytes[i]);
    }
    return text;
}

// fgets with a buffer of max + 1 bytes, over text that is already decoded.
inline std::vector<std::string> Pieces(const std::string& text, size_t max) {
    std::vector<std::string> pieces;
    std::string piece;
    for (char c : text) {
        piece.push_back(c);
        if (c == '\n' || piece.size() == max) {
            pieces.push_back(piece);
            piece.clear();
        }
    }
    if (!piece.empty())
        pieces.push_back(piece);
    return pieces;
}

inline bool Marker(const std::string& window) {
    for (const char* marker : {"MENUITEM", "SEPARATOR", "SUBMENU", "TITLE", "</body>", "<body>", "</html>",
                               "<html>", "<title>", "</title>", "</p>", "<meta"}) {
        if (window.find(marker) != std::string::npos)
            return true;
    }
    return false;
}

inline std::string WorkFile(const std::string& source) {
    std::string work;
    std::string pending;
    for (const std::string& chunk : Pieces(TextMode(source), 2047)) {
        pending += chunk;
        for (size_t i = 0; i < pending.size(); ++i) {
            if (pending[i] == ' ' && Marker(pending.substr(i, 10))) {
                pending.insert(i, "\r\n ");
                i += 3;
            }
        }
        work += pending;
        pending = !pending.empty() && pending.back() == ' ' ? " " : "";
    }
    return work;
}

// (keyword, text) of every definition line.
inline std::vector<std::pair<std::string, std::string>> Lines(const std::string& source) {
    std::vector<std::pair<std::string, std::string>> lines;
    bool pastEmbed = false;
    for (const std::string& line : Pieces(TextMode(WorkFile(source)), 399)) {
        if (!pastEmbed) {
            pastEmbed = line.find("embed") != std::string::npos;
            continue;
        }
        std::string keyword;
        for (const char* candidate : {"TITLE", "SUBMENU", "MENUITEM", "SEPARATOR", "BREAK"}) {
            if (line.find(candidate) != std::string::npos) {
                keyword = candidate;
                break;
            }
        }
        if (keyword.empty())
            continue;
        std::string text;
        const size_t first = line.find('"');
        const size_t last = line.rfind('"');
        if (keyword != "BREAK" && first != std::string::npos && first != last)
            text = line.substr(first + 1, last - first - 1);
        lines.emplace_back(keyword, text);
    }
    return lines;
}

}  // namespace reference
