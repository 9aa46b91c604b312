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
}

TextModeReader::~TextModeReader() {
    if (file_)
        std::fclose(file_);
}

bool TextModeReader::Refill() {
    if (atEnd_ || !file_)
        return false;
    if (!buffer_)
        buffer_.reset(new unsigned char[kBufferBytes]);
    pos_ = 0;
    end_ = std::fread(buffer_.get(), 1, kBufferBytes, file_);
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
        const unsigned char* from = buffer_.get() + pos_;
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

std::unique_ptr<char[]> ReadFileUpToCtrlZ(const char* path, size_t& size) {
    size = 0;
    if (!path || !*path)
        return nullptr;
    FILE* file = std::fopen(path, "rb");
    if (!file)
        return nullptr;
    // The size, where it can be known, lets one read take the whole file.
    size_t capacity = kBufferBytes;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        const long length = std::ftell(file);
        if (length > 0)
            capacity = static_cast<size_t>(length) + 1;
    }
    std::rewind(file);
    std::unique_ptr<char[]> bytes;
    bool failed = false;
    for (;;) {
        std::unique_ptr<char[]> grown(new char[capacity]);
        if (size > 0)
            std::memcpy(grown.get(), bytes.get(), size);
        bytes = std::move(grown);
        size += std::fread(bytes.get() + size, 1, capacity - size, file);
        if (size < capacity) {
            failed = std::ferror(file) != 0;
            break;
        }
        capacity *= 2;
    }
    std::fclose(file);
    if (failed) {
        size = 0;
        return nullptr;
    }
    if (const void* end = std::memchr(bytes.get(), kCtrlZ, size))
        size = static_cast<size_t>(static_cast<const char*>(end) - bytes.get());
    return bytes;
}

size_t TextModeReader::ReadRaw(char* into, size_t room) {
    if (atEnd_ || !file_ || room == 0)
        return 0;
    size_t size = std::fread(into, 1, room, file_);
    if (size == 0) {
        atEnd_ = true;
        failed_ = std::ferror(file_) != 0;
        return 0;
    }
    if (const void* ctrlZ = std::memchr(into, kCtrlZ, size)) {
        size = static_cast<size_t>(static_cast<const char*>(ctrlZ) - into);
        atEnd_ = true;
    }
    return size;
}
