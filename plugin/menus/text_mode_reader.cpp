#include "plugin/menus/text_mode_reader.h"

#include <algorithm>

namespace {

constexpr size_t kBufferBytes = 8 * 1024;
constexpr unsigned char kCtrlZ = 0x1A;

bool IsSpecial(unsigned char c) {
    return c == '\n' || c == '\r' || c == kCtrlZ;
}

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
        // Ordinary characters are copied in one run.
        size_t run = pos_;
        const size_t limit = pos_ + std::min(end_ - pos_, maxChars - line.size());
        while (run < limit && !IsSpecial(buffer_[run]))
            ++run;
        line.append(reinterpret_cast<const char*>(buffer_.data()) + pos_, run - pos_);
        pos_ = run;
        if (run == limit)
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
