#pragma once
// The three edits the reducer knows.
#include "layout-core/layout_ids.h"
#include "layout-core/layout_position.h"

#include <string>
#include <variant>

namespace orbitdeck {

struct LayoutCommand {
    struct CreateFolder {
        FolderID id;
        std::string name;
        std::string source;
        std::string target;
        friend bool operator==(const CreateFolder& a, const CreateFolder& b) {
            return a.id == b.id && textEquals(a.name, b.name) && textEquals(a.source, b.source) &&
                   textEquals(a.target, b.target);
        }
    };
    struct RenameFolder {
        FolderID id;
        std::string name;
        friend bool operator==(const RenameFolder& a, const RenameFolder& b) {
            return a.id == b.id && textEquals(a.name, b.name);
        }
    };
    struct Move {
        LayoutPosition from;
        LayoutPosition to;
        friend bool operator==(const Move&, const Move&) = default;
    };

    std::variant<CreateFolder, RenameFolder, Move> value;

    static LayoutCommand createFolder(FolderID id, std::string name, std::string source,
                                      std::string target) {
        return {CreateFolder{.id = std::move(id),
                             .name = std::move(name),
                             .source = std::move(source),
                             .target = std::move(target)}};
    }
    static LayoutCommand renameFolder(FolderID id, std::string name) {
        return {RenameFolder{.id = std::move(id), .name = std::move(name)}};
    }
    static LayoutCommand move(LayoutPosition from, LayoutPosition to) {
        return {Move{.from = std::move(from), .to = std::move(to)}};
    }

    friend bool operator==(const LayoutCommand&, const LayoutCommand&) = default;
};

} // namespace orbitdeck
