#include "tools/browser/page_parser.h"

#include <cctype>
#include <cstring>

namespace zorbit::browser {
namespace {

bool EqualNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

// Finds "</name" (any case) at or after pos; returns npos when missing.
size_t FindClosingTag(const std::string& html, size_t pos, const std::string& name) {
    std::string lowered = Lower(html.substr(pos));
    size_t at = lowered.find("</" + name);
    return at == std::string::npos ? std::string::npos : pos + at;
}

std::string DecodeEntities(const std::string& s) {
    static const struct { const char* name; char c; } kEntities[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&nbsp;", ' '}, {"&#39;", '\''},
    };
    std::string out;
    for (size_t i = 0; i < s.size();) {
        bool done = false;
        if (s[i] == '&') {
            for (const auto& e : kEntities) {
                size_t n = std::strlen(e.name);
                if (EqualNoCase(s.substr(i, n), e.name)) {
                    out += e.c;
                    i += n;
                    done = true;
                    break;
                }
            }
        }
        if (!done) out += s[i++];
    }
    return out;
}

// Collapses runs of blanks the way a browser lays out text; '\n' marks a
// line break coming from a block tag.
void AppendText(std::string& out, const std::string& raw, bool preformatted) {
    for (char c : raw) {
        if (preformatted) {
            if (c == '\r') continue;
            out += c;
            continue;
        }
        if (IsSpace(c)) {
            if (!out.empty() && out.back() != ' ' && out.back() != '\n') out += ' ';
            continue;
        }
        out += c;
    }
}

void AppendBreak(std::string& out) {
    while (!out.empty() && out.back() == ' ') out.pop_back();
    if (!out.empty() && out.back() != '\n') out += '\n';
}

// Paragraph-like blocks stand apart from their neighbours by an empty line.
void AppendParagraphBreak(std::string& out) {
    AppendBreak(out);
    if (out.size() >= 2 && out[out.size() - 2] != '\n') out += '\n';
}

bool IsParagraphTag(const std::string& name) {
    static const char* kParagraphs[] = {"p", "h1", "h2", "h3", "h4", "h5", "h6", "pre", "table", "ul", "ol", "blockquote"};
    for (const char* b : kParagraphs) {
        if (name == b) return true;
    }
    return false;
}

bool IsBlockTag(const std::string& name) {
    static const char* kBlocks[] = {"p", "br", "div", "h1", "h2", "h3", "h4", "h5", "h6", "li", "tr",
                                    "pre", "hr", "table", "ul", "ol", "dl", "dt", "dd", "blockquote", "center"};
    for (const char* b : kBlocks) {
        if (name == b) return true;
    }
    return false;
}

// Reads the attributes of a tag from pos (just after its name) to its '>'.
// Returns the position after the tag.
size_t ReadAttributes(const std::string& html, size_t pos, EmbedTag* tag) {
    size_t n = html.size();
    while (pos < n) {
        while (pos < n && (IsSpace(html[pos]) || html[pos] == '/')) ++pos;
        if (pos >= n) break;
        if (html[pos] == '>') return pos + 1;
        size_t nameStart = pos;
        while (pos < n && !IsSpace(html[pos]) && html[pos] != '=' && html[pos] != '>' &&
               !(html[pos] == '/' && pos + 1 < n && html[pos + 1] == '>'))
            ++pos;
        std::string name = html.substr(nameStart, pos - nameStart);
        while (pos < n && IsSpace(html[pos])) ++pos;
        std::string value;
        if (pos < n && html[pos] == '=') {
            ++pos;
            while (pos < n && IsSpace(html[pos])) ++pos;
            if (pos < n && (html[pos] == '"' || html[pos] == '\'')) {
                char quote = html[pos++];
                size_t end = html.find(quote, pos);
                if (end == std::string::npos) end = n;
                value = html.substr(pos, end - pos);
                pos = end < n ? end + 1 : n;
            } else {
                size_t valueStart = pos;
                while (pos < n && !IsSpace(html[pos]) && html[pos] != '>') ++pos;
                value = html.substr(valueStart, pos - valueStart);
            }
        }
        if (tag && !name.empty()) tag->attributes.emplace_back(name, DecodeEntities(value));
    }
    return n;
}

}  // namespace

std::string EmbedTag::Attribute(const std::string& name) const {
    for (const auto& a : attributes) {
        if (EqualNoCase(a.first, name)) return a.second;
    }
    return std::string();
}

bool EmbedTag::HasAttribute(const std::string& name) const {
    for (const auto& a : attributes) {
        if (EqualNoCase(a.first, name)) return true;
    }
    return false;
}

PageContent ParsePage(const std::string& html) {
    PageContent page;
    std::string text;
    bool preformatted = false;
    size_t n = html.size();
    size_t pos = 0;
    while (pos < n) {
        size_t lt = html.find('<', pos);
        if (lt == std::string::npos) lt = n;
        AppendText(text, DecodeEntities(html.substr(pos, lt - pos)), preformatted);
        if (lt >= n) break;
        pos = lt + 1;
        if (html.compare(pos, 3, "!--") == 0) {
            size_t end = html.find("-->", pos + 3);
            pos = end == std::string::npos ? n : end + 3;
            continue;
        }
        bool closing = pos < n && html[pos] == '/';
        if (closing) ++pos;
        size_t nameStart = pos;
        while (pos < n && (std::isalnum(static_cast<unsigned char>(html[pos])) || html[pos] == '!')) ++pos;
        std::string name = Lower(html.substr(nameStart, pos - nameStart));
        if (name.empty()) {
            // A lone '<' is text.
            AppendText(text, "<", preformatted);
            pos = nameStart;
            continue;
        }
        if (!closing && name == "embed") {
            EmbedTag tag;
            pos = ReadAttributes(html, pos, &tag);
            page.embeds.push_back(std::move(tag));
            continue;
        }
        pos = ReadAttributes(html, pos, nullptr);
        if (closing) {
            if (name == "pre") preformatted = false;
            if (IsParagraphTag(name)) AppendParagraphBreak(text);
            else if (IsBlockTag(name)) AppendBreak(text);
            continue;
        }
        if (name == "title" || name == "script" || name == "style") {
            size_t end = FindClosingTag(html, pos, name);
            if (end == std::string::npos) end = n;
            if (name == "title" && page.title.empty()) {
                std::string title;
                AppendText(title, DecodeEntities(html.substr(pos, end - pos)), false);
                while (!title.empty() && title.back() == ' ') title.pop_back();
                page.title = title;
            }
            size_t gt = html.find('>', end);
            pos = gt == std::string::npos ? n : gt + 1;
            continue;
        }
        if (IsParagraphTag(name)) AppendParagraphBreak(text);
        else if (IsBlockTag(name)) AppendBreak(text);
        if (name == "pre") preformatted = true;
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\n')) text.pop_back();
    for (char c : text) {
        if (c == '\n') page.text += "\r\n";
        else page.text += c;
    }
    return page;
}

}  // namespace zorbit::browser
