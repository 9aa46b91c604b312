#include "installer/integration/install_steps.h"

#include <windows.h>

int WriteCollectionSettings(InstallState& state) {
    // A directory that cannot be read whole would send the plug-in to the
    // wrong place: nothing is written then.
    if (!CaptureProductDirectory(state) || state.productDirectory.empty())
        return 1;
    const std::string& directory = state.productDirectory;
    const Product product = state.RecordedProduct();
    const char* record = product.recordPath.c_str();
    WritePrivateProfileStringA("CollectionNames", "General Collection", (directory + "\\WebSite.htm").c_str(), record);
    WritePrivateProfileStringA("CollectionNames", "User Collection", (directory + "\\Template.htm").c_str(), record);
    WritePrivateProfileStringA("LocalZB", "Home", (directory + "\\BatchBM.htm").c_str(), record);
    WritePrivateProfileStringA("LocalZB", "User Collection", (directory + "\\TempBM.htm").c_str(), record);
    // A rooted "\\Zorbit" would name a folder on whatever drive is current.
    if (IsFullPath(state.programsFolder))
        WriteRecordValue(product, kProgramGroupKey, state.programsFolder + "\\Zorbit");
    WriteProfileStringA("Zorbit", "ZorbitDir", directory.c_str());
    return 1;
}
