#include "editor/app/save_prompt.h"

#include "editor/app/editor_ids.h"

namespace {

INT_PTR CALLBACK SavePromptProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetDlgItemTextA(dialog, IDC_SAVE_PROMPT_TEXT, reinterpret_cast<const char*>(lParam));
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDC_DONT_SAVE:
        case IDCANCEL:
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace

SaveAnswer AskSaveChanges(HINSTANCE instance, HWND owner, const std::string& question) {
    const INT_PTR answer = DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_SAVE_PROMPT), owner, SavePromptProc,
                                           reinterpret_cast<LPARAM>(question.c_str()));
    if (answer == IDOK)
        return SaveAnswer::Save;
    if (answer == IDC_DONT_SAVE)
        return SaveAnswer::DontSave;
    return SaveAnswer::Cancel;
}
