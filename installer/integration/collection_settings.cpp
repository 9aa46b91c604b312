#include "installer/integration/install_steps.h"

#include <windows.h>

int WriteCollectionSettings(InstallState& state) {
    // A directory that cannot be read whole would send the plug-in to the
    // wrong place: nothing is written then.
    if (!CaptureProductDirectory(state) || state.productDirectory.empty())
        return 0;
    const std::string& directory = state.productDirectory;
    const Product product = state.RecordedProduct();
    const char* record = product.recordPath.c_str();
    bool written =
        WritePrivateProfileStringA("CollectionNames", "General Collection", (directory + "\\WebSite.htm").c_str(), record);
    written &= WritePrivateProfileStringA("CollectionNames", "User Collection", (directory + "\\Template.htm").c_str(),
                                          record) != FALSE;
    written &= WritePrivateProfileStringA("LocalZB", "Home", (directory + "\\BatchBM.htm").c_str(), record) != FALSE;
    written &= WritePrivateProfileStringA("LocalZB", "User Collection", (directory + "\\TempBM.htm").c_str(), record) !=
               FALSE;
    // A rooted "\\Zorbit" would name a folder on whatever drive is current.
    if (IsFullPath(state.programsFolder))
        written &= WriteRecordValue(product, kProgramGroupKey, state.programsFolder + "\\Zorbit");
    written &= WriteProfileStringA("Zorbit", "ZorbitDir", directory.c_str()) != FALSE;
    return written ? 1 : 0;
}
