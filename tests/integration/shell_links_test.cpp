#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "installer/integration/install_steps.h"
#include "installer/integration/shell_links.h"
#include "test_support.h"

namespace {

struct LinkFields {
    std::string path, arguments, workingDirectory, icon, description;
    int iconIndex = -1;
};

LinkFields ReadLink(const std::string& linkPath) {
    LinkFields fields;
    IShellLinkA* link = nullptr;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                      reinterpret_cast<void**>(&link));
    EXPECT_EQ(S_OK, result);
    if (FAILED(result))
        return fields;
    IPersistFile* file = nullptr;
    link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide, MAX_PATH);
    EXPECT_EQ(S_OK, file->Load(wide, STGM_READ)) << linkPath;
    char text[MAX_PATH];
    text[0] = 0;
    link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
    fields.path = text;
    text[0] = 0;
    link->GetArguments(text, MAX_PATH);
    fields.arguments = text;
    text[0] = 0;
    link->GetWorkingDirectory(text, MAX_PATH);
    fields.workingDirectory = text;
    text[0] = 0;
    link->GetIconLocation(text, MAX_PATH, &fields.iconIndex);
    fields.icon = text;
    text[0] = 0;
    link->GetDescription(text, MAX_PATH);
    fields.description = text;
    file->Release();
    link->Release();
    return fields;
}

std::vector<std::string> messages;
void RecordMessage(const char* text) { messages.push_back(text); }

// Wine's shell link hands every saved shortcut to winemenubuilder, which
// would make desktop entries outside the prefix; the prefix's own override
// keeps it from starting.
class NoMenuBuilder {
public:
    NoMenuBuilder() { registry_.SetText(HKEY_CURRENT_USER, "Software\\Wine\\DllOverrides", "winemenubuilder.exe", ""); }

private:
    RegistryScope registry_;
};

class Shortcuts : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        SetShellFolder(registry_, "Desktop", desktop_.Path());
        SetShellFolder(registry_, "Programs", programs_.Path());
        previousMessage_ = SetShellLinkMessage(RecordMessage);
        messages.clear();
        state_.startDirectory = product_.Path();
        state_.productDirectory = product_.Path();
        state_.browserProgramDirectory = "C:\\Program Files\\Internet Explorer";
        GetShellFolders(state_);
    }
    void TearDown() override {
        SetShellLinkMessage(previousMessage_);
        CoUninitialize();
    }

    std::string Group() const { return programs_ / "Zorbit"; }

    void ExpectLink(const std::string& linkPath, const LinkFields& expected) {
        SCOPED_TRACE(linkPath);
        ASSERT_TRUE(Exists(linkPath));
        LinkFields actual = ReadLink(linkPath);
        EXPECT_EQ(expected.path, actual.path);
        EXPECT_EQ(expected.arguments, actual.arguments);
        EXPECT_EQ(expected.workingDirectory, actual.workingDirectory);
        EXPECT_EQ(expected.icon, actual.icon);
        EXPECT_EQ(expected.iconIndex, actual.iconIndex);
        EXPECT_EQ(expected.description, actual.description);
    }

    LinkFields Browser(const std::string& target) const {
        return {target, product_ / "BatchBM.htm", product_.Path(), product_ / "redicon.ico", "Zor Bit for IE", 0};
    }

    ShellLinkMessage previousMessage_ = nullptr;
    NoMenuBuilder noMenuBuilder_;
    RegistryScope registry_;
    TempFolder desktop_{"zbd"};
    TempFolder programs_{"zbg"};
    TempFolder product_{"zbp"};
    ZorbitProfileScope profile_;
    InstallState state_;
};

