#include "tests/e2e/host_window.h"

#include <cstdlib>

#include "tests/e2e/wizard_driver.h"
#include "tests/support/files.h"

HWND FindBrowserFrame(DWORD timeoutMs) {
    DWORD start = GetTickCount();
    do {
        HWND frame = FindWindowA("ZorbitBrowserFrame", nullptr);
        if (frame && IsWindowVisible(frame))
            return frame;
        PumpFor(100);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

std::vector<std::string> ReadLogLines(const std::string& path) { return support::ReadLines(path); }

bool WaitForLogLine(const std::string& path, const std::string& prefix, size_t from, DWORD timeoutMs,
                    std::string* found) {
    DWORD start = GetTickCount();
    do {
        std::vector<std::string> lines = ReadLogLines(path);
        for (size_t i = from; i < lines.size(); ++i) {
            if (lines[i].compare(0, prefix.size(), prefix) == 0) {
                if (found)
                    *found = lines[i];
                return true;
            }
        }
        PumpFor(100);
    } while (GetTickCount() - start < timeoutMs);
    return false;
}

namespace {

std::string Field(const std::string& line, const std::string& name) {
    size_t at = line.find(" " + name + "=");
    if (at == std::string::npos)
        return std::string();
    at += name.size() + 2;
    if (name == "text")
        return line.substr(at);
    size_t end = line.find(' ', at);
    return line.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

}  // namespace

std::vector<MenuBarLine> DumpMenuBar(HWND frame, const std::string& logPath) {
    static const UINT dumpMessage = RegisterWindowMessageA("ZorbitBrowserDumpMenuBar");
    SendMessageA(frame, dumpMessage, 0, 0);
    std::vector<std::string> lines = ReadLogLines(logPath);
    size_t begin = lines.size();
    for (size_t i = lines.size(); i-- > 0;) {
        if (lines[i] == "menubar begin") {
            begin = i + 1;
            break;
        }
    }
    std::vector<MenuBarLine> items;
    for (size_t i = begin; i < lines.size() && lines[i] != "menubar end"; ++i) {
        const std::string& line = lines[i];
        if (line.compare(0, 9, "menuitem ") != 0)
            continue;
        MenuBarLine item;
        item.path = line.substr(9, line.find(' ', 9) - 9);
        item.id = static_cast<unsigned>(strtoul(Field(line, "id").c_str(), nullptr, 10));
        item.type = static_cast<unsigned>(strtoul(Field(line, "type").c_str(), nullptr, 16));
        item.popup = Field(line, "popup") == "1";
        item.bitmap = Field(line, "bitmap") == "1";
        item.text = Field(line, "text");
        items.push_back(item);
    }
    return items;
}

std::vector<MenuBarLine> ChildrenOf(const std::vector<MenuBarLine>& lines, const std::string& path) {
    std::vector<MenuBarLine> children;
    std::string prefix = path.empty() ? std::string() : path + ".";
    for (const MenuBarLine& line : lines) {
        if (line.path.compare(0, prefix.size(), prefix) != 0)
            continue;
        if (line.path.find('.', prefix.size()) == std::string::npos)
            children.push_back(line);
    }
    return children;
}
