#include "editor/app/save_prompt.h"

#include "common/window_base.h"
#include "editor/app/editor_ids.h"

namespace {

class SavePrompt : public WindowBase {
public:
    explicit SavePrompt(const std::string& question) : question_(question) {}

private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM) override {
        switch (message) {
        case WM_INITDIALOG: return OnInitDialog();
        case WM_COMMAND: return OnCommand(LOWORD(wParam));
        }
        return FALSE;
    }
    LRESULT OnInitDialog() {
        SetDlgItemTextA(Window(), IDC_SAVE_PROMPT_TEXT, question_.c_str());
        return TRUE;
    }
    LRESULT OnCommand(WORD id) {
        if (id != IDOK && id != IDC_DONT_SAVE && id != IDCANCEL)
            return FALSE;
        EndDialog(Window(), id);
        return TRUE;
    }

    std::string question_;
};

}  // namespace

SaveAnswer AskSaveChanges(HINSTANCE instance, HWND owner, const std::string& question) {
    SavePrompt prompt(question);
    const INT_PTR answer = DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_SAVE_PROMPT), owner, WindowBase::DialogProc,
                                           reinterpret_cast<LPARAM>(static_cast<WindowBase*>(&prompt)));
    if (answer == IDOK)
        return SaveAnswer::Save;
    if (answer == IDC_DONT_SAVE)
        return SaveAnswer::DontSave;
    return SaveAnswer::Cancel;
}
