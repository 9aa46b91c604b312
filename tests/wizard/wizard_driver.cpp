#include "tests/wizard/wizard_driver.h"

#include <vector>

#include "installer/wizard/install_sheet.h"
#include "tests/support/files.h"

void PumpMessages() {
    for (int round = 0; round < 3; ++round) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(10);
    }
}

ScratchDirectory::ScratchDirectory() {
    char temp[MAX_PATH], name[MAX_PATH], current[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    GetTempFileNameA(temp, "zw", 0, name);
    DeleteFileA(name);
    CreateDirectoryA(name, nullptr);
    path_ = name;
    GetCurrentDirectoryA(sizeof current, current);
    previous_ = current;
    SetCurrentDirectoryA(path_.c_str());
}

ScratchDirectory::~ScratchDirectory() {
    SetCurrentDirectoryA(previous_.c_str());
    support::RemoveTree(path_);
}

void ScratchDirectory::Write(const char* name, const std::string& bytes) const {
    HANDLE file = CreateFileA(File(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string ReadFileBytes(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got)
        bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

ModelessWizard::ModelessWizard() : ModelessWizard(MakeInstallSheet()) {}

ModelessWizard::ModelessWizard(std::unique_ptr<CMainSheet> sheet) : sheet_(std::move(sheet)) {
    window_ = sheet_->CreateModeless();
    PumpMessages();
}

ModelessWizard::~ModelessWizard() {
    if (IsWindow(window_))
        DestroyWindow(window_);
    PumpMessages();
}

void ModelessWizard::Press(int button) {
    SendMessageA(window_, PSM_PRESSBUTTON, button, 0);
    PumpMessages();
}

HWND ModelessWizard::Page() const {
    return reinterpret_cast<HWND>(SendMessageA(window_, PSM_GETCURRENTPAGEHWND, 0, 0));
}

int ModelessWizard::PageIndex() const {
    HWND page = Page();
    if (!page)
        return -1;
    return static_cast<int>(SendMessageA(window_, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(page), 0));
}

bool ModelessWizard::ButtonEnabled(int id) const {
    HWND button = GetDlgItem(window_, id);
    return button && IsWindowVisible(button) && IsWindowEnabled(button);
}

bool ModelessWizard::ButtonShown(int id) const {
    HWND button = GetDlgItem(window_, id);
    return button && IsWindowVisible(button);
}

ForeignWindow::ForeignWindow(const char* title) {
    std::string caption = title;
    std::atomic<bool> ready{false};
    thread_ = std::thread([this, caption, &ready] {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "ZorbitTestBrowserFrame";
        RegisterClassA(&wc);
        threadId_ = GetCurrentThreadId();
        HWND window = CreateWindowExA(0, wc.lpszClassName, caption.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                      nullptr, nullptr, wc.hInstance, nullptr);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        window_ = window;
        ready = true;
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (IsWindow(window))
            DestroyWindow(window);
    });
    while (!ready)
        Sleep(5);
}

ForeignWindow::~ForeignWindow() {
    PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
    thread_.join();
}

LRESULT CALLBACK ForeignWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ForeignWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE && self)
        self->receivedClose_ = true;
    return DefWindowProcA(window, message, wParam, lParam);
}

namespace {

struct BoxSearch {
    const std::string* caption;
    HWND found;
};

BOOL CALLBACK FindBox(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<BoxSearch*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char cls[16] = "", title[128] = "";
    GetClassNameA(window, cls, sizeof cls);
    GetWindowTextA(window, title, sizeof title);
    if (process == GetCurrentProcessId() && lstrcmpA(cls, "#32770") == 0 && *search->caption == title &&
        IsWindowVisible(window) && GetDlgItem(window, 0xFFFF)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

MessageBoxAnswer::MessageBoxAnswer(const std::string& caption, int button) : caption_(caption) {
    thread_ = std::thread([this, button] {
        for (int i = 0; i < 500; ++i) {
            BoxSearch search = {&caption_, nullptr};
            EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
            if (search.found) {
                char text[512] = "";
                GetDlgItemTextA(search.found, 0xFFFF, text, sizeof text);
                text_ = text;
                answered_ = true;
                PostMessageA(search.found, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                             reinterpret_cast<LPARAM>(GetDlgItem(search.found, button)));
                return;
            }
            Sleep(20);
        }
    });
}

void MessageBoxAnswer::Join() {
    if (thread_.joinable())
        thread_.join();
}

MessageBoxAnswer::~MessageBoxAnswer() { Join(); }

bool MessageBoxAnswer::Answered() {
    Join();
    return answered_;
}

std::string MessageBoxAnswer::Text() {
    Join();
    return text_;
}

namespace {

BOOL CALLBACK FindFileDialog(HWND window, LPARAM lParam) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char cls[16] = "";
    GetClassNameA(window, cls, sizeof cls);
    if (process == GetCurrentProcessId() && lstrcmpA(cls, "#32770") == 0 && IsWindowVisible(window) &&
        !GetDlgItem(window, 0x3024) && (GetDlgItem(window, 0x480) || GetDlgItem(window, 0x47c))) {
        *reinterpret_cast<HWND*>(lParam) = window;
        return FALSE;
    }
    return TRUE;
}

HWND FileNameBox(HWND dialog) {
    if (HWND edit = GetDlgItem(dialog, 0x480))
        return edit;
    // The explorer-style dialog's file name box is combo box cmb13, which
    // passes its text on to its edit part.
    return GetDlgItem(dialog, 0x47c);
}

}  // namespace

FileDialogAnswer::FileDialogAnswer(const std::string& path) {
    thread_ = std::thread([this, path] {
        for (int i = 0; i < 500; ++i) {
            HWND dialog = nullptr;
            EnumWindows(FindFileDialog, reinterpret_cast<LPARAM>(&dialog));
            HWND box = dialog ? FileNameBox(dialog) : nullptr;
            if (box) {
                Sleep(200);  // let the dialog finish filling itself
                char text[MAX_PATH] = "";
                GetWindowTextA(box, text, sizeof text);
                initialName_ = text;
                answered_ = true;
                if (path.empty()) {
                    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
                } else {
                    SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
                    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                }
                return;
            }
            Sleep(20);
        }
    });
}

FileDialogAnswer::~FileDialogAnswer() {
    if (thread_.joinable())
        thread_.join();
}

bool FileDialogAnswer::Answered() {
    if (thread_.joinable())
        thread_.join();
    return answered_;
}

std::string FileDialogAnswer::InitialName() {
    Answered();
    return initialName_;
}
