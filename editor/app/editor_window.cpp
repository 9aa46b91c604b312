#include "editor/app/editor_window.h"

#include <commctrl.h>
#include <commdlg.h>

#include <shellapi.h>

#include <exception>
#include <fstream>
#include <functional>

#include "common/user_link_folders.h"
#include "editor/app/clipboard_text.h"
#include "editor/app/editor_ids.h"
#include "editor/app/editor_menu_bar.h"
#include "editor/app/entry_tree.h"
#include "editor/app/find_dialog.h"
#include "editor/document/embed_target.h"
#include "editor/app/save_prompt.h"
#include "editor/document/address_target.h"
#include "editor/document/entry_clipboard.h"
#include "editor/document/entry_search.h"

namespace {

constexpr int kMargin = 6;
constexpr int kLabelHeight = 16;
constexpr int kFieldHeight = 22;
constexpr int kProblemsHeight = 96;

const char kAppTitle[] = "Zorbit Editor";

std::string FileNameOf(const std::string& path) {
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string WindowText(HWND window) {
    int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    GetWindowTextA(window, &text[0], length + 1);
    text.resize(static_cast<size_t>(length));
    return text;
}

using zorbit::LineKind;

const char* KindName(LineKind kind) {
    switch (kind) {
    case LineKind::Title: return "Title";
    case LineKind::Submenu: return "Submenu";
    case LineKind::Separator: return "Separator";
    case LineKind::Break: return "Column break";
    case LineKind::TitleEnd: return "End of title";
    case LineKind::SubmenuEnd: return "End of submenu";
    default: return "Item";
    }
}

int Message(HWND owner, const std::string& text, UINT flags) {
    return MessageBoxA(owner, text.c_str(), kAppTitle, flags);
}

// The file the user picks to read, starting in `folder` when one is given.
bool AskFileToOpen(HWND owner, const char* filter, const std::string& folder, std::string& path) {
    char file[MAX_PATH] = "";
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameA(&ofn))
        return false;
    path = file;
    return true;
}

}  // namespace

EditorWindow::EditorWindow(HINSTANCE instance) : instance_(instance) {}

EditorWindow::~EditorWindow() = default;

bool EditorWindow::Create(int show, const std::string& path) {
    icon_ = LoadIconA(instance_, MAKEINTRESOURCEA(IDI_EDITOR));
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowBase::WindowProc;
    wc.hInstance = instance_;
    wc.hIcon = icon_;
    wc.hIconSm = icon_;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    if (!RegisterClassExA(&wc))
        return false;
    accelerators_.reset(CreateEditorAccelerators());
    if (!CreateWindowExA(0, kClassName, kAppTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                         CW_USEDEFAULT, 720, 540, nullptr, CreateEditorMenuBar(), instance_,
                         static_cast<WindowBase*>(this)))
        return false;
    ShowWindow(Window(), show);
    UpdateWindow(Window());
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES && GetLastError() == ERROR_FILE_NOT_FOUND) {
        // No collection yet: start it, to be saved where the plug-in looks.
        ShowPage(zorbit::NewPage(FileNameOf(path)), path);
        SetStatus(FileNameOf(path) + " does not exist yet: Save creates it.");
    } else if (!OpenFile(path)) {
        ShowPage(zorbit::NewPage("NewPage.htm"), "");
    }
    return true;
}

bool EditorWindow::TranslateKeys(MSG& msg) {
    if (find_.Translate(msg))
        return true;
    if (TranslateAcceleratorA(Window(), accelerators_.get(), &msg))
        return true;
    return IsDialogMessageA(Window(), &msg) != FALSE;
}

void EditorWindow::OnUnhandledError(const char* what) noexcept {
    try {
        Message(Window(), what ? std::string("The editor could not finish that: ") + what
                               : std::string("The editor could not finish that."),
                MB_OK | MB_ICONERROR);
    } catch (...) {
    }
}