TEST_F(Shortcuts, FirstInstallationMakesFourAndLaterOnesOnlyTheBrowserShortcuts) {
    CurrentDirectoryScope inProduct(product_.Path());
    EXPECT_TRUE(FinishInstall(state_));
    const std::string target = "C:\\Program Files\\Internet Explorer\\Iexplore.exe";
    ExpectLink(desktop_ / "Zor Bit IE.LNK", Browser(target));
    ExpectLink(Group() + "\\Zor Bit IE.LNK", Browser(target));
    ExpectLink(Group() + "\\ZBEditor.LNK", {product_ / "ZBEditor.exe", "", product_.Path(),
                                            product_ / "pinkicon.ico", "Zorbit Editor", 0});
    ExpectLink(Group() + "\\Uninstall.LNK", {product_ / "Uninstall.exe", "", product_.Path(),
                                             product_ / "greenicon.ico", "Zorbit Uninstall", 0});
    EXPECT_EQ((std::vector<std::string>{"Uninstall.LNK", "ZBEditor.LNK", "Zor Bit IE.LNK"}), FolderEntries(Group()));
    EXPECT_EQ(desktop_ / "Zor Bit IE.LNK", ProfileValue(product_ / "SetUp.ini", "Zorbit Setup", "IE ICON"));
    EXPECT_EQ(Group(), ProfileValue(product_ / "SetUp.ini", "Zorbit Setup", "Start Directory"));

    // The user removed the editor shortcut; the browser moved.
    ASSERT_TRUE(DeleteFileA((Group() + "\\ZBEditor.LNK").c_str()));
    state_.browserProgramDirectory = "D:\\IE";
    EXPECT_TRUE(FinishInstall(state_));
    ExpectLink(desktop_ / "Zor Bit IE.LNK", Browser("D:\\IE\\Iexplore.exe"));
    ExpectLink(Group() + "\\Zor Bit IE.LNK", Browser("D:\\IE\\Iexplore.exe"));
    EXPECT_EQ((std::vector<std::string>{"Uninstall.LNK", "Zor Bit IE.LNK"}), FolderEntries(Group()));
    EXPECT_EQ(std::vector<std::string>{"Zor Bit IE.LNK"}, FolderEntries(desktop_.Path()));
    EXPECT_TRUE(messages.empty());
}

TEST_F(Shortcuts, NoBrowserDirectoryTargetsIexploreAtTheDriveRoot) {
    state_.browserProgramDirectory.clear();
    CurrentDirectoryScope inProduct(product_.Path());
    CreateBrowserShortcuts(state_);
    // Wine keeps the full form of "\Iexplore.exe " on the current drive,
    // without its trailing blank.
    char full[MAX_PATH];
    GetFullPathNameA("\\Iexplore.exe ", MAX_PATH, full, nullptr);
    LinkFields fields = ReadLink(desktop_ / "Zor Bit IE.LNK");
    EXPECT_EQ(full, fields.path);
    EXPECT_EQ("C:\\Iexplore.exe", fields.path);
    // No group folder yet: its shortcut could not be saved.
    EXPECT_FALSE(Exists(Group() + "\\Zor Bit IE.LNK"));
    EXPECT_EQ(std::vector<std::string>{"Save failed!"}, messages);
    EXPECT_EQ(desktop_ / "Zor Bit IE.LNK", ProfileValue(product_ / "SetUp.ini", "Zorbit Setup", "IE ICON"));
}

// A link object whose chosen setters fail; the rest goes to the system's
// own link object, so the saved file is real.
enum Field { kPath = 1, kDescription = 2, kIcon = 4, kArguments = 8, kWorkingDirectory = 16, kSave = 32,
             kNoPersist = 64 };

class FailingLink : public IShellLinkA, public IPersistFile {
public:
    static int failing;

