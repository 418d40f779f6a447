#include "arranging/rules/drag_payload.h"

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

TEST(DragPayload, AnApplicationOffersItsBundleAndAFolderOnlyThePayload) {
    const auto bundles = [](const std::string& id) -> std::optional<std::string> {
        if (id == "bundle:com.example.calc")
            return "/Applications/Calculator.app";
        if (id == "bundle:com.example.dots")
            return "/Applications/Sub/My.Tool.app/";
        return std::nullopt;
    };
    const LayoutItem calculator = LayoutItem::application("bundle:com.example.calc");
    const LibraryDragOffer app = libraryDragOffer(calculator, bundles);
    ASSERT_TRUE(app.payload);
    EXPECT_EQ(decodeLibraryDrag(*app.payload).item, calculator);
    EXPECT_EQ(app.bundlePath, "/Applications/Calculator.app");
    EXPECT_EQ(app.suggestedName, "Calculator");
    // Only the last extension goes, and a trailing slash does not hide the name.
    EXPECT_EQ(
        libraryDragOffer(LayoutItem::placeholder("bundle:com.example.dots"), bundles).suggestedName,
        "My.Tool");

    // A folder is never looked up, even when its id would name a bundle.
    int lookups = 0;
    const LibraryDragOffer folder = libraryDragOffer(
        LayoutItem::folder(FolderID{"bundle:com.example.calc"}), [&](const std::string& id) {
            ++lookups;
            return bundles(id);
        });
    EXPECT_EQ(lookups, 0);
    EXPECT_TRUE(folder.payload);
    EXPECT_FALSE(folder.bundlePath);
    EXPECT_EQ(folder.suggestedName, "");

    // An application no longer installed, or one whose id cannot be encoded, still drags.
    const LibraryDragOffer gone = libraryDragOffer(LayoutItem::application("x"), bundles);
    EXPECT_TRUE(gone.payload);
    EXPECT_FALSE(gone.bundlePath);
    EXPECT_FALSE(libraryDragOffer(LayoutItem::application("\xff"), bundles).payload);
}

} // namespace
} // namespace orbitdeck
