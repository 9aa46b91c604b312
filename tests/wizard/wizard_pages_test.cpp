// The first three pages of the installer's wizard, driven as a user would.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "installer/integration/install_state.h"
#include "installer/resources/resource_ids.h"
#include "installer/wizard/main_sheet.h"
#include "installer/wizard/property_page.h"
#include "tests/support/browser_process.h"
#include "tests/support/files.h"
#include "tests/wizard/wizard_driver.h"

namespace {

constexpr int kBack = 0x3023, kNext = 0x3024, kFinish = 0x3025;

std::string LicenceOpening() {
    char buffer[1024];
    int length = LoadStringA(GetModuleHandleA(nullptr), IDS_LICENCE_OPENING, buffer, sizeof buffer);
    return std::string(buffer, length > 0 ? length : 0);
}

std::string DialogItemText(HWND page, int id) {
    HWND item = GetDlgItem(page, id);
    std::string text(GetWindowTextLengthA(item) + 1, '\0');
    text.resize(GetWindowTextA(item, &text[0], static_cast<int>(text.size())));
    return text;
}

#define EXPECT_BUTTONS(wizard, back, next, finish)                  \
    do {                                                           \
        EXPECT_EQ(back, (wizard).ButtonEnabled(kBack)) << "Back";   \
        EXPECT_EQ(next, (wizard).ButtonEnabled(kNext)) << "Next";   \
        EXPECT_EQ(finish, (wizard).ButtonEnabled(kFinish)) << "Finish"; \
    } while (0)

}  // namespace

TEST(WizardPages, ComeInOrderWithTheirButtons) {
    ScratchDirectory scratch;
    ModelessWizard wizard;
    ASSERT_TRUE(wizard.window());
    EXPECT_EQ(&wizard.sheet(), CMainSheet::FromWindow(wizard.window()));

    EXPECT_EQ(0, wizard.PageIndex());
    EXPECT_BUTTONS(wizard, false, true, false);
    wizard.Press(PSBTN_NEXT);
    EXPECT_EQ(1, wizard.PageIndex());
    EXPECT_BUTTONS(wizard, true, true, false);
    wizard.Press(PSBTN_NEXT);
    EXPECT_EQ(2, wizard.PageIndex());
    EXPECT_BUTTONS(wizard, true, true, false);  // as the licence page left them
    wizard.Press(PSBTN_NEXT);
    EXPECT_EQ(3, wizard.PageIndex());
    EXPECT_BUTTONS(wizard, true, true, false);
    wizard.Press(PSBTN_NEXT);
    EXPECT_EQ(4, wizard.PageIndex());
    EXPECT_TRUE(wizard.ButtonEnabled(kBack));
    EXPECT_TRUE(wizard.ButtonEnabled(kFinish));

    wizard.Press(PSBTN_BACK);
    wizard.Press(PSBTN_BACK);
    wizard.Press(PSBTN_BACK);
    wizard.Press(PSBTN_BACK);
    EXPECT_EQ(0, wizard.PageIndex());
    EXPECT_BUTTONS(wizard, false, true, false);
}

TEST(WizardPages, SheetCarriesTheIconAndAPageChecksItsParent) {
    ScratchDirectory scratch;
    ModelessWizard wizard;
    HICON icon = reinterpret_cast<HICON>(SendMessageA(wizard.window(), WM_GETICON, ICON_BIG, 0));
    EXPECT_TRUE(icon != nullptr);
    // A plain dialog window is no CMainSheet.
    EXPECT_EQ(nullptr, CMainSheet::FromWindow(wizard.Page()));
    EXPECT_EQ(nullptr, CMainSheet::FromWindow(GetDesktopWindow()));
}

TEST(WizardPages, WelcomeHidesOnlyTheHelpButton) {
    ScratchDirectory scratch;
    ModelessWizard wizard;
    const char* texts[] = {"Help", "help", "&Help", "Help "};
    HWND buttons[4];
    for (int i = 0; i < 4; ++i)
        buttons[i] = CreateWindowExA(0, "Button", texts[i], WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, wizard.window(),
                                     nullptr, nullptr, nullptr);
    wizard.Press(PSBTN_NEXT);
    wizard.Press(PSBTN_BACK);
    ASSERT_EQ(0, wizard.PageIndex());
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(texts[i]);
        EXPECT_EQ(i != 0, IsWindowVisible(buttons[i]) != FALSE);
    }
}

