#pragma once
// Identities of pages and folders. Distinct types so a page id never compares with a folder id.
#include "layout-core/layout_text.h"

#include <compare>
#include <functional>
#include <string>

namespace orbitdeck {

template <typename Tag>
struct LayoutIdentity {
    std::string rawValue;

    friend bool operator==(const LayoutIdentity& a, const LayoutIdentity& b) {
        return textEquals(a.rawValue, b.rawValue);
    }
    friend std::strong_ordering operator<=>(const LayoutIdentity& a, const LayoutIdentity& b) {
        return textCompare(a.rawValue, b.rawValue);
    }
};

using PageID = LayoutIdentity<struct PageIDTag>;
using FolderID = LayoutIdentity<struct FolderIDTag>;

} // namespace orbitdeck

template <typename Tag>
struct std::hash<orbitdeck::LayoutIdentity<Tag>> {
    std::size_t operator()(const orbitdeck::LayoutIdentity<Tag>& id) const {
        return orbitdeck::textHash(id.rawValue);
    }
};
