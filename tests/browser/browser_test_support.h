// Scratch folders, files and message pumping for the browser host tests.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/files.h"
#include "tests/support/message_pump.h"

namespace browser_test {

// A fresh folder under the temporary directory, removed with its contents.
class ScratchDir : public support::TempFolder {
public:
    ScratchDir() : support::TempFolder("zbb") {}
    const std::string& path() const { return Path(); }
};

// The folder of the test executable; browser.exe and npzbtest.dll are copied there.
std::string BinDir();

void WriteTextFile(const std::string& path, const std::string& text);
std::string ReadTextFile(const std::string& path);
std::vector<std::string> ReadLines(const std::string& path);
void MakeDir(const std::string& path);
bool CopyInto(const std::string& from, const std::string& to);

// Lines of lines that start with prefix.
std::vector<std::string> LinesStartingWith(const std::vector<std::string>& lines, const std::string& prefix);
bool HasLine(const std::vector<std::string>& lines, const std::string& line);
// Index of the first line equal to line (or starting with it when prefix), or -1.
int IndexOf(const std::vector<std::string>& lines, const std::string& text, bool prefix = false);

// Dispatches this thread's messages until done() holds or timeoutMs passes.
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000) {
    return support::PumpUntil(done, timeoutMs);
}
using support::PumpFor;

bool FileHasLine(const std::string& path, const std::string& text, bool prefix = false);

std::string WindowText(HWND hwnd);
std::string ClassName(HWND hwnd);
// The first window of the class below parent (any depth), or null.
HWND FindDescendant(HWND parent, const char* className);

}  // namespace browser_test
