// Reads a file the way the Windows C runtime reads one opened in text mode:
// CR LF reads as LF (a CR not followed by LF stays), and Ctrl-Z ends the
// file. The same code runs on every platform, so the definition parser
// behaves alike in the Windows build and in the host build.
#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>

class TextModeReader {
public:
    explicit TextModeReader(const char* path);
    TextModeReader(const TextModeReader&) = delete;
    TextModeReader& operator=(const TextModeReader&) = delete;
    ~TextModeReader();

    bool IsOpen() const { return file_ != nullptr; }
    // True once reading the file has failed (as opposed to reaching its end).
    bool Failed() const { return failed_; }

    // Like fgets with a buffer of maxChars + 1 bytes: up to maxChars
    // characters, stopping after a newline, which is kept. False, with an
    // empty line, when nothing is left.
    bool ReadLine(std::string& line, size_t maxChars);

    // Reads up to `room` of the file's next bytes, up to a Ctrl-Z, straight
    // into `into`, so many lines at a time; 0 when nothing is left. CR LF
    // is left for the caller to read as a newline. Not for a reader that
    // ReadLine has read from.
    size_t ReadRaw(char* into, size_t room);

private:
    static constexpr int kEnd = -1;

    int NextRaw();
    int PeekRaw();
    bool Refill();

    FILE* file_ = nullptr;
    // Not zero-filled: each read fills what is used. Made by the first
    // ReadLine.
    std::unique_ptr<unsigned char[]> buffer_;
    size_t pos_ = 0;
    size_t end_ = 0;
    bool atEnd_ = false;
    bool failed_ = false;
};

// The bytes of the whole file, in one read, up to the first Ctrl-Z; CR LF is
// left for the caller to read as a newline. Null when it cannot be opened or
// read.
std::unique_ptr<char[]> ReadFileUpToCtrlZ(const char* path, size_t& size);
