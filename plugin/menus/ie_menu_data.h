// The classified lines of one definition file, in file order. Lives only for
// one read: filled by ReadDefinition, handed over by TransferTo.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "plugin/menus/pase_data.h"

class CBarMenuData;

class CIEMenuData {
public:
    static constexpr const char* kClassName = "CIEMenuData";

    CIEMenuData() = default;
    CIEMenuData(const CIEMenuData&) = delete;
    CIEMenuData& operator=(const CIEMenuData&) = delete;
    ~CIEMenuData();

    static const char* GetRuntimeClassName() { return kClassName; }

    void Append(const CPaseData& line) { lines_.push_back(line); }
    // Appends the line `text`, classified as `keyword`, built where it is
    // kept rather than copied there.
    void AppendClassified(std::string_view keyword, std::string_view text) {
        CPaseData& line = lines_.emplace_back();
        line.keyword = keyword;
        line.ExtractText(text);
    }
    void Reserve(size_t lines) { lines_.reserve(lines_.size() + lines); }
    size_t Count() const { return lines_.size(); }
    const CPaseData& At(size_t index) const { return lines_[index]; }
    const std::vector<CPaseData>& Lines() const { return lines_; }

    // Keeps a text that lines appended later point into, for as long as the
    // list lives (and the entries built from them share it); returns it
    // where it now lies.
    std::string_view Keep(std::unique_ptr<char[]> text, size_t size);

    // Hands the lines to the manager's BuildEntries. 0 without a manager, else 1.
    int TransferTo(CBarMenuData* manager) const;

private:
    std::vector<CPaseData> lines_;
    // Each text stays where it is when more are kept.
    std::vector<std::shared_ptr<const void>> texts_;
};
