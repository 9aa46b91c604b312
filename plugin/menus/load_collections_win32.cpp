// The collection entries of an instance: "LocalZB" of SetUp.ini, then
// "Bazrelle" and "More Collection" of ZBIndex.ini, in the product directory
// that the installer recorded in the profile.
#include <windows.h>

#include <string>
#include <vector>

#include "common/install_record.h"
#include "plugin/menus/bar_menu_data.h"

namespace {

constexpr DWORD kDirectorySize = 256;        // 255 characters and the terminator
constexpr DWORD kLocalSectionSize = 4086;    // "LocalZB"
constexpr DWORD kIndexSectionSize = 4086;    // "Bazrelle"
constexpr DWORD kMoreSectionSize = 4096;     // "More Collection"

void AddSection(CBarMenuData& menus, const char* section, DWORD size, const std::string& file,
                bool addPrefix) {
    std::vector<char> buffer(size, '\0');
    DWORD length = GetPrivateProfileSectionA(section, buffer.data(), size, file.c_str());
    if (length > size)
        length = size;
    menus.AddSectionEntries(buffer.data(), length, addPrefix);
}

}  // namespace

void CBarMenuData::LoadCollections() {
    char directory[kDirectorySize] = {};
    GetProfileStringA("Zorbit", "ZorbitDir", "C:\\Zorbit", directory, kDirectorySize);
    const std::string setup = RecordPathOf(directory);
    const std::string index = std::string(directory) + "\\ZBIndex.ini";
    AddSection(*this, "LocalZB", kLocalSectionSize, setup, true);
    AddSection(*this, "Bazrelle", kIndexSectionSize, index, false);
    AddSection(*this, "More Collection", kMoreSectionSize, index, false);
}
