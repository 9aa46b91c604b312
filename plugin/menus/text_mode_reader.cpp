#include "plugin/menus/text_mode_reader.h"

namespace {

constexpr size_t kBufferBytes = 64 * 1024;
constexpr int kCtrlZ = 0x1A;

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
        int c = NextRaw();
        if (c == kCtrlZ) {
            atEnd_ = true;
            pos_ = end_;
            break;
        }
        if (c == kEnd)
            break;
        if (c == '\r' && PeekRaw() == '\n')
            c = NextRaw();
        line.push_back(static_cast<char>(c));
        if (c == '\n')
            break;
    }
    return !line.empty();
}
