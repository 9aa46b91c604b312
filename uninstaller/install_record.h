// The product directory the uninstaller works on and its install record,
// section "Zorbit Setup" of SetUp.ini, read with the same limits the
// installer writes within.
#pragma once

#include <string>

struct Product {
    std::string directory;   // the folder Uninstall.exe lies in, no trailing backslash
    std::string recordPath;  // directory + "\SetUp.ini"
};

// The product whose directory is given; a trailing backslash is dropped.
Product ProductAt(const std::string& directory);
// The product of the running executable.
Product RunningProduct();

std::string StartPagePath(const Product& product);  // directory + "\BatchBM.htm"
std::string FavoriteUrl(const Product& product);    // "file:///" + the start page

extern const char kRecordSection[];  // "Zorbit Setup"

struct RecordValue {
    bool present = false;  // the key stands in the record
    bool tooLong = false;  // longer than a path can be: names nothing usable
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
