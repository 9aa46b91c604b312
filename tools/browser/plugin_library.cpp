#include "tools/browser/plugin_library.h"

#include <cctype>
#include <vector>

#include "tools/browser/browser_log.h"

namespace zorbit::browser {
namespace {

std::vector<std::string> SplitList(const std::string& s) {
    std::vector<std::string> out;
    std::string part;
    for (size_t i = 0; i <= s.size(); ++i) {
        if (i == s.size() || s[i] == '|') {
            size_t b = 0, e = part.size();
            while (b < e && part[b] == ' ') ++b;
            while (e > b && part[e - 1] == ' ') --e;
            if (e > b) out.push_back(part.substr(b, e - b));
            part.clear();
        } else {
            part += s[i];
        }
    }
    return out;
}

bool EqualNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::string QueryString(const std::vector<char>& data, const char* table, const char* key) {
    std::string query = std::string("\\StringFileInfo\\") + table + "\\" + key;
    char* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(const_cast<char*>(data.data()), query.c_str(), reinterpret_cast<void**>(&value), &length) ||
        !value || length == 0)
        return std::string();
    size_t n = 0;
    while (n < length && value[n]) ++n;
    return std::string(value, n);
}

}  // namespace

bool ReadPluginRegistration(const std::string& path, PluginRegistration* out) {
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    if (size == 0) return false;
    std::vector<char> data(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, data.data())) return false;
    std::string mime = QueryString(data, "040904e4", "MIMEType");
    std::string extents = QueryString(data, "040904e4", "FileExtents");
    if (mime.empty()) {
        // A library that declares its types in another string table.
        struct Translation { WORD language, codePage; };
        Translation* translations = nullptr;
        UINT length = 0;
        if (VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations),
                           &length) && translations) {
            for (UINT i = 0; i < length / sizeof(Translation) && mime.empty(); ++i) {
                char table[16];
                wsprintfA(table, "%04x%04x", translations[i].language, translations[i].codePage);
                mime = QueryString(data, table, "MIMEType");
                extents = QueryString(data, table, "FileExtents");
            }
        }
    }
    out->mimeTypes = SplitList(mime);
    out->extensions = SplitList(extents);
    return !out->mimeTypes.empty();
}

PluginLibrary::PluginLibrary(std::string path, PluginRegistration registration)
    : path_(std::move(path)), registration_(std::move(registration)) {}

PluginLibrary::~PluginLibrary() {
    if (module_) FreeLibrary(module_);
}

bool PluginLibrary::Serves(const std::string& mimeType) const {
    for (const auto& t : registration_.mimeTypes) {
        if (EqualNoCase(t, mimeType)) return true;
    }
    return false;
}

bool PluginLibrary::ServesExtension(const std::string& extension) const {
    for (const auto& e : registration_.extensions) {
        if (EqualNoCase(e, extension)) return true;
    }
    return false;
}

bool PluginLibrary::Start(NPNetscapeFuncs* browserFuncs, BrowserLog& log) {
    if (started_) return true;
    if (failed_) return false;
    module_ = LoadLibraryA(path_.c_str());
    if (!module_) {
        log.Write("loadfailed " + path_ + " error=" + std::to_string(GetLastError()));
        failed_ = true;
        return false;
    }
    log.Write("load " + path_);
    auto getEntryPoints =
        reinterpret_cast<NP_GetEntryPointsFunc>(reinterpret_cast<void*>(GetProcAddress(module_, "NP_GetEntryPoints")));
    auto initialize =
        reinterpret_cast<NP_InitializeFunc>(reinterpret_cast<void*>(GetProcAddress(module_, "NP_Initialize")));
    NPError result = NPERR_INVALID_PLUGIN_ERROR;
    if (getEntryPoints && initialize) {
        table_ = {};
        table_.funcs.size = sizeof(NPPluginFuncs);
        result = getEntryPoints(&table_.funcs);
        log.Write("getentrypoints result=" + std::to_string(result));
        if (result == NPERR_NO_ERROR) {
            result = initialize(browserFuncs);
            log.Write("initialize result=" + std::to_string(result));
        }
    } else {
        log.Write("noexports " + path_);
    }
    if (result != NPERR_NO_ERROR) {
        FreeLibrary(module_);
        module_ = nullptr;
        failed_ = true;
        log.Write("unload " + path_);
        return false;
    }
    started_ = true;
    return true;
}

void PluginLibrary::Stop(BrowserLog& log) {
    if (!module_) return;
    if (started_) {
        auto shutdown =
            reinterpret_cast<NP_ShutdownFunc>(reinterpret_cast<void*>(GetProcAddress(module_, "NP_Shutdown")));
        if (shutdown) {
            NPError result = shutdown();
            log.Write("shutdown result=" + std::to_string(result));
        }
    }
    started_ = false;
    FreeLibrary(module_);
    module_ = nullptr;
    log.Write("unload " + path_);
}

}  // namespace zorbit::browser
