#include "common/install_record.h"

#include <windows.h>

#include <cctype>
#include <vector>

#include "common/owned_handles.h"

namespace {

// Large enough to tell a value of MAX_PATH characters or more from a path.
const DWORD kValueBuffer = 4 * MAX_PATH;

}  // namespace

bool IsFullPath(const std::string& path) {
    if (path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
        (path[2] == '\\' || path[2] == '/'))
        return true;
    // A share: two separators, a server, a separator, a share name; device
    // paths ("\\?\", "\\.\") are no place a person chose.
    if (path.size() < 5 || path[0] != '\\' || path[1] != '\\' || path[2] == '?' || path[2] == '.')
        return false;
    size_t share = path.find('\\', 2);
    return share != std::string::npos && share > 2 && share + 1 < path.size() && path[share + 1] != '\\';
}

std::string ProductDirectory(const std::string& path) {
    if (!IsFullPath(path) && !(path.size() == 2 && path[1] == ':'))
        return std::string();
    std::string directory = path.size() == 2 ? path + "\\" : path;
    char full[4 * MAX_PATH];
    DWORD length = GetFullPathNameA(directory.c_str(), sizeof full, full, nullptr);
    if (length > 0 && length < sizeof full)
        directory.assign(full, length);
    // An 8.3 name current at install time must name the same product.
    length = GetLongPathNameA(directory.c_str(), full, sizeof full);
    if (length > 0 && length < sizeof full)
        directory.assign(full, length);
    while (directory.size() > 2 && (directory.back() == '\\' || directory.back() == '/'))
        directory.pop_back();
    return directory;
}

Product ProductAt(const std::string& directory) {
    Product product;
    product.directory = ProductDirectory(directory);
    if (product.directory.empty()) {
        // Not a full path: kept as given, trailing separators dropped, so
        // that the record can still be told missing.
        product.directory = directory;
        while (product.directory.size() > 1 && product.directory.back() == '\\')
            product.directory.pop_back();
    }
    product.recordPath = RecordPathOf(product.directory);
    return product;
}

std::string ShownDirectory(const Product& product) {
    return product.directory.size() == 2 && product.directory[1] == ':' ? product.directory + "\\"
                                                                         : product.directory;
}

bool WriteRecordValue(const Product& product, const char* key, const std::string& value) {
    return WritePrivateProfileStringA(kRecordSection, key, value.c_str(), product.recordPath.c_str()) != FALSE;
}

Product RunningProduct() {
    std::vector<char> path(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return ProductAt(".");
        if (length < path.size())
            break;
        path.resize(path.size() * 2);
    }
    std::string file(path.data());
    size_t slash = file.find_last_of('\\');
    return ProductAt(slash == std::string::npos ? "." : file.substr(0, slash));
}

std::string StartPagePath(const Product& product) { return product.directory + "\\BatchBM.htm"; }

std::string FavoriteUrl(const Product& product) { return "file:///" + StartPagePath(product); }

RecordValue ReadRecordValue(const Product& product, const char* key) {
    RecordValue value;
    std::vector<char> buffer(kValueBuffer);
    // A default no key can hold tells a missing key from an empty one.
    static const char kMissing[] = "\x01missing";
    DWORD length = GetPrivateProfileStringA(kRecordSection, key, kMissing, buffer.data(), kValueBuffer,
                                            product.recordPath.c_str());
    std::string text(buffer.data(), length);
    if (text == kMissing)
        return value;
    value.present = true;
    if (length + 1 >= kValueBuffer || text.size() >= MAX_PATH) {
        value.tooLong = true;
        return value;
    }
    value.notFull = !text.empty() && !IsFullPath(text);
    value.text = text;
    return value;
}

bool ForgetRecordKey(const Product& product, const char* key) {
    // The read-only mark is the user's choice to keep the record as it is.
    DWORD attributes = GetFileAttributesA(product.recordPath.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    if (!WritePrivateProfileStringA(kRecordSection, key, nullptr, product.recordPath.c_str()))
        return false;
    // The last key leaves the section's header behind.
    if (!RecordHoldsKeys(product))
        WritePrivateProfileStringA(kRecordSection, nullptr, nullptr, product.recordPath.c_str());
    return true;
}

bool RecordHoldsKeys(const Product& product) {
    char buffer[16] = "";
    // Even a truncated read shows that the section holds something.
    return GetPrivateProfileSectionA(kRecordSection, buffer, sizeof buffer, product.recordPath.c_str()) > 0;
}

void DeleteRecordFileIfEmpty(const Product& product) {
    DWORD attributes = GetFileAttributesA(product.recordPath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return;
    char names[16] = "";
    if (GetPrivateProfileSectionNamesA(names, sizeof names, product.recordPath.c_str()) > 0)
        return;
    // Flush the profile cache first, so that a later write does not bring
    // the file back with the sections just deleted.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, product.recordPath.c_str());
    // Lines outside any section (a user's comments) keep the file.
    OwnedFile file(CreateFileA(product.recordPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return;
    char bytes[4096];
    DWORD read = 0;
    bool blank = true;
    while (blank && ReadFile(file.get(), bytes, sizeof bytes, &read, nullptr) && read > 0) {
        for (DWORD i = 0; i < read && blank; ++i)
            blank = bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n';
    }
    file.reset();
    if (blank)
        DeleteFileA(product.recordPath.c_str());
}
