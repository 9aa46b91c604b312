// What the install page holds for the integration steps: the product
// directory (and through it the install record) and the Programs folder,
// and the browser program directory that the sheet carries.
#pragma once

#include <stdexcept>
#include <string>

#include "common/install_record.h"

struct InstallState {
    // The directory the installer was started in, which the sheet reads
    // before any page is shown: the file dialog may move the current
    // directory since, but the product's files stay where they were.
    std::string startDirectory;
    // The start directory, taken by CaptureProductDirectory. Empty when it
    // could not be read or was longer than the path limit: the steps then
    // write nothing under it.
    std::string productDirectory;
    std::string programsFolder;         // stored by GetShellFolders
    std::string browserProgramDirectory;  // from the sheet, for the shortcuts
    std::string pluginPath;  // from the sheet: where the plug-in goes
    bool netscape = false;   // the Netscape build, bookmark and record key

    // The product the install record is kept for: its record is SetUp.ini
    // in the product directory. Only for a state that holds a directory.
    Product RecordedProduct() const { return ProductAt(productDirectory); }
};

// A file error that leaves an install step at once and reaches the
// installer's top-level error report.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Takes state.startDirectory as state.productDirectory, whatever the current
// directory is by now. Refuses (false, empty directory) one that is empty or
// does not fit the path limit.
bool CaptureProductDirectory(InstallState& state);

// The application title: the executable's file name without its extension.
std::string ApplicationTitle();

// The installer's message box: OK, exclamation icon, application title.
void ShowInstallerMessage(const char* text);