LRESULT EditorWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return OnCreate();
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP: return OnMouse(message, lParam);
    case WM_CAPTURECHANGED: CancelDrag(); return 0;
    case WM_SIZE: return OnSize();
    case WM_ACTIVATE: return OnActivate(message, wParam, lParam);
    case WM_SETFOCUS: return OnSetFocus();
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)); return 0;
    case WM_NOTIFY: return OnNotify(*reinterpret_cast<NMHDR*>(lParam));
    case WM_MENUSELECT: OnMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam)); return 0;
    case WM_INITMENUPOPUP: EnableCommands(reinterpret_cast<HMENU>(wParam)); return 0;
    case WM_CLOSE: return OnClose();
    case WM_QUERYENDSESSION: return ConfirmDiscard() ? TRUE : FALSE;
    case WM_DESTROY: return OnDestroy();
    }
    bool next = false;
    if (find_.IsFindMessage(message, lParam, next)) {
        if (next)
            FindNext();
        return 0;
    }
    return Default(message, wParam, lParam);
}

LRESULT EditorWindow::OnCreate() {
    CreateChildren();
    return 0;
}

LRESULT EditorWindow::OnMouse(UINT message, LPARAM lParam) {
    if (dragLine_ != kNoSelection)
        Drag(lParam, message == WM_LBUTTONUP);
    return 0;
}

LRESULT EditorWindow::OnSize() {
    SendMessageA(status_, WM_SIZE, 0, 0);
    Layout();
    // The preview can wrap the menu bar onto more rows: paint it all anew.
    RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return 0;
}

LRESULT EditorWindow::OnActivate(UINT message, WPARAM wParam, LPARAM lParam) {
    // Coming back to the window puts the caret back where it was.
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        lastFocus_ = focus && IsChild(Window(), focus) ? focus : nullptr;
    }
    return Default(message, wParam, lParam);
}

LRESULT EditorWindow::OnSetFocus() {
    SetFocus(lastFocus_ && IsWindowEnabled(lastFocus_) ? lastFocus_ : tree_.hwnd());
    return 0;
}

LRESULT EditorWindow::OnClose() {
    if (ConfirmDiscard())
        DestroyWindow(Window());
    return 0;
}

LRESULT EditorWindow::OnDestroy() {
    preview_.Clear();
    PostQuitMessage(0);
    return 0;
}

