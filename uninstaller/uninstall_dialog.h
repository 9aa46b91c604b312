// The uninstaller's one dialog: the list of what will go, Remove and
// Cancel; after Remove each row's outcome and a single Close.
#pragma once

#include <windows.h>

#include <vector>

#include "common/install_record.h"
#include "common/owned_handles.h"
#include "common/window_base.h"
#include "uninstaller/removal.h"

class UninstallDialog : public WindowBase {
public:
    explicit UninstallDialog(const Product& product) : product_(product) {}

    // Runs the dialog modally; its result.
    INT_PTR Run(HINSTANCE instance);

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnUnhandledError(const char* what) noexcept override;

private:
    INT_PTR OnCommand(WORD id, WORD code);
    void OnInitDialog();
    void OnRemove();
    void ShowRows();
    void OfferOnlyClose();

    Product product_;
    std::vector<Removal> plan_;
    OwnedIcon icon_;
    bool removed_ = false;
    bool recordMissing_ = false;  // no SetUp.ini: nothing the installer recorded can be found
};
