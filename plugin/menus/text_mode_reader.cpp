#include "plugin/menus/text_mode_reader.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kBufferBytes = 64 * 1024;
constexpr unsigned char kCtrlZ = 0x1A;

}  // namespace

TextModeReader::TextModeReader(const char* path) {
    if (path && *path)
        file_ = std::fopen(path, "rb");
    if (file_)
        buffer_.resize(kBufferBytes);
}

TextModeReader::~TextModeReader() {
    if (file_)
        std::fclose(file_);
}

bool TextModeReader::Refill() {
    if (atEnd_ || !file_)
        return false;
    pos_ = 0;
    end_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
    if (end_ == 0) {
        atEnd_ = true;
        failed_ = std::ferror(file_) != 0;
        return false;
    }
    return true;
}

int TextModeReader::PeekRaw() {
    if (pos_ == end_ && !Refill())
        return kEnd;
    return buffer_[pos_];
}

int TextModeReader::NextRaw() {
    const int c = PeekRaw();
    if (c != kEnd)
        ++pos_;
    return c;
}

bool TextModeReader::ReadLine(std::string& line, size_t maxChars) {
    line.clear();
    while (line.size() < maxChars) {
        if (pos_ == end_ && !Refill())
            break;
        // Ordinary characters are copied in one run, up to the first newline,
        // CR or Ctrl-Z, found with memchr rather than byte by byte.
        const unsigned char* from = buffer_.data() + pos_;
        size_t run = std::min(end_ - pos_, maxChars - line.size());
        bool atSpecial = false;
        for (unsigned char special : {static_cast<unsigned char>('\n'), static_cast<unsigned char>('\r'), kCtrlZ}) {
            if (const void* found = std::memchr(from, special, run)) {
                run = static_cast<size_t>(static_cast<const unsigned char*>(found) - from);
                atSpecial = true;
            }
        }
        line.append(reinterpret_cast<const char*>(from), run);
        pos_ += run;
        if (!atSpecial)
            continue;

        int c = NextRaw();
        if (c == kCtrlZ) {
            atEnd_ = true;
            pos_ = end_;
            break;
        }
        if (c == '\r' && PeekRaw() == '\n')
            c = NextRaw();
        line.push_back(static_cast<char>(c));
        if (c == '\n')
            break;
    }
    return !line.empty();
}

namespace {

// CR LF becomes LF, in place.
void JoinCarriageReturns(std::string& text) {
    char* const data = text.data();
    const size_t size = text.size();
    const void* found = std::memchr(data, '\r', size);
    if (!found)
        return;
    size_t in = static_cast<size_t>(static_cast<const char*>(found) - data);
    size_t out = in;
    // data[in] is a CR; copy from it, or from the LF it is paired with, up
    // to the next CR.
    while (in < size) {
        if (in + 1 < size && data[in + 1] == '\n')
            ++in;
        const void* next = std::memchr(data + in + 1, '\r', size - in - 1);
        const size_t to = next ? static_cast<size_t>(static_cast<const char*>(next) - data) : size;
        std::memmove(data + out, data + in, to - in);
        out += to - in;
        in = to;
    }
    text.resize(out);
}

}  // namespace

bool ReadFileUpToCtrlZ(const char* path, std::string& text) {
    text.clear();
    if (!path || !*path)
        return false;
    FILE* file = std::fopen(path, "rb");
    if (!file)
        return false;
    // The size, where it can be known, lets one read take the whole file.
    size_t capacity = kBufferBytes;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        const long size = std::ftell(file);
        if (size > 0)
            capacity = static_cast<size_t>(size) + 1;
    }
    std::rewind(file);
    size_t size = 0;
    bool failed = false;
    for (;;) {
        text.resize(capacity);
        size += std::fread(text.data() + size, 1, capacity - size, file);
        if (size < capacity) {
            failed = std::ferror(file) != 0;
            break;
        }
        capacity *= 2;
    }
    std::fclose(file);
    text.resize(failed ? 0 : size);
    if (failed)
        return false;
    if (const void* end = std::memchr(text.data(), kCtrlZ, text.size()))
        text.resize(static_cast<size_t>(static_cast<const char*>(end) - text.data()));
    return true;
}

bool ReadTextModeFile(const char* path, std::string& text) {
    if (!ReadFileUpToCtrlZ(path, text))
        return false;
    JoinCarriageReturns(text);
    return true;
}

bool TextModeReader::AppendRawBlock(std::string& bytes) {
    if (pos_ == end_ && !Refill())
        return false;
    const unsigned char* const from = buffer_.data() + pos_;
    size_t size = end_ - pos_;
    const void* ctrlZ = std::memchr(from, kCtrlZ, size);
    if (ctrlZ)
        size = static_cast<size_t>(static_cast<const unsigned char*>(ctrlZ) - from);
    bytes.append(reinterpret_cast<const char*>(from), size);
    pos_ += size;
    if (ctrlZ) {
        atEnd_ = true;
        pos_ = end_;
    }
    return true;
}
