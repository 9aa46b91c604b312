#include "installer/wizard/main_sheet.h"

#include "installer/resources/resource_ids.h"

namespace {

thread_local CMainSheet* t_sheetInCreation = nullptr;

std::string CurrentDirectory() {
    char buffer[MAX_PATH];
    DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
    // A cut directory would name the wrong start page; none is safer.
    if (length == 0 || length >= sizeof buffer)
        return std::string();
    return std::string(buffer, length);
}

}  // namespace

CMainSheet::CMainSheet(const char* caption, HWND parent, UINT selectPage)
    : WizardState(CurrentDirectory()),
      icon_(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME))),
      caption_(caption),
      parent_(parent),
      selectPage_(selectPage) {}

CMainSheet::~CMainSheet() {
    if (Window() && IsWindow(Window()))
        DestroyWindow(Window());
}

void CMainSheet::AddPage(std::unique_ptr<PropertyPage> page) {
    page->SetHost(this);
    pages_.push_back(std::move(page));
}

int CMainSheet::DoModal() {
    finished_ = false;
    Run(false);
    return Result();
}

HWND CMainSheet::CreateModeless() {
    finished_ = false;
    INT_PTR result = Run(true);
    return result > 0 ? reinterpret_cast<HWND>(result) : nullptr;
}

INT_PTR CMainSheet::Run(bool modeless) {
    std::vector<HPROPSHEETPAGE> handles;
    for (auto& page : pages_) {
        HPROPSHEETPAGE handle = page->CreatePage();
        if (!handle) {
            for (HPROPSHEETPAGE made : handles)
                DestroyPropertySheetPage(made);
            return -1;
        }
        handles.push_back(handle);
    }
    if (handles.empty())
        return -1;

    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_WIZARD | PSH_USECALLBACK | (modeless ? PSH_MODELESS : 0);
    header.hwndParent = parent_;
    header.hInstance = GetModuleHandleA(nullptr);
    header.pszCaption = caption_.c_str();
    header.nPages = static_cast<UINT>(handles.size());
    header.nStartPage = selectPage_ < handles.size() ? selectPage_ : 0;
    header.phpage = handles.data();
    header.pfnCallback = SheetCallback;

    CMainSheet* outer = t_sheetInCreation;
    t_sheetInCreation = this;
    INT_PTR result = PropertySheetA(&header);
    t_sheetInCreation = outer;
    return result;
}

int CALLBACK CMainSheet::SheetCallback(HWND window, UINT message, LPARAM) {
    if (message != PSCB_INITIALIZED)
        return 0;
    AdoptWindow(window);
    if (CMainSheet* sheet = FromWindow(window))
        SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(sheet->icon_));
    return 0;
}

void CMainSheet::AdoptWindow(HWND window) {
    if (t_sheetInCreation && !t_sheetInCreation->Window())
        t_sheetInCreation->Subclass(window);
}

CMainSheet* CMainSheet::FromWindow(HWND window) {
    WindowBase* bound = WindowBase::FromWindow(window);
    if (!bound || lstrcmpA(bound->RuntimeClassName(), "CMainSheet") != 0)
        return nullptr;
    return static_cast<CMainSheet*>(bound);
}
