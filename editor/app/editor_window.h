// The editor's main window: the menus of the page as a tree, the fields of
// the selected entry, the checker's problems, a status bar and the live
// preview in the menu bar.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <functional>
#include <string>
#include <vector>

#include "common/owned_handles.h"
#include "common/window_base.h"
#include "editor/document/page_session.h"
#include "editor/document/line_edits.h"
#include "editor/document/link_import.h"
#include "editor/app/entry_tree.h"
#include "editor/app/find_dialog.h"
#include "editor/app/menu_preview.h"
#include "editor/document/definition_document.h"

class EditorWindow : public WindowBase {
public:
    static constexpr const char* kClassName = "ZorbitEditorFrame";

    explicit EditorWindow(HINSTANCE instance);
    ~EditorWindow();
    EditorWindow(const EditorWindow&) = delete;
    EditorWindow& operator=(const EditorWindow&) = delete;

    // Creates and shows the window and opens `path` in it.
    bool Create(int show, const std::string& path);
    // Keyboard handling of the message loop: the find dialog's, accelerators,
    // then Tab.
    bool TranslateKeys(MSG& msg);
    HWND hwnd() const { return Window(); }

private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnUnhandledError(const char* what) noexcept override;
    LRESULT OnCreate();
    LRESULT OnMouse(UINT message, LPARAM lParam);
    LRESULT OnSize();
    LRESULT OnActivate(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFocus();
    LRESULT OnClose();
    LRESULT OnDestroy();

    void CreateChildren();
    void Layout();
    void OnCommand(UINT id, UINT code, HWND control);
    LRESULT OnNotify(NMHDR& header);
    void OnMenuSelect(UINT item, UINT flags, HMENU menu);
    void EnableCommands(HMENU menu);

    // File
    void NewPageCommand();
    void OpenCommand();
    bool OpenFile(const std::string& path);
    bool SaveCommand(bool saveAs);
    bool AskSaveAs(std::string& path);
    bool OfferSaveAs(const std::string& path);  // true: the user wants Save As
    bool ConfirmDiscard();  // false: the user cancelled

    // An edit of the lines as one Undo step; shows the result with the
    // line it returns selected.
    size_t Edit(const std::function<size_t(DefinitionLines&)>& edit);
    void ShowPage(zorbit::DefinitionPage page, const std::string& path);
    void AddCommand(zorbit::LineKind kind);
    void DeleteCommand();
    void MoveCommand(bool up);
    void UndoCommand(bool redo);
    void FieldChanged(int control);
    void ClipboardCommand(UINT id);
    void FindCommand(bool next);
    void FindNext();
    void OpenAddressCommand();
    void ImportCommand(bool favorites);
    void AddImported(const LinkImport& imported, const std::string& from);

    // Dragging an entry in the tree onto a menu or between entries.
    void BeginDrag(LPARAM item);
    void Drag(LPARAM point, bool drop);
    void CancelDrag();

    // Showing the page.
    void Refresh(size_t selectLine);
    void FillProblems();
    void ShowFields();
    void UpdateTitle();
    void SetStatus(const std::string& text);
    size_t SelectedEntry() const;  // index into view_.menus
    size_t SelectedLine() const;   // index into page_.lines
    void SelectLine(size_t line);

    HINSTANCE instance_;
    EntryTree tree_;
    HWND kindLabel_ = nullptr;
    HWND captionLabel_ = nullptr;
    HWND caption_ = nullptr;
    HWND addressLabel_ = nullptr;
    HWND address_ = nullptr;
    HWND problemsLabel_ = nullptr;
    HWND problems_ = nullptr;
    HWND status_ = nullptr;
    HWND lastFocus_ = nullptr;
    OwnedAccelerators accelerators_;
    HICON icon_ = nullptr;

    PageSession session_;
    MenuPreview preview_;

    size_t fieldLine_ = kNoSelection;  // the line the fields show
    bool filling_ = false;
    std::string idleStatus_;

    FindDialog find_;
    size_t dragLine_ = kNoSelection;
};
