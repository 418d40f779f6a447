#pragma once
// Identities of pages and folders. Distinct types so a page id never compares with a folder id.
#include "layout-core/layout_text.h"

#include <compare>
#include <functional>
#include <string>

namespace orbitdeck {

struct PageID {
    std::string rawValue;

    friend bool operator==(const PageID& a, const PageID& b) {
        return textEquals(a.rawValue, b.rawValue);
    }
    friend std::strong_ordering operator<=>(const PageID& a, const PageID& b) {
        return textCompare(a.rawValue, b.rawValue);
    }
};

struct FolderID {
    std::string rawValue;

    friend bool operator==(const FolderID& a, const FolderID& b) {
        return textEquals(a.rawValue, b.rawValue);
    }
    friend std::strong_ordering operator<=>(const FolderID& a, const FolderID& b) {
        return textCompare(a.rawValue, b.rawValue);
    }
};

} // namespace orbitdeck

template <>
struct std::hash<orbitdeck::PageID> {
    std::size_t operator()(const orbitdeck::PageID& id) const {
        return orbitdeck::textHash(id.rawValue);
    }
};

template <>
struct std::hash<orbitdeck::FolderID> {
    std::size_t operator()(const orbitdeck::FolderID& id) const {
        return orbitdeck::textHash(id.rawValue);
    }
};