TEST(WizardPages, LicenceShowsTheOpeningAndTheWholeFile) {
    std::string opening = LicenceOpening();
    ASSERT_EQ(372u, opening.size());
    EXPECT_EQ("\r\n", opening.substr(opening.size() - 2));
    EXPECT_NE(std::string::npos, opening.find("Vantrel Software Inc."));

    std::string big;
    for (int line = 0; big.size() < 70000; ++line)
        big += "Clause " + std::to_string(line) + ": the licensee keeps this agreement with the software.\r\n";
    big.resize(70000);
    big[69999] = '.';

    struct Case {
        const char* name;
        bool present;
        std::string contents;
        std::string shown;
    } cases[] = {
        {"70,000 bytes", true, big, opening + big},
        {"missing", false, "", ""},
        {"NUL byte", true, std::string("Terms\r\nend\0hidden", 17), opening + "Terms\r\nend"},
        {"empty", true, "", opening},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDirectory scratch;
        if (c.present)
            scratch.Write("share.dat", c.contents);
        ModelessWizard wizard;
        wizard.Press(PSBTN_NEXT);
        ASSERT_EQ(1, wizard.PageIndex());
        std::string shown = DialogItemText(wizard.Page(), IDC_LICENCE);
        EXPECT_EQ(c.shown.size(), shown.size());
        EXPECT_TRUE(c.shown == shown);
    }
}

TEST(WizardPages, BrowserPageStartsOnInternetExplorer4) {
    ScratchDirectory scratch;
    ModelessWizard wizard;
    wizard.Press(PSBTN_NEXT);
    wizard.Press(PSBTN_NEXT);
    HWND page = wizard.Page();
    EXPECT_EQ(BST_CHECKED, SendDlgItemMessageA(page, IDC_IE4, BM_GETCHECK, 0, 0));
    EXPECT_EQ(BST_UNCHECKED, SendDlgItemMessageA(page, IDC_IE3, BM_GETCHECK, 0, 0));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_NETSCAPE)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, IDC_IE3)));
}

TEST(WizardPages, BrowserChoiceReachesTheSheetOnNextAndOnBack) {
    ScratchDirectory scratch;
    ModelessWizard wizard;
    wizard.Press(PSBTN_NEXT);
    wizard.Press(PSBTN_NEXT);
    HWND page = wizard.Page();
    SendDlgItemMessageA(page, IDC_IE3, BM_CLICK, 0, 0);
    PumpMessages();
    wizard.Press(PSBTN_BACK);
    EXPECT_EQ(1, wizard.PageIndex());
    EXPECT_EQ(BrowserIE3, wizard.sheet().GetBrowserChoice());

    wizard.Press(PSBTN_NEXT);
    EXPECT_EQ(BST_CHECKED, SendDlgItemMessageA(page, IDC_IE3, BM_GETCHECK, 0, 0)) << "kept across visits";
    SendDlgItemMessageA(page, IDC_IE4, BM_CLICK, 0, 0);
    PumpMessages();
    wizard.Press(PSBTN_NEXT);
    EXPECT_EQ(3, wizard.PageIndex());
    EXPECT_EQ(BrowserIE4, wizard.sheet().GetBrowserChoice());

    wizard.Press(PSBTN_BACK);
    SendDlgItemMessageA(page, IDC_IE3, BM_CLICK, 0, 0);
    PumpMessages();
    wizard.Press(PSBTN_NEXT);
    EXPECT_EQ(BrowserIE3, wizard.sheet().GetBrowserChoice());
}

namespace {

void ReachBrowserPage(ModelessWizard& wizard) {
    wizard.Press(PSBTN_NEXT);
    wizard.Press(PSBTN_NEXT);
    ASSERT_EQ(2, wizard.PageIndex());
}

const char kBrowserMessage[] = "Your Internet Explorer is open.\nClose it please, before click next!";

}  // namespace

