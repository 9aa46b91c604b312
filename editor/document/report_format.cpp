// The checker's and the menu listing's text, as zbcheck prints them.
#include <string>

#include "editor/document/definition_document.h"
#include "plugin/menus/menu_nesting.h"

namespace zorbit {

const char* ProblemKindName(ProblemKind kind) {
    switch (kind) {
    case ProblemKind::NoEmbed: return "no-embed";
    case ProblemKind::DefinitionOnEmbedLine: return "definition-on-embed-line";
    case ProblemKind::KeywordInCaption: return "keyword-in-caption";
    case ProblemKind::CaptionCut: return "caption-cut";
    case ProblemKind::ItemDoesNothing: return "item-does-nothing";
    case ProblemKind::OutsideTitle: return "outside-title";
    case ProblemKind::UnbalancedSubmenu: return "unbalanced-submenu";
    case ProblemKind::BreakLost: return "break-lost";
    case ProblemKind::LineTooLong: return "line-too-long";
    case ProblemKind::CommandTooLarge: return "command-too-large";
    case ProblemKind::EntriesShareLine: return "entries-share-line";
    case ProblemKind::KeywordInProse: return "keyword-in-prose";
    case ProblemKind::CommentedOut: return "commented-out";
    case ProblemKind::NearMissEnd: return "near-miss-end";
    case ProblemKind::KeywordCase: return "keyword-case";
    case ProblemKind::AfterCtrlZ: return "after-ctrl-z";
    case ProblemKind::EmptyName: return "empty-name";
    case ProblemKind::MenuText: return "menu-text";
    case ProblemKind::Utf8Caption: return "utf8-caption";
    case ProblemKind::BreakMovesOn: return "break-moves-on";
    case ProblemKind::MenuTooDeep: return "menu-too-deep";
    }
    return "";
}

std::string FormatProblems(std::string_view fileName, const std::vector<Problem>& problems) {
    std::string text;
    for (const Problem& problem : problems) {
        text += fileName;
        text += ':' + std::to_string(problem.line) + ": warning: " + problem.message + '\n';
    }
    return text;
}

std::string FormatMenus(const std::vector<MenuEntry>& menus) {
    std::string text;
    // Indented by the menu each entry lands in, which no page nests deeper
    // than the plug-in does.
    const std::vector<EntryPlace> places = PlaceEntriesOf(menus);
    for (size_t j = 0; j < menus.size(); ++j) {
        const MenuEntry& entry = menus[j];
        std::string line(2 * static_cast<size_t>(places[j].level), ' ');
        const bool opens = places[j].opens;
        switch (entry.kind) {
        case Title: line += "TITLE " + entry.name; break;
        case Submenu: line += opens ? entry.name + " >" : entry.name + "  (greyed: opens no menu this deep)"; break;
        case Separator: line += "----------"; break;
        case Break: line += "|| new column"; break;
        default:
            line += "[" + std::to_string(entry.command ? entry.command : 3000 + entry.index) + "] " +
                    (entry.name.empty() ? "(no caption)" : entry.name) + "  " +
                    (entry.url.empty() ? "(no address)" : entry.url);
            break;
        }
        if (!entry.shown)
            line += "    (never shown: " + entry.hiddenReason + ")";
        text += line + '\n';
    }
    return text;
}

}  // namespace zorbit