    FailingLink() {
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                         reinterpret_cast<void**>(&link_));
        link_->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file_));
    }
    virtual ~FailingLink() {
        file_->Release();
        link_->Release();
    }

    static HRESULT Create(IShellLinkA** link) {
        *link = new FailingLink;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IShellLinkA)) {
            *object = static_cast<IShellLinkA*>(this);
        } else if (IsEqualIID(iid, IID_IPersistFile) && !(failing & kNoPersist)) {
            *object = static_cast<IPersistFile*>(this);
        } else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE GetPath(LPSTR a, int b, WIN32_FIND_DATAA* c, DWORD d) override { return link_->GetPath(a, b, c, d); }
    HRESULT STDMETHODCALLTYPE GetIDList(LPITEMIDLIST* a) override { return link_->GetIDList(a); }
    HRESULT STDMETHODCALLTYPE SetIDList(LPCITEMIDLIST a) override { return link_->SetIDList(a); }
    HRESULT STDMETHODCALLTYPE GetDescription(LPSTR a, int b) override { return link_->GetDescription(a, b); }
    HRESULT STDMETHODCALLTYPE SetDescription(LPCSTR a) override {
        return failing & kDescription ? E_FAIL : link_->SetDescription(a);
    }
    HRESULT STDMETHODCALLTYPE GetWorkingDirectory(LPSTR a, int b) override { return link_->GetWorkingDirectory(a, b); }
    HRESULT STDMETHODCALLTYPE SetWorkingDirectory(LPCSTR a) override {
        return failing & kWorkingDirectory ? E_FAIL : link_->SetWorkingDirectory(a);
    }
    HRESULT STDMETHODCALLTYPE GetArguments(LPSTR a, int b) override { return link_->GetArguments(a, b); }
    HRESULT STDMETHODCALLTYPE SetArguments(LPCSTR a) override {
        return failing & kArguments ? E_FAIL : link_->SetArguments(a);
    }
    HRESULT STDMETHODCALLTYPE GetHotkey(WORD* a) override { return link_->GetHotkey(a); }
    HRESULT STDMETHODCALLTYPE SetHotkey(WORD a) override { return link_->SetHotkey(a); }
    HRESULT STDMETHODCALLTYPE GetShowCmd(int* a) override { return link_->GetShowCmd(a); }
    HRESULT STDMETHODCALLTYPE SetShowCmd(int a) override { return link_->SetShowCmd(a); }
    HRESULT STDMETHODCALLTYPE GetIconLocation(LPSTR a, int b, int* c) override { return link_->GetIconLocation(a, b, c); }
    HRESULT STDMETHODCALLTYPE SetIconLocation(LPCSTR a, int b) override {
        return failing & kIcon ? E_FAIL : link_->SetIconLocation(a, b);
    }
    HRESULT STDMETHODCALLTYPE SetRelativePath(LPCSTR a, DWORD b) override { return link_->SetRelativePath(a, b); }
    HRESULT STDMETHODCALLTYPE Resolve(HWND a, DWORD b) override { return link_->Resolve(a, b); }
    HRESULT STDMETHODCALLTYPE SetPath(LPCSTR a) override { return failing & kPath ? E_FAIL : link_->SetPath(a); }

    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* a) override { return file_->GetClassID(a); }
    HRESULT STDMETHODCALLTYPE IsDirty() override { return file_->IsDirty(); }
    HRESULT STDMETHODCALLTYPE Load(LPCOLESTR a, DWORD b) override { return file_->Load(a, b); }
    HRESULT STDMETHODCALLTYPE Save(LPCOLESTR a, BOOL b) override {
        return failing & kSave ? STG_E_ACCESSDENIED : file_->Save(a, b);
    }
    HRESULT STDMETHODCALLTYPE SaveCompleted(LPCOLESTR a) override { return file_->SaveCompleted(a); }
    HRESULT STDMETHODCALLTYPE GetCurFile(LPOLESTR* a) override { return file_->GetCurFile(a); }

private:
    IShellLinkA* link_ = nullptr;
    IPersistFile* file_ = nullptr;
    ULONG references_ = 1;
};

int FailingLink::failing = 0;

// What the install record said about the desktop shortcut each time a link
// object was asked for.
std::string recordFile;
std::vector<std::string> iconRecordAtCreation;

HRESULT NoLinkObject(IShellLinkA** link) {
    if (!recordFile.empty())
        iconRecordAtCreation.push_back(ProfileValue(recordFile, "Zorbit Setup", "IE ICON"));
    *link = nullptr;
    return REGDB_E_CLASSNOTREG;
}

class SubstituteLink : public Shortcuts {
protected:
    void SetUp() override {
        Shortcuts::SetUp();
        previousFactory_ = SetShellLinkFactory(FailingLink::Create);
    }
    void TearDown() override {
        SetShellLinkFactory(previousFactory_);
        FailingLink::failing = 0;
        Shortcuts::TearDown();
    }
    ShellLinkFactory previousFactory_ = nullptr;
};

TEST_F(SubstituteLink, EachFailedFieldShowsItsMessageAndTheShortcutIsStillSaved) {
    const std::string target = "C:\\IE\\Iexplore.exe";
    struct Case {
        int failing;
        std::vector<std::string> messages;
    } cases[] = {
        {0, {}},
        {kArguments, {"Set aArgument failed!"}},
        {kWorkingDirectory, {"Set Working Directory failed!"}},
        {kPath, {"SetPath failed!"}},
        {kDescription | kIcon, {"SetDescription failed!", "Set icon failed!"}},
        {kPath | kDescription | kIcon | kArguments | kWorkingDirectory,
         {"SetPath failed!", "SetDescription failed!", "Set icon failed!", "Set aArgument failed!",
          "Set Working Directory failed!"}},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        SCOPED_TRACE("case " + std::to_string(i));
        messages.clear();
        FailingLink::failing = cases[i].failing;
        std::string linkPath = desktop_ / ("case" + std::to_string(i) + ".lnk");
        EXPECT_EQ(S_OK, CreateShellLink(state_, target + " ", linkPath, "Zor Bit for IE"));
        EXPECT_EQ(cases[i].messages, messages);
        LinkFields expected = Browser(target);
        if (cases[i].failing & kPath)
            expected.path = "";
        if (cases[i].failing & kDescription)
            expected.description = "";
        if (cases[i].failing & kIcon) {
            expected.icon = "";
            expected.iconIndex = 0;
        }
        if (cases[i].failing & kArguments)
            expected.arguments = "";
        if (cases[i].failing & kWorkingDirectory)
            expected.workingDirectory = "";
        ExpectLink(linkPath, expected);
    }
}

