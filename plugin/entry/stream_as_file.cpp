// The intake of a finished file: when its local path shows it to be the
// requested definition, it is read and handed to the instance's menus.
#include <windows.h>

#include <string>

#include "plugin/entry/entry_points.h"
#include "plugin/entry/instance_data.h"
#include "plugin/menus/bar_menu_data.h"
#include "plugin/menus/definition_parser.h"
#include "plugin/menus/ie_menu_data.h"

namespace {

// Upper-cased as multi-byte text of the system code page.
std::string UpperCase(std::string text) {
    if (!text.empty())
        CharUpperBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

// The first characters of the file name (all of it when shorter), counted
// as characters of the code page, so a double-byte character stays whole.
std::string AcceptanceKey(const char* fileName) {
    const char* end = fileName;
    for (int i = 0; i < zorbit::kAcceptanceKeyChars && *end; ++i)
        end = CharNextA(end);
    return UpperCase(std::string(fileName, end));
}

}  // namespace

void NPP_StreamAsFile(NPP instance, NPStream* stream, const char* fname) noexcept {
    if (!fname || !*fname || !instance)
        return;
    auto* data = static_cast<InstanceData*>(instance->pdata);
    if (!data)
        return;
    // An instance that requested nothing takes no stream; one that requested
    // an empty name has an empty key, which every path contains.
    if (!data->fileRequested)
        return;
    // Out of memory, the file is dropped and `ready` stays as it was. So are
    // the definition entries: half-built ones would send the menu items to
    // the wrong addresses.
    try {
        const std::string key = AcceptanceKey(data->fileName);
        if (UpperCase(fname).find(key) == std::string::npos)
            return;
        CIEMenuData lines;
        ReadDefinition(lines, fname);
        lines.TransferTo(data->menus);
        data->ready = 1;
    } catch (...) {
        data->menus->definitionEntries.clear();
    }
}
