#pragma once
// The one error of the layout model, thrown by graph construction, validation and the reducer.
// It carries the offending identity and no message of its own; callers decide what to show.
#include "layout-core/layout_ids.h"
#include "layout-core/layout_position.h"

#include <cstdint>
#include <exception>
#include <optional>
#include <string>

namespace orbitdeck {

class LayoutError : public std::exception {
public:
    enum class Kind : std::uint8_t {
        duplicateApplication,
        duplicateFolder,
        duplicatePage,
        missingPage,
        missingFolder,
        emptyFolder,
        unreferencedFolder,
        invalidIndex,
        applicationNotOnPage,
        sameApplication,
        emptyApplicationIdentity,
        nestedFolder,
    };

    static LayoutError duplicateApplication(std::string text) {
        return {Kind::duplicateApplication, std::move(text)};
    }
    static LayoutError duplicateFolder(FolderID id) {
        return {Kind::duplicateFolder, std::move(id.rawValue)};
    }
    static LayoutError duplicatePage(PageID id) {
        return {Kind::duplicatePage, std::move(id.rawValue)};
    }
    static LayoutError missingPage(PageID id) {
        return {Kind::missingPage, std::move(id.rawValue)};
    }
    static LayoutError missingFolder(FolderID id) {
        return {Kind::missingFolder, std::move(id.rawValue)};
    }
    static LayoutError emptyFolder(FolderID id) {
        return {Kind::emptyFolder, std::move(id.rawValue)};
    }
    static LayoutError unreferencedFolder(FolderID id) {
        return {Kind::unreferencedFolder, std::move(id.rawValue)};
    }
    static LayoutError invalidIndex(LayoutPosition position) {
        LayoutError error(Kind::invalidIndex, {});
        error.position_ = std::move(position);
        return error;
    }
    static LayoutError applicationNotOnPage(std::string text) {
        return {Kind::applicationNotOnPage, std::move(text)};
    }
    static LayoutError sameApplication(std::string text) {
        return {Kind::sameApplication, std::move(text)};
    }
    static LayoutError emptyApplicationIdentity() { return {Kind::emptyApplicationIdentity, {}}; }
    static LayoutError nestedFolder() { return {Kind::nestedFolder, {}}; }

    Kind kind() const { return kind_; }
    // The payload text: an application or placeholder identity, or a page or folder id.
    const std::string& text() const { return text_; }
    const std::optional<LayoutPosition>& position() const { return position_; }

    // The case name, for diagnostics only.
    const char* what() const noexcept override;

    friend bool operator==(const LayoutError& a, const LayoutError& b) {
        return a.kind_ == b.kind_ && textEquals(a.text_, b.text_) && a.position_ == b.position_;
    }

private:
    LayoutError(Kind kind, std::string text)
        : kind_(kind)
        , text_(std::move(text)) {}

    Kind kind_;
    std::string text_;
    std::optional<LayoutPosition> position_;
};

} // namespace orbitdeck