TEST(BrowserCheck, DISABLED_ShowsAFrame) { support::ShowFrameUntilEnded(); }

TEST(BrowserCheck, OpenInternetExplorerBlocksUntilTheUserClosesIt) {
    ScratchDirectory scratch;
    ModelessWizard wizard;
    ReachBrowserPage(wizard);
    support::TempFolder folder("zbi");
    auto browser = std::make_unique<support::BrowserProcess>(folder.Path(), "iexplore.exe",
                                                             "BrowserCheck.DISABLED_ShowsAFrame", "IEFrame");
    ASSERT_TRUE(browser->Window());
    {
        MessageBoxAnswer answer("Zorbit Installation", IDOK);
        wizard.Press(PSBTN_NEXT);
        ASSERT_TRUE(answer.Answered());
        EXPECT_EQ(kBrowserMessage, answer.Text());
    }
    EXPECT_EQ(2, wizard.PageIndex());
    EXPECT_TRUE(IsWindow(browser->Window())) << "the browser is the user's to close";
    browser.reset();
    // Gone now: Next goes on.
    wizard.Press(PSBTN_NEXT);
    EXPECT_EQ(3, wizard.PageIndex());
}

TEST(BrowserCheck, CancelOnlyRefusesAndBackIsCheckedToo) {
    ScratchDirectory scratch;
    ModelessWizard wizard;
    ReachBrowserPage(wizard);
    wizard.sheet().SetBrowserChoice(-1);
    support::TempFolder folder("zbi");
    support::BrowserProcess browser(folder.Path(), "iexplore.exe", "BrowserCheck.DISABLED_ShowsAFrame", "IEFrame");
    ASSERT_TRUE(browser.Window());
    for (int button : {PSBTN_NEXT, PSBTN_BACK}) {
        SCOPED_TRACE(button);
        MessageBoxAnswer answer("Zorbit Installation", IDCANCEL);
        wizard.Press(button);
        ASSERT_TRUE(answer.Answered());
        EXPECT_EQ(2, wizard.PageIndex());
    }
    EXPECT_TRUE(IsWindow(browser.Window()));
    EXPECT_EQ(-1, wizard.sheet().GetBrowserChoice()) << "not handed on while refused";
}

TEST(BrowserCheck, ATitleAloneDoesNotBlock) {
    ScratchDirectory scratch;
    ModelessWizard wizard;
    ReachBrowserPage(wizard);
    ForeignWindow titled("about:blank - Microsoft Internet Explorer");
    ForeignWindow bare("Microsoft Internet Explorer");
    std::string longTitle(127, 'x');
    ForeignWindow beyond((longTitle + " - Microsoft Internet Explorer").c_str());
    wizard.Press(PSBTN_NEXT);
    EXPECT_EQ(3, wizard.PageIndex());
    EXPECT_FALSE(bare.ReceivedClose());
    EXPECT_FALSE(titled.ReceivedClose());
}

namespace {

class ThrowingPage : public PropertyPage {
public:
    ThrowingPage() : PropertyPage(IDD_DIALOG5) {}
    int activations = 0;

protected:
    void OnSetActive() override {
        ++activations;
        throw FileError("The favourite could not be replaced.");
    }
};

}  // namespace

TEST(WizardPages, FileErrorFromAStepReachesTheErrorReport) {
    ScratchDirectory scratch;
    auto sheet = std::make_unique<CMainSheet>("TEST", nullptr, 0);
    auto page = std::make_unique<ThrowingPage>();
    ThrowingPage* raw = page.get();
    sheet->AddPage(std::move(page));
    MessageBoxAnswer answer(ApplicationTitle(), IDOK);
    ModelessWizard wizard(std::move(sheet));
    ASSERT_TRUE(answer.Answered());
    EXPECT_EQ("The favourite could not be replaced.", answer.Text());
    EXPECT_EQ(1, raw->activations);
    EXPECT_EQ(0, wizard.PageIndex());
}
