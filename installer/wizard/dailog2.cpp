#include "installer/wizard/dailog2.h"

#include <cstring>
#include <string>

#include "installer/resources/resource_ids.h"
#include "installer/wizard/wizard_state.h"
#include "common/owned_handles.h"

namespace {

// More than any licence; keeps a wrong file from taking all memory.
constexpr DWORD kLicenceLimit = 16 * 1024 * 1024;

std::string LoadString(UINT id) {
    char buffer[1024];
    int length = LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
    return std::string(buffer, length > 0 ? length : 0);
}

}  // namespace

Dailog2::Dailog2() : PropertyPage(IDD_DIALOG2) {}

void Dailog2::OnInitDialog() { LoadLicenceText(); }

void Dailog2::OnSetActive() {
    if (ParentState())
        PostWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
}

void Dailog2::LoadLicenceText() {
    OwnedFile file(CreateFileA("share.dat", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size))
        return;
    DWORD wanted = size.QuadPart > kLicenceLimit ? kLicenceLimit : static_cast<DWORD>(size.QuadPart);

    std::string body(wanted, '\0');
    DWORD total = 0;
    while (total < wanted) {
        DWORD got = 0;
        if (!ReadFile(file.get(), &body[total], wanted - total, &got, nullptr) || got == 0)
            break;
        total += got;
    }
    body.resize(strnlen(body.data(), total));

    std::string text = LoadString(IDS_LICENCE_OPENING) + body;
    HWND edit = GetDlgItem(Window(), IDC_LICENCE);
    if (SendMessageA(edit, EM_GETLIMITTEXT, 0, 0) < static_cast<LRESULT>(text.size()))
        SendMessageA(edit, EM_SETLIMITTEXT, text.size(), 0);
    SetWindowTextA(edit, text.c_str());
}