void EditorWindow::CreateChildren() {
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    auto child = [&](DWORD exStyle, const char* cls, const char* text, DWORD style, int id) {
        HWND window = CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, Window(),
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
        SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return window;
    };
    tree_.Attach(child(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
                       WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS, IDC_TREE));
    kindLabel_ = child(0, "STATIC", "", SS_LEFT, IDC_KIND);
    captionLabel_ = child(0, "STATIC", "&Caption:", SS_LEFT, IDC_CAPTION_LABEL);
    caption_ = child(WS_EX_CLIENTEDGE, "EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, IDC_CAPTION);
    addressLabel_ = child(0, "STATIC", "A&ddress:", SS_LEFT, IDC_ADDRESS_LABEL);
    address_ = child(WS_EX_CLIENTEDGE, "EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, IDC_ADDRESS);
    problemsLabel_ = child(0, "STATIC", "&Problems:", SS_LEFT, IDC_PROBLEMS_LABEL);
    problems_ = child(WS_EX_CLIENTEDGE, "LISTBOX", "",
                      WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, IDC_PROBLEMS);
    status_ = child(0, STATUSCLASSNAMEA, "", SBARS_SIZEGRIP, IDC_STATUS);
}

void EditorWindow::Layout() {
    RECT client;
    GetClientRect(Window(), &client);
    RECT bar{};
    if (!status_)
        return;  // sized before its children exist
    GetWindowRect(status_, &bar);
    const int width = client.right;
    const int height = client.bottom - (bar.bottom - bar.top);
    const int treeWidth = width * 11 / 20;
    const int problemsTop = height - kProblemsHeight - kMargin;
    const int treeBottom = problemsTop - kLabelHeight - kMargin;

    MoveWindow(tree_.hwnd(), kMargin, kMargin, treeWidth - kMargin, treeBottom - 2 * kMargin, TRUE);
    const int x = treeWidth + kMargin;
    const int fieldWidth = width - x - kMargin;
    int y = kMargin;
    // Room for the reason an entry never shows.
    MoveWindow(kindLabel_, x, y, fieldWidth, kLabelHeight * 3, TRUE);
    y += kLabelHeight * 3 + kMargin;
    MoveWindow(captionLabel_, x, y, fieldWidth, kLabelHeight, TRUE);
    y += kLabelHeight;
    MoveWindow(caption_, x, y, fieldWidth, kFieldHeight, TRUE);
    y += kFieldHeight + kMargin * 2;
    MoveWindow(addressLabel_, x, y, fieldWidth, kLabelHeight, TRUE);
    y += kLabelHeight;
    MoveWindow(address_, x, y, fieldWidth, kFieldHeight, TRUE);
    MoveWindow(problemsLabel_, kMargin, treeBottom + kMargin / 2, width - 2 * kMargin, kLabelHeight, TRUE);
    MoveWindow(problems_, kMargin, problemsTop, width - 2 * kMargin, kProblemsHeight, TRUE);
}

void EditorWindow::OnCommand(UINT id, UINT code, HWND control) {
    if (control) {
        if ((id == IDC_CAPTION || id == IDC_ADDRESS) && code == EN_CHANGE && !filling_)
            FieldChanged(static_cast<int>(id));
        if (id == IDC_PROBLEMS && code == LBN_SELCHANGE) {
            LRESULT row = SendMessageA(problems_, LB_GETCURSEL, 0, 0);
            if (row >= 0 && static_cast<size_t>(row) < session_.view().problems.size()) {
                const zorbit::Problem& problem = session_.view().problems[static_cast<size_t>(row)];
                SelectLine(problem.lineIndex);
                SetStatus(problem.message);  // the whole of it, wider than the list
            }
        }
        return;
    }
    std::string text;
    if (preview_.Describe(id, text)) {
        // A choice in the preview opens nothing: it only says where it would go.
        SetStatus(text);
        return;
    }
    switch (id) {
    case IDOK:  // Enter in a field: back to the tree
        SetFocus(tree_.hwnd());
        break;
    case ID_FILE_NEW: NewPageCommand(); break;
    case ID_FILE_OPEN: OpenCommand(); break;
    case ID_FILE_SAVE: SaveCommand(false); break;
    case ID_FILE_SAVE_AS: SaveCommand(true); break;
    case ID_FILE_EXIT: PostMessageA(Window(), WM_CLOSE, 0, 0); break;
    case ID_FILE_IMPORT_FAVORITES: ImportCommand(true); break;
    case ID_FILE_IMPORT_BOOKMARKS: ImportCommand(false); break;
    case ID_EDIT_UNDO: UndoCommand(false); break;
    case ID_EDIT_REDO: UndoCommand(true); break;
    case ID_EDIT_CUT:
    case ID_EDIT_COPY:
    case ID_EDIT_PASTE:
    case ID_EDIT_DUPLICATE: ClipboardCommand(id); break;
    case ID_EDIT_FIND: FindCommand(false); break;
    case ID_EDIT_FIND_NEXT: FindCommand(true); break;
    case ID_EDIT_OPEN_ADDRESS: OpenAddressCommand(); break;
    case ID_EDIT_ADD_TITLE: AddCommand(LineKind::Title); break;
    case ID_EDIT_ADD_SUBMENU: AddCommand(LineKind::Submenu); break;
    case ID_EDIT_ADD_ITEM: AddCommand(LineKind::Item); break;
    case ID_EDIT_ADD_SEPARATOR: AddCommand(LineKind::Separator); break;
    case ID_EDIT_ADD_BREAK: AddCommand(LineKind::Break); break;
    case ID_EDIT_DELETE: DeleteCommand(); break;
    case ID_EDIT_MOVE_UP: MoveCommand(true); break;
    case ID_EDIT_MOVE_DOWN: MoveCommand(false); break;
    case ID_EDIT_RENAME:
        if (IsWindowEnabled(caption_)) {
            SetFocus(caption_);
            SendMessageA(caption_, EM_SETSEL, 0, -1);
        }
        break;
    case ID_HELP_COMMANDS:
        Message(Window(), "Zorbit Editor: keyboard and commands\n\n" + EditorHelpText(), MB_OK | MB_ICONINFORMATION);
        break;
    case ID_HELP_ABOUT:
        Message(Window(),
                "Zorbit Editor\n\nEdits the menus of a Zorbit page: the titles, submenus and links "
                "that the Zorbit plug-in adds to your browser's menu bar.\n\n"
                "The menus after Help show the page as the browser will.",
                MB_OK | MB_ICONINFORMATION);
        break;
    }
}

LRESULT EditorWindow::OnNotify(NMHDR& header) {
    if (header.hwndFrom != tree_.hwnd())
        return 0;
    switch (header.code) {
    case TVN_BEGINDRAGA:
    case TVN_BEGINDRAGW:
        BeginDrag(reinterpret_cast<NMTREEVIEWA&>(header).itemNew.lParam);
        return 0;
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
        if (!tree_.Filling()) {
            session_.EndTyping();
            ShowFields();
        }
        return 0;
    case TVN_KEYDOWN: {
        const WORD key = reinterpret_cast<NMTVKEYDOWN&>(header).wVKey;
        if (key == VK_INSERT)
            AddCommand(LineKind::Item);
        else if (key == VK_DELETE)
            DeleteCommand();
        return 0;
    }
    case NM_CUSTOMDRAW: {
        auto& draw = reinterpret_cast<NMTVCUSTOMDRAW&>(header);
        if (draw.nmcd.dwDrawStage == CDDS_PREPAINT)
            return CDRF_NOTIFYITEMDRAW;
        if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
            const size_t index = static_cast<size_t>(draw.nmcd.lItemlParam);
            if (index < session_.view().menus.size() && !session_.view().menus[index].shown &&
                !(draw.nmcd.uItemState & CDIS_SELECTED))
                draw.clrText = GetSysColor(COLOR_GRAYTEXT);
        }
        return CDRF_DODEFAULT;
    }
    }
    return 0;
}

void EditorWindow::EnableCommands(HMENU menu) {
    const bool selected = SelectedLine() != kNoSelection;
    auto enable = [menu](UINT id, bool on) { EnableMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED)); };
    enable(ID_EDIT_UNDO, session_.CanUndo());
    enable(ID_EDIT_REDO, session_.CanRedo());
    enable(ID_EDIT_CUT, selected);
    enable(ID_EDIT_COPY, selected);
    enable(ID_EDIT_DUPLICATE, selected);
    enable(ID_EDIT_PASTE, IsClipboardFormatAvailable(CF_TEXT) != FALSE);
    const size_t line = SelectedLine();
    enable(ID_EDIT_OPEN_ADDRESS, line != kNoSelection && session_.lines()[line].kind == LineKind::Item);
    enable(ID_EDIT_DELETE, selected);
    enable(ID_EDIT_MOVE_UP, selected);
    enable(ID_EDIT_MOVE_DOWN, selected);
    enable(ID_EDIT_RENAME, IsWindowEnabled(caption_) != FALSE);
}

