#include "common/install_record.h"
#include "installer/integration/install_steps.h"

#include <windows.h>

int WriteCollectionSettings(InstallState& state) {
    // A directory that cannot be read whole would send the plug-in to the
    // wrong place: nothing is written then.
    if (!CaptureProductDirectory(state) || state.productDirectory.empty())
        return 1;
    const std::string& directory = state.productDirectory;
    const char* record = state.installRecordPath.c_str();
    if (!state.installRecordPath.empty()) {
        WritePrivateProfileStringA("CollectionNames", "General Collection", (directory + "\\WebSite.htm").c_str(), record);
        WritePrivateProfileStringA("CollectionNames", "User Collection", (directory + "\\Template.htm").c_str(), record);
        WritePrivateProfileStringA("LocalZB", "Home", (directory + "\\BatchBM.htm").c_str(), record);
        WritePrivateProfileStringA("LocalZB", "User Collection", (directory + "\\TempBM.htm").c_str(), record);
        if (IsFullPath(state.programsFolder))
            WriteRecordValue(ProductAt(directory), kProgramGroupKey, state.programsFolder + "\\Zorbit");
    }
    WriteProfileStringA("Zorbit", "ZorbitDir", directory.c_str());
    return 1;
}
