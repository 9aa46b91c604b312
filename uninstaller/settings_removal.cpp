#include "uninstaller/removal_steps.h"

namespace {

const char* const kCollectionSections[] = {"LocalZB", "CollectionNames"};

std::string ProfileDirectory() {
    char value[4 * MAX_PATH] = "";
    GetProfileStringA("Zorbit", "ZorbitDir", "", value, sizeof value);
    return value;
}

// Another installation's entry names another directory; only ours goes.
bool ProfileNamesProduct(const Product& product) {
    std::string named = ProfileDirectory();
    while (named.size() > 1 && named.back() == '\\')
        named.pop_back();
    return !named.empty() && SameText(named, product.directory);
}

bool SectionPresent(const std::string& file, const char* section) {
    char buffer[16] = "";
    return GetPrivateProfileSectionA(section, buffer, sizeof buffer, file.c_str()) > 0;
}

bool ProfileSectionEmpty() {
    char buffer[16] = "";
    return GetProfileSectionA("Zorbit", buffer, sizeof buffer) == 0;
}

}  // namespace

bool SettingsPresent(const Product& product) {
    if (ProfileNamesProduct(product))
        return true;
    for (const char* section : kCollectionSections)
        if (SectionPresent(product.recordPath, section))
            return true;
    return false;
}

RemovalResult RemoveSettings(const Product& product) {
    bool removed = false;
    std::string failures;
    if (ProfileNamesProduct(product)) {
        if (WriteProfileStringA("Zorbit", "ZorbitDir", nullptr)) {
            removed = true;
            if (ProfileSectionEmpty())
                WriteProfileStringA("Zorbit", nullptr, nullptr);
        } else {
            failures = "the profile entry: " + SystemReason(GetLastError());
        }
    }
    bool readOnly = (GetFileAttributesA(product.recordPath.c_str()) & FILE_ATTRIBUTE_READONLY) &&
                    KindOf(product.recordPath) == PathKind::File;
    for (const char* section : kCollectionSections) {
        if (!SectionPresent(product.recordPath, section))
            continue;
        if (readOnly)
            failures += (failures.empty() ? "" : "; ") + std::string(section) + ": " + kRecordFileName +
                        " is read-only";
        else if (WritePrivateProfileStringA(section, nullptr, nullptr, product.recordPath.c_str()))
            removed = true;
        else
            failures += (failures.empty() ? "" : "; ") + std::string(section) + ": " + SystemReason(GetLastError());
    }
    if (!failures.empty())
        return {Outcome::Failed, failures};
    return {removed ? Outcome::Removed : Outcome::AlreadyGone, ""};
}