TEST_F(SubstituteLink, FailedSaveIsShownAndReturned) {
    FailingLink::failing = kSave;
    EXPECT_EQ(STG_E_ACCESSDENIED, CreateGroupLink(state_, product_ / "ZBEditor.exe", desktop_ / "e.lnk", "Zorbit Editor", 'p'));
    EXPECT_EQ(std::vector<std::string>{"Save failed!"}, messages);
    EXPECT_FALSE(Exists(desktop_ / "e.lnk"));
}

TEST_F(SubstituteLink, UnavailableLinkObjectWritesNothingAndSaysNothing) {
    SetShellLinkFactory(NoLinkObject);
    EXPECT_EQ(REGDB_E_CLASSNOTREG, CreateShellLink(state_, "C:\\x.exe", desktop_ / "a.lnk", "d"));
    SetShellLinkFactory(FailingLink::Create);
    FailingLink::failing = kNoPersist | kPath;
    EXPECT_EQ(E_NOINTERFACE, CreateShellLink(state_, "C:\\x.exe", desktop_ / "b.lnk", "d"));

    SetShellLinkFactory(NoLinkObject);
    CurrentDirectoryScope inProduct(product_.Path());
    recordFile = product_ / "SetUp.ini";
    iconRecordAtCreation.clear();
    EXPECT_FALSE(FinishInstall(state_)) << "no shortcut could be made";
    recordFile.clear();
    // Two group links before the record, then both browser shortcuts after it.
    const std::string desktopLink = desktop_ / "Zor Bit IE.LNK";
    EXPECT_EQ((std::vector<std::string>{"<absent>", "<absent>", desktopLink, desktopLink}), iconRecordAtCreation);
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(FolderEntries(desktop_.Path()).empty());
    // The group folder is made, and the steps after the shortcuts still run.
    EXPECT_TRUE(FolderEntries(Group()).empty());
    EXPECT_EQ(desktop_ / "Zor Bit IE.LNK", ProfileValue(product_ / "SetUp.ini", "Zorbit Setup", "IE ICON"));
    EXPECT_EQ(product_ / "BatchBM.htm", ProfileValue(product_ / "SetUp.ini", "LocalZB", "Home"));
}

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
    char className[32];
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, "#32770") != 0 || !IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// Answers the first dialog box the given thread shows, as a user would,
// after noting its caption and text.
struct BoxAnswer {
    std::string caption, text;
    bool seen = false;
};

void AnswerBox(DWORD thread, BoxAnswer& answer) {
    for (int tries = 0; tries < 200; ++tries) {
        HWND box = nullptr;
        EnumThreadWindows(thread, FindDialog, reinterpret_cast<LPARAM>(&box));
        if (!box) {
            Sleep(50);
            continue;
        }
        char text[256];
        GetWindowTextA(box, text, sizeof text);
        answer.caption = text;
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            char className[32];
            GetClassNameA(child, className, sizeof className);
            GetWindowTextA(child, text, sizeof text);
            if (lstrcmpiA(className, "Static") == 0 && text[0])
                answer.text = text;
        }
        answer.seen = true;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        return;
    }
}

TEST_F(SubstituteLink, MessageBoxShowsTheTextUnderTheApplicationTitle) {
    SetShellLinkMessage(nullptr);
    FailingLink::failing = kPath;
    messages.clear();
    BoxAnswer answer;
    std::thread user(AnswerBox, GetCurrentThreadId(), std::ref(answer));
    EXPECT_EQ(S_OK, CreateShellLink(state_, "C:\\x.exe", desktop_ / "box.lnk", "d"));
    user.join();
    EXPECT_TRUE(answer.seen);
    EXPECT_EQ("integration_tests", answer.caption);
    EXPECT_EQ("SetPath failed!", answer.text);
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(Exists(desktop_ / "box.lnk"));
}

}  // namespace
