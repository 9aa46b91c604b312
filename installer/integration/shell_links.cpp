#include "installer/integration/shell_links.h"

#include "common/owned_handles.h"
#include "installer/integration/install_steps.h"

namespace {

HRESULT CreateSystemShellLink(IShellLinkA** link) {
    return CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                            reinterpret_cast<void**>(link));
}

ShellLinkFactory factory = CreateSystemShellLink;
ShellLinkMessage message = ShowInstallerMessage;

void Check(HRESULT result, const char* failure) {
    if (FAILED(result))
        message(failure);
}

HRESULT WriteLink(const std::string& target, const std::string& linkPath, const std::string& description,
                  const std::string& iconFile, const std::string& arguments, const std::string& workingDirectory) {
    ComPtr<IShellLinkA> link;
    HRESULT result = factory(link.receive());
    if (FAILED(result))
        return result;
    if (!link)
        return E_POINTER;
    ComPtr<IPersistFile> file;
    result = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.receive()));
    if (FAILED(result))
        return result;
    if (!file)
        return E_NOINTERFACE;

    Check(link->SetPath(target.c_str()), "SetPath failed!");
    Check(link->SetDescription(description.c_str()), "SetDescription failed!");
    Check(link->SetIconLocation(iconFile.c_str(), 0), "Set icon failed!");
    Check(link->SetArguments(arguments.c_str()), "Set aArgument failed!");
    Check(link->SetWorkingDirectory(workingDirectory.c_str()), "Set Working Directory failed!");

    WCHAR widePath[MAX_PATH];
    if (MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, widePath, MAX_PATH) == 0) {
        // A path that does not fit is not saved at all rather than cut.
        result = HRESULT_FROM_WIN32(GetLastError());
        if (SUCCEEDED(result))
            result = E_FAIL;
    } else {
        result = file->Save(widePath, TRUE);
    }
    Check(result, "Save failed!");
    file.reset();
    link.reset();
    return result;
}

}  // namespace

void ShowStepMessage(const char* text) { message(text); }

ShellLinkFactory SetShellLinkFactory(ShellLinkFactory replacement) {
    ShellLinkFactory previous = factory;
    factory = replacement ? replacement : CreateSystemShellLink;
    return previous;
}

ShellLinkMessage SetShellLinkMessage(ShellLinkMessage replacement) {
    ShellLinkMessage previous = message;
    message = replacement ? replacement : ShowInstallerMessage;
    return previous;
}

HRESULT CreateShellLink(const InstallState& state, const std::string& target, const std::string& linkPath,
                        const std::string& description) {
    return WriteLink(target, linkPath, description, state.productDirectory + "\\redicon.ico",
                     state.productDirectory + "\\BatchBM.htm", state.productDirectory);
}

HRESULT CreateGroupLink(const InstallState& state, const std::string& target, const std::string& linkPath,
                        const std::string& description, char iconLetter) {
    const char* icon = iconLetter == 'g' ? "\\greenicon.ico" : "\\pinkicon.ico";
    return WriteLink(target, linkPath, description, state.productDirectory + icon, std::string(),
                     state.productDirectory);
}
