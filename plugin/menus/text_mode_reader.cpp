#include "plugin/menus/text_mode_reader.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kBufferBytes = 16 * 1024;
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
