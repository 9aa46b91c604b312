// The uninstaller's one dialog: the list of what will go, Remove and
// Cancel; after Remove each row's outcome and a single Close.
#pragma once

#include <windows.h>

#include <vector>

#include "common/install_record.h"
#include "uninstaller/removal.h"

class UninstallDialog {
public:
    explicit UninstallDialog(const Product& product) : product_(product) {}
    UninstallDialog(const UninstallDialog&) = delete;
    UninstallDialog& operator=(const UninstallDialog&) = delete;

    // Runs the dialog modally; its result.
    INT_PTR Run(HINSTANCE instance);

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitDialog();
    void OnRemove();
    void ShowRows();
    void OfferOnlyClose();

    Product product_;
    std::vector<Removal> plan_;
    HWND window_ = nullptr;
    HICON icon_ = nullptr;
    bool removed_ = false;
    bool recordMissing_ = false;  // no SetUp.ini: nothing the installer recorded can be found
};
