// Collection entries from one profile section, as GetPrivateProfileSectionA
// returns it: "key=value" lines, each ended by a NUL, the last followed by an
// empty one. A line cut off by the end of the buffer ends there.
#include <cstring>

#include "plugin/menus/bar_menu_data.h"

namespace {

constexpr char kLocalPrefix[] = "file:///";

bool IsSeparatorKey(const std::string& key) { return key == "SEPARATOR" || key == "separator"; }

}  // namespace

void CBarMenuData::AddSectionEntries(const char* section, size_t size, bool addPrefix) {
    if (!section)
        return;
    const char* cursor = section;
    const char* const end = section + size;
    while (cursor < end && *cursor != '\0') {
        const void* terminator = std::memchr(cursor, '\0', static_cast<size_t>(end - cursor));
        const char* lineEnd = terminator ? static_cast<const char*>(terminator) : end;
        const void* equals = std::memchr(cursor, '=', static_cast<size_t>(lineEnd - cursor));

        std::string name;
        std::string url;
        if (equals) {
            const char* split = static_cast<const char*>(equals);
            name.assign(cursor, split);
            url.assign(split + 1, lineEnd);
        } else {
            url.assign(cursor, lineEnd);
        }
        if (addPrefix)
            url.insert(0, kLocalPrefix);
        const EntryKind kind = IsSeparatorKey(name) ? Separator : Item;
        collectionEntries.push_back(std::make_unique<CItemData>(std::move(name), std::move(url), kind, 0));

        if (lineEnd == end)
            break;
        cursor = lineEnd + 1;
    }
}
