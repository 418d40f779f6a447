#include "arranging/drag_payload.h"

#include "layout-core/layout_coding.h"

#include <gtest/gtest.h>

namespace orbitdeck {
namespace {

TEST(DragPayload, EachKindRoundTripsInTheLayoutItemCoding) {
    EXPECT_EQ(libraryItemContentType, "dev.ambergrid.library-item");
    EXPECT_EQ(encodeLibraryDrag({.item = LayoutItem::application("bundle:com.example.a")}),
              R"({"item":{"application":{"_0":"bundle:com.example.a"}}})");
    EXPECT_EQ(encodeLibraryDrag({.item = LayoutItem::folder(FolderID{"F-1"})}),
              R"({"item":{"folder":{"_0":{"rawValue":"F-1"}}}})");
    for (const auto& item : {LayoutItem::application("path:/Applications/A.app"),
                             LayoutItem::folder(FolderID{"f"}), LayoutItem::placeholder("p")}) {
        const auto bytes = encodeLibraryDrag({.item = item});
        ASSERT_TRUE(bytes);
        EXPECT_EQ(decodeLibraryDrag(*bytes).item, item);
    }
}

TEST(DragPayload, MalformedPayloadsAreErrorsOrRefusals) {
    for (const char* bytes : {"", "[]", "{}", R"({"item":{}})", R"({"item":{"folder":{"_0":"f"}}})",
                              R"({"item":{"application":{"_0":1}}})", "{\"item\":"}) {
        EXPECT_THROW(decodeLibraryDrag(bytes), LayoutDecodingError) << bytes;
        EXPECT_FALSE(readLibraryDrag(bytes)) << bytes;
    }
    try {
        decodeLibraryDrag("{}");
    } catch (const LayoutDecodingError& error) {
        EXPECT_EQ(error.kind(), LayoutDecodingError::Kind::keyNotFound);
    }
    // Invalid UTF-8 cannot be encoded.
    EXPECT_FALSE(encodeLibraryDrag({.item = LayoutItem::application("\xff")}));
}

} // namespace
} // namespace orbitdeck