void EditorWindow::OnMenuSelect(UINT item, UINT flags, HMENU menu) {
    if (flags == 0xFFFF && !menu) {  // the menu closed
        SetStatus(idleStatus_);
        return;
    }
    std::string text;
    if (!(flags & MF_POPUP) && preview_.Describe(item, text))
        SendMessageA(status_, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// ---- File ----

void EditorWindow::ShowPage(zorbit::DefinitionPage page, const std::string& path) {
    session_.Show(std::move(page), path);
    const auto& menus = session_.view().menus;
    Refresh(menus.empty() ? kNoSelection : menus.front().lineIndex);
}
void EditorWindow::NewPageCommand() {
    if (!ConfirmDiscard())
        return;
    ShowPage(zorbit::NewPage("NewPage.htm"), "");
    SetStatus("New page: Save gives it a name.");
}

void EditorWindow::OpenCommand() {
    if (!ConfirmDiscard())
        return;
    std::string file;
    if (AskFileToOpen(Window(), "Zorbit pages (*.htm;*.html;*.zbx;*.txt)\0*.htm;*.html;*.zbx;*.txt\0All files (*.*)\0*.*\0",
                      "", file))
        OpenFile(file);
}

bool EditorWindow::OpenFile(const std::string& path) {
    zorbit::PageReading reading = zorbit::ReadPageFile(path);
    if (reading.status != zorbit::ReadStatus::Read) {
        std::string text = "Zorbit Editor cannot open " + path + ".\n\n" + reading.error;
        if (reading.status == zorbit::ReadStatus::NotDefinitionPage)
            text += "\n\nOnly pages that embed the Zorbit plug-in hold menus the editor can change.";
        text += "\n\nNothing was changed.";
        Message(Window(), text, MB_OK | MB_ICONWARNING);
        return false;
    }
    ShowPage(std::move(reading.page), path);
    SetStatus("Opened " + path);
    return true;
}

bool EditorWindow::AskSaveAs(std::string& path) {
    char file[MAX_PATH] = "";
    lstrcpynA(file, session_.path().empty() ? "NewPage.htm" : FileNameOf(session_.path()).c_str(), sizeof file);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = Window();
    ofn.lpstrFilter = "Zorbit pages (*.htm)\0*.htm;*.html\0All files (*.*)\0*.*\0";
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrDefExt = "htm";
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOREADONLYRETURN;
    if (!GetSaveFileNameA(&ofn))
        return false;
    path = file;
    return true;
}

bool EditorWindow::SaveCommand(bool saveAs) {
    std::string path = session_.path();
    switch (session_.FirstSaveStep(saveAs)) {
    case SaveStep::Unchanged:
        SetStatus("Nothing changed since " + FileNameOf(path) + " was saved.");
        return true;
    case SaveStep::OfferOtherName:
        if (!OfferSaveAs(path))
            return false;
        [[fallthrough]];
    case SaveStep::AskName:
        if (!AskSaveAs(path))
            return false;
        break;
    case SaveStep::Write:
        break;
    }
    const size_t selected = SelectedLine();
    zorbit::SaveOutcome outcome = session_.Save(path, false);
    if (outcome.changedOnDisk &&
        Message(Window(), FileNameOf(path) + " was changed on disk since it was opened.\n\n"
                       "Replace it with the menus shown here?",
                MB_YESNO | MB_ICONWARNING) == IDYES)
        outcome = session_.Save(path, true);
    if (!outcome.saved) {
        if (outcome.changedOnDisk) {
            SetStatus("Not saved: " + FileNameOf(path) + " was changed on disk since it was opened.");
            return false;
        }
        if (!outcome.check.storable) {
            SelectLine(outcome.check.lineIndex);
            std::string text = "Nothing was saved: the plug-in would read this page differently.\n\n" +
                               outcome.check.message;
            if (!outcome.check.suggestion.empty())
                text += "\n\nThe nearest " + outcome.check.field + " that can be stored: " +
                        outcome.check.suggestion;
            Message(Window(), text, MB_OK | MB_ICONWARNING);
        } else if (outcome.readOnly) {
            return OfferSaveAs(path) && SaveCommand(true);
        } else {
            Message(Window(), "Nothing was saved to " + path + ".\n\n" + outcome.error, MB_OK | MB_ICONWARNING);
        }
        return false;
    }
    Refresh(selected);
    SetStatus("Saved " + path + " (the previous version is kept as " + FileNameOf(path) + ".bak)");
    return true;
}
bool EditorWindow::OfferSaveAs(const std::string& path) {
    return Message(Window(), FileNameOf(path) + " is read-only, so it cannot be changed.\n\n"
                          "Save your menus under another name?",
                   MB_YESNO | MB_ICONWARNING) == IDYES;
}

bool EditorWindow::ConfirmDiscard() {
    if (!session_.Modified())
        return true;
    const std::string name = session_.path().empty() ? std::string("the new page") : FileNameOf(session_.path());
    switch (AskSaveChanges(instance_, Window(), "Save the changes to " + name + "?")) {
    case SaveAnswer::Save: return SaveCommand(false);
    case SaveAnswer::DontSave: return true;
    default: return false;
    }
}
// ---- Edits ----

size_t EditorWindow::Edit(const std::function<size_t(DefinitionLines&)>& edit) {
    const size_t select = session_.Edit(SelectedLine(), edit);
    Refresh(select);
    return select;
}

void EditorWindow::AddCommand(LineKind kind) {
    const size_t selected = SelectedLine();
    Edit([&](DefinitionLines& lines) { return AddLine(lines, selected, kind); });
    if (kind != LineKind::Separator && kind != LineKind::Break) {
        SetFocus(caption_);
        SendMessageA(caption_, EM_SETSEL, 0, -1);
    }
}
void EditorWindow::DeleteCommand() {
    const size_t selected = SelectedLine();
    if (selected == kNoSelection)
        return;
    Edit([&](DefinitionLines& lines) { return DeleteBlock(lines, selected); });
}
void EditorWindow::MoveCommand(bool up) {
    const size_t selected = SelectedLine();
    if (selected == kNoSelection)
        return;
    size_t moved = kNoSelection;
    Edit([&](DefinitionLines& lines) {
        moved = up ? MoveBlockUp(lines, selected) : MoveBlockDown(lines, selected);
        return moved == kNoSelection ? selected : moved;
    });
    if (moved == kNoSelection)
        SetStatus(up ? "This entry is already the first of all menus." : "This entry is already the last of all menus.");
}
void EditorWindow::UndoCommand(bool redo) {
    const bool can = redo ? session_.CanRedo() : session_.CanUndo();
    if (!can) {
        SetStatus(redo ? "Nothing to redo." : "Nothing to undo.");
        return;
    }
    const size_t selected = SelectedLine();
    Refresh(redo ? session_.Redo(selected) : session_.Undo(selected));
    SetStatus(redo ? "Redone." : "Undone.");
}
void EditorWindow::ClipboardCommand(UINT id) {
    // In a field the commands work on its text, as in any field.
    HWND focus = GetFocus();
    if ((focus == caption_ || focus == address_) && id != ID_EDIT_DUPLICATE) {
        SendMessageA(focus, id == ID_EDIT_CUT ? WM_CUT : id == ID_EDIT_COPY ? WM_COPY : WM_PASTE, 0, 0);
        return;
    }
    const size_t selected = SelectedLine();
    if (id == ID_EDIT_PASTE) {
        const DefinitionLines pasted = LinesFromText(ClipboardTextOf(Window()));
        if (pasted.empty()) {
            SetStatus("The clipboard holds no definition lines to paste.");
            return;
        }
        Edit([&](DefinitionLines& lines) { return PasteLines(lines, selected, pasted); });
        return;
    }
    if (selected == kNoSelection)
        return;
    if (id == ID_EDIT_DUPLICATE) {
        Edit([&](DefinitionLines& lines) { return DuplicateBlock(lines, selected); });
        return;
    }
    if (!PutClipboardText(Window(), ClipboardText(session_.lines(), selected))) {
        SetStatus("The clipboard is in use by another program: nothing was copied.");
        return;
    }
    if (id == ID_EDIT_CUT) {
        Edit([&](DefinitionLines& lines) { return DeleteBlock(lines, selected); });
    }
    SetStatus(id == ID_EDIT_CUT ? "Cut to the clipboard as definition lines." : "Copied as definition lines.");
}

void EditorWindow::FindCommand(bool next) {
    if (next && find_.text()[0])
        FindNext();
    else
        find_.Open(Window());
}

void EditorWindow::FindNext() {
    const std::string findText = find_.text();
    const size_t found = FindEntry(session_.view().menus, findText, SelectedEntry());
    if (found == zorbit::kNoLine || found >= session_.view().menus.size()) {
        SetStatus("No caption or address holds \"" + findText + "\".");
        return;
    }
    tree_.SelectEntry(found);
    SetStatus("Found \"" + findText + "\". F3 finds the next.");
}

void EditorWindow::OpenAddressCommand() {
    const size_t line = SelectedLine();
    if (line == kNoSelection || session_.lines()[line].kind != LineKind::Item) {
        SetStatus("Select a link to open its address.");
        return;
    }
    const std::string target = ResolveAddress(session_.path(), session_.lines()[line].address);
    if (target.empty()) {
        SetStatus(session_.lines()[line].address.empty() ? "This link has no address."
                                                    : "Save the page first: a relative address is taken from its folder.");
        return;
    }
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteA(Window(), "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result <= 32) {
        Message(Window(), "Windows could not open " + target + ".", MB_OK | MB_ICONWARNING);
        return;
    }
    SetStatus("Opened " + target);
}

void EditorWindow::ImportCommand(bool favorites) {
    if (favorites) {
        const std::string folder = ReadShellFolder("Favorites");
        if (folder.empty()) {
            Message(Window(), "Windows names no Favorites folder for you, so there is nothing to import.",
                    MB_OK | MB_ICONINFORMATION);
            return;
        }
        AddImported(ImportLinks(ReadFavoritesFolder(folder)), folder);
        return;
    }
    std::string file;
    if (!AskFileToOpen(Window(), "Bookmark files (bookmark*.htm)\0bookmark*.htm;bookmark*.html\0All pages (*.htm;*.html)\0*.htm;*.html\0",
                       GetNetscapeUserDirectory(), file))
        return;
    std::ifstream in(file, std::ios::binary);
    std::string html(zorbit::kMaxPageBytes, '\0');
    in.read(&html[0], static_cast<std::streamsize>(html.size()));
    html.resize(static_cast<size_t>(in.gcount()));
    AddImported(ImportLinks(ReadBookmarkFile(html)), file);
}

void EditorWindow::AddImported(const LinkImport& imported, const std::string& from) {
    if (imported.lines.empty()) {
        Message(Window(), "There are no links in " + from + ". Nothing was added.", MB_OK | MB_ICONINFORMATION);
        return;
    }
    // After everything, so that the page's own menus keep their commands.
    Edit([&](DefinitionLines& lines) {
        const size_t first = lines.size();
        lines.insert(lines.end(), imported.lines.begin(), imported.lines.end());
        return first;
    });
    SetStatus("Imported " + std::to_string(imported.links) + " links from " + from + ". Undo takes them out again.");
    if (imported.changes.empty())
        return;
    std::string text = "The links are imported. The menus differ from them here:\n\n";
    for (const std::string& change : imported.changes)
        text += change + "\n";
    Message(Window(), text, MB_OK | MB_ICONINFORMATION);
}

void EditorWindow::BeginDrag(LPARAM item) {
    const size_t index = static_cast<size_t>(item);
    if (index >= session_.view().menus.size() || session_.view().menus[index].lineIndex >= session_.lines().size())
        return;
    dragLine_ = session_.view().menus[index].lineIndex;
    SetCapture(Window());
    SetStatus("Drop the entry onto a menu, or between entries.");
}

void EditorWindow::Drag(LPARAM point, bool drop) {
    POINT at{static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
    MapWindowPoints(Window(), tree_.hwnd(), &at, 1);
    DropPlace place = DropPlace::Into;
    const size_t index = tree_.DropTarget(at, session_.view().menus, place);
    if (!drop)
        return;
    const size_t line = dragLine_;
    CancelDrag();
    const size_t target = index == kNoSelection ? kNoSelection : session_.view().menus[index].lineIndex;
    if (target >= session_.lines().size())
        return;
    size_t moved = kNoSelection;
    Edit([&](DefinitionLines& lines) {
        moved = DropBlock(lines, line, target, place);
        return moved == kNoSelection ? line : moved;
    });
    SetStatus(moved == kNoSelection ? "The entry stays where it is." : "Moved. Undo puts it back.");
}

void EditorWindow::CancelDrag() {
    if (dragLine_ == kNoSelection)
        return;
    dragLine_ = kNoSelection;
    tree_.ClearDropTarget();
    if (GetCapture() == Window())
        ReleaseCapture();
}

void EditorWindow::FieldChanged(int control) {
    const size_t line = fieldLine_;
    if (line >= session_.lines().size())
        return;
    const std::vector<zorbit::MenuEntry> before = session_.view().menus;
    if (control == IDC_CAPTION)
        session_.Type(EntryField::Caption, line, WindowText(caption_));
    else
        session_.Type(EntryField::Address, line, WindowText(address_));
    // The fields keep what is being typed; the tree, the problems and the
    // preview follow it. The tree is only filled anew when its shape changed.
    if (!tree_.Rename(before, session_.view().menus))
        tree_.Fill(session_.view().menus, line);
    FillProblems();
    preview_.Show(Window(), session_.view().menus);
    UpdateTitle();
}
// ---- Showing the page ----

void EditorWindow::Refresh(size_t selectLine) {
    tree_.Fill(session_.view().menus, selectLine);
    FillProblems();
    ShowFields();
    preview_.Show(Window(), session_.view().menus);
    UpdateTitle();
}
void EditorWindow::FillProblems() {
    SendMessageA(problems_, WM_SETREDRAW, FALSE, 0);
    SendMessageA(problems_, LB_RESETCONTENT, 0, 0);
    for (const zorbit::Problem& problem : session_.view().problems) {
        std::string text = problem.line > 0 ? "Line " + std::to_string(problem.line) + ": " + problem.message
                                            : problem.message;
        SendMessageA(problems_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    SendMessageA(problems_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(problems_, nullptr, TRUE);
    std::string label = session_.view().problems.empty() ? "&Problems: none"
                                               : "&Problems: " + std::to_string(session_.view().problems.size());
    SetWindowTextA(problemsLabel_, label.c_str());
}

void EditorWindow::ShowFields() {
    const size_t index = SelectedEntry();
    const size_t line = SelectedLine();
    fieldLine_ = line;
    filling_ = true;
    if (line >= session_.lines().size()) {
        SetWindowTextA(kindLabel_, session_.view().menus.empty() ? "No menus yet: use Edit > Add Title." : "");
        SetWindowTextA(caption_, "");
        SetWindowTextA(address_, "");
        EnableWindow(caption_, FALSE);
        EnableWindow(address_, FALSE);
    } else {
        const zorbit::DefinitionLine& edited = session_.lines()[line];
        std::string kind = KindName(edited.kind);
        // The line it has in the page as it will be saved.
        if (index != kNoSelection && session_.view().menus[index].sourceLine > 0)
            kind += ", line " + std::to_string(session_.view().menus[index].sourceLine);
        if (index != kNoSelection && !session_.view().menus[index].shown)
            kind += ": never shown, " + session_.view().menus[index].hiddenReason;
        SetWindowTextA(kindLabel_, kind.c_str());
        const bool named = edited.kind == LineKind::Title || edited.kind == LineKind::Submenu ||
                           edited.kind == LineKind::Item;
        SetWindowTextA(caption_, named ? edited.caption.c_str() : "");
        SetWindowTextA(address_, edited.kind == LineKind::Item ? edited.address.c_str() : "");
        EnableWindow(caption_, named);
        EnableWindow(address_, edited.kind == LineKind::Item);
    }
    filling_ = false;
}

void EditorWindow::UpdateTitle() {
    std::string name = session_.path().empty() ? std::string("New page") : FileNameOf(session_.path());
    std::string title = (session_.Modified() ? "*" : "") + name + " - " + kAppTitle;
    SetWindowTextA(Window(), title.c_str());
}

void EditorWindow::SetStatus(const std::string& text) {
    idleStatus_ = text;
    SendMessageA(status_, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

size_t EditorWindow::SelectedEntry() const { return tree_.SelectedEntry(); }

size_t EditorWindow::SelectedLine() const {
    const size_t index = SelectedEntry();
    if (index == kNoSelection)
        return kNoSelection;
    const size_t line = session_.view().menus[index].lineIndex;
    return line < session_.lines().size() ? line : kNoSelection;
}

void EditorWindow::SelectLine(size_t line) { tree_.SelectLine(session_.view().menus, line); }
