// The install record: section "Zorbit Setup" of SetUp.ini in the product
// directory, where the installer notes what it put where and the
// uninstaller finds it again; the plug-in reads the collection sections of
// the same file. Its place, section and keys are defined here once.
#pragma once

#include <string>

constexpr char kRecordFileName[] = "SetUp.ini";
constexpr char kRecordSection[] = "Zorbit Setup";
constexpr char kIePluginKey[] = "IE_PLUGIN";
constexpr char kNsPluginKey[] = "NS_PLUGIN";
constexpr char kFavoriteKey[] = "FAVORITE";
constexpr char kBookmarkKey[] = "BOOKMARK";
constexpr char kDesktopShortcutKey[] = "IE ICON";
constexpr char kProgramGroupKey[] = "Start Directory";

// SetUp.ini of a product directory in the form ProductDirectory gives.
inline std::string RecordPathOf(const std::string& directory) { return directory + "\\" + kRecordFileName; }

// A product directory as every program names it: full, in its long form,
// without a trailing separator, so that "\SetUp.ini" can follow it; a drive
// root is "D:", a share root "\\server\share". Empty when path is no
// full path (a bare "D:" counts as the drive's root).
std::string ProductDirectory(const std::string& path);

// Whether path is full: "D:\..." or "\\server\share\...". A relative,
// rooted ("\Zorbit") or drive-relative ("D:x") path names a different place
// for each current directory.
bool IsFullPath(const std::string& path);

struct Product {
    std::string directory;   // as ProductDirectory gives it
    std::string recordPath;  // RecordPathOf(directory)
};

// The product whose directory is given, normalised.
Product ProductAt(const std::string& directory);
// The product of the running executable.
Product RunningProduct();
// The directory as a person reads it: a drive root keeps its backslash.
std::string ShownDirectory(const Product& product);

std::string StartPagePath(const Product& product);  // directory + "\BatchBM.htm"
std::string FavoriteUrl(const Product& product);    // "file:///" + the start page

// Writes one key of the record; false when the write failed.
bool WriteRecordValue(const Product& product, const char* key, const std::string& value);

struct RecordValue {
    bool present = false;  // the key stands in the record
    bool tooLong = false;  // longer than a path can be: names nothing usable
    bool notFull = false;  // not a full path: would name a different place for each current directory
    std::string text;
};

RecordValue ReadRecordValue(const Product& product, const char* key);

// Deletes one key of the record, and the section with its last key;
// false when the write failed.
bool ForgetRecordKey(const Product& product, const char* key);
// Whether any "Zorbit Setup" key remains.
bool RecordHoldsKeys(const Product& product);
// Deletes SetUp.ini when no section is left in it.
void DeleteRecordFileIfEmpty(const Product& product);
