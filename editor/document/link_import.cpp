#include "editor/document/link_import.h"

#include <algorithm>

using zorbit::DefinitionLine;
using zorbit::LineKind;

namespace {

class Importer {
public:
    explicit Importer(LinkImport& result) : result_(result) {}

    void Title(const LinkNode& folder, const std::string& where) {
        Open(LineKind::Title, folder.name, where);
        Children(folder, where + folder.name + " > ");
        Close(LineKind::TitleEnd);
    }

    void Children(const LinkNode& folder, const std::string& where) {
        for (const LinkNode& child : folder.children) {
            switch (child.kind) {
            case LinkNode::Folder:
                Open(LineKind::Submenu, child.name, where);
                Children(child, where + child.name + " > ");
                Close(LineKind::SubmenuEnd);
                break;
            case LinkNode::Separator:
                Close(LineKind::Separator);
                break;
            case LinkNode::Link:
                Item(child, where);
                break;
            }
        }
    }

private:
    void Open(LineKind kind, const std::string& name, const std::string& where) {
        DefinitionLine line;
        line.kind = kind;
        line.caption = Storable(kind, "caption", name.empty() ? "(no name)" : name, where);
        result_.lines.push_back(line);
    }

    void Close(LineKind kind) {
        DefinitionLine line;
        line.kind = kind;
        result_.lines.push_back(line);
    }

    void Item(const LinkNode& link, const std::string& where) {
        if (link.address.empty()) {
            result_.changes.push_back(where + link.name + ": left out, it has no address.");
            return;
        }
        DefinitionLine line;
        line.kind = LineKind::Item;
        line.caption = Storable(LineKind::Item, "caption", link.name.empty() ? link.address : link.name, where);
        line.address = Storable(LineKind::Item, "address", link.address, where + line.caption + " ");
        result_.lines.push_back(line);
        ++result_.links;
    }

    std::string Storable(LineKind kind, const char* field, const std::string& text, const std::string& where) {
        std::string stored = zorbit::NearestStorable(kind, field, text);
        if (stored != text)
            result_.changes.push_back(where + text + ": " + field + " stored as \"" + stored + "\".");
        return stored;
    }

    LinkImport& result_;
};

}  // namespace

LinkImport ImportLinks(const LinkNode& root) {
    LinkImport result;
    Importer importer(result);
    LinkNode loose = root;
    loose.children.clear();
    for (const LinkNode& child : root.children) {
        if (child.kind != LinkNode::Folder)
            loose.children.push_back(child);
    }
    for (const LinkNode& child : root.children) {
        if (child.kind == LinkNode::Folder)
            importer.Title(child, "");
    }
    const bool anyLink = std::any_of(loose.children.begin(), loose.children.end(),
                                     [](const LinkNode& node) { return node.kind == LinkNode::Link; });
    if (anyLink)
        importer.Title(loose, "");
    return result;
}
