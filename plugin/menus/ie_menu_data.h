// The classified lines of one definition file, in file order. Lives only for
// one read: filled by ReadDefinition, handed over by TransferTo.
#pragma once

#include <cstddef>
#include <memory>
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

    void Append(std::unique_ptr<CPaseData> line);
    size_t Count() const { return lines_.size(); }
    const CPaseData& At(size_t index) const { return *lines_[index]; }
    const std::vector<std::unique_ptr<CPaseData>>& Lines() const { return lines_; }

    // Hands the lines to the manager's BuildEntries. 0 without a manager, else 1.
    int TransferTo(CBarMenuData* manager) const;

private:
    std::vector<std::unique_ptr<CPaseData>> lines_;
};
