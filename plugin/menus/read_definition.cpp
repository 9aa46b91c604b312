#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "plugin/menus/definition_parser.h"
#include "plugin/menus/ie_menu_data.h"
#include "plugin/menus/pase_data.h"
#include "plugin/menus/text_mode_reader.h"

namespace {

int ReadWorkFile(CIEMenuData& target, const std::string& workFileName) {
    TextModeReader work(workFileName.c_str());
    if (!work.IsOpen())
        return 0;
    std::string line;
    // Only the lower-case tag ends the preamble; that line is dropped too.
    while (work.ReadLine(line, zorbit::kLineChars)) {
        if (line.find("embed") != std::string::npos)
            break;
    }
    while (work.ReadLine(line, zorbit::kLineChars)) {
        // Most lines of a page carry no keyword: no object is made for them.
        const std::string_view keyword = CPaseData::KeywordOf(line);
        if (keyword.empty())
            continue;
        auto data = std::make_unique<CPaseData>();
        data->keyword.assign(keyword);
        data->ExtractText(line);
        target.Append(std::move(data));
    }
    return 1;
}

}  // namespace

int ReadDefinition(CIEMenuData& target, const char* sourcePath) {
    std::string workFileName;
    CopyToWorkFile(sourcePath, workFileName);
    if (workFileName.empty())
        return 0;
    const int result = ReadWorkFile(target, workFileName);
    std::remove(workFileName.c_str());
    return result;
}
