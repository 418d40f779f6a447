#include "layout-core/layout_coding.h"
#include "layout_test_support.h"

#include <gtest/gtest.h>

namespace orbitdeck {
namespace {

using namespace orbitdeck::testing;
using Json = nlohmann::json;
using Kind = LayoutDecodingError::Kind;

std::vector<std::string> pathStrings(const std::vector<CodingKey>& keys) {
    std::vector<std::string> out;
    for (const auto& key : keys)
        out.push_back(key.stringValue);
    return out;
}

TEST(LayoutCoding, EveryFormRoundTrips) {
    const std::vector<std::pair<LayoutItem, std::string>> items = {
        {app("bundle:com.example.a"), R"({"application":{"_0":"bundle:com.example.a"}})"},
        {tile("f1"), R"({"folder":{"_0":{"rawValue":"f1"}}})"},
        {hole("slot"), R"({"placeholder":{"_0":"slot"}})"},
        {app("\xE6\xBC\xA2\"\\"), "{\"application\":{\"_0\":\"\xE6\xBC\xA2\\\"\\\\\"}}"},
    };
    for (const auto& [item, text] : items) {
        SCOPED_TRACE(text);
        EXPECT_EQ(encodeJSON(item).dump(), text);
        EXPECT_EQ(decodeLayoutItem(Json::parse(text)), item);
        EXPECT_EQ(Json(item).get<LayoutItem>(), item);
    }
    EXPECT_EQ(encodeJSON(PageID{"p"}).dump(), R"({"rawValue":"p"})");
    EXPECT_EQ(decodePageID(Json::parse(R"({"x":1,"rawValue":"p"})")), PageID{"p"});
    EXPECT_EQ(decodeFolderID(Json::parse(R"({"rawValue":"f","extra":[1]})")), FolderID{"f"});
    EXPECT_EQ(encodeJSON<nlohmann::ordered_json>(tile("f")).dump(), encodeJSON(tile("f")).dump());
}

TEST(LayoutCoding, ReadsWhatThePlatformCoderWrote) {
    EXPECT_EQ(
        decodeLayoutItem(Json::parse(R"({"application":{"_0":"path:\/Applications\/A.app"}})")),
        app("path:/Applications/A.app"));
    EXPECT_EQ(decodeLayoutItem(Json::parse(R"({"other":true,"application":{"x":0,"_0":"a"}})")),
              app("a"));
    EXPECT_EQ(decodeLayoutItem(Json::parse(R"({"placeholder":{"_0":""}})")), hole(""));
    EXPECT_EQ(platformJSONBytes(encodeJSON(app("path:/A.app"))),
              R"({"application":{"_0":"path:\/A.app"}})");
    EXPECT_EQ(platformJSONBytes(encodeJSON(app("\xFF"))), std::nullopt) << "not UTF-8";
}

struct DecodeCase {
    const char* json;
    Kind kind;
    std::vector<std::string> path;
    std::string description;
    // The type expected, or for keyNotFound the key missing; empty: not checked.
    std::string expected = {};
};

TEST(LayoutCoding, DecodeErrorsCarryKindPathAndDescription) {
    const std::string wrongKeys(kInvalidItemKeysDescription);
    const std::vector<DecodeCase> cases = {
        {R"({})", Kind::typeMismatch, {}, wrongKeys, "LayoutItem"},
        {R"({"extra":{"_0":"a"}})", Kind::typeMismatch, {}, wrongKeys, "LayoutItem"},
        {R"({"application":{"_0":"a"},"placeholder":{"_0":"b"}})",
         Kind::typeMismatch,
         {},
         wrongKeys},
        {R"({"application":{},"folder":{},"placeholder":{}})",
         Kind::typeMismatch,
         {},
         wrongKeys,
         "LayoutItem"},
        {R"([])",
         Kind::typeMismatch,
         {},
         "Expected to decode Dictionary<String, Any> but found an array instead.",
         "Dictionary<String, Any>"},
        {R"(null)",
         Kind::typeMismatch,
         {},
         "Expected to decode Dictionary<String, Any> but found null instead."},
        {R"({"application":"a"})", Kind::typeMismatch, {"application"}, ""},
        {R"({"placeholder":null})", Kind::typeMismatch, {"placeholder"}, ""},
        {R"({"application":{}})",
         Kind::keyNotFound,
         {"application"},
         R"(No value associated with key CodingKeys(stringValue: "_0", intValue: nil) ("_0").)",
         "_0"},
        {R"({"application":{"_0":null}})",
         Kind::valueNotFound,
         {"application", "_0"},
         "",
         "String"},
        {R"({"placeholder":{"_0":7}})",
         Kind::typeMismatch,
         {"placeholder", "_0"},
         "Expected to decode String but found a number instead.",
         "String"},
        {R"({"folder":{"_0":"f"}})",
         Kind::typeMismatch,
         {"folder", "_0"},
         "",
         "Dictionary<String, Any>"},
        {R"({"folder":{"_0":{}}})", Kind::keyNotFound, {"folder", "_0"}, ""},
        {R"({"folder":{"_0":null}})", Kind::valueNotFound, {"folder", "_0"}, ""},
        {R"({"folder":{"_0":{"rawValue":false}}})",
         Kind::typeMismatch,
         {"folder", "_0", "rawValue"},
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.json);
        try {
            decodeLayoutItem(Json::parse(c.json));
            ADD_FAILURE() << "decoded";
        } catch (const LayoutDecodingError& error) {
            EXPECT_EQ(error.kind(), c.kind);
            EXPECT_EQ(pathStrings(error.codingPath()), c.path);
            if (!c.description.empty()) {
                EXPECT_EQ(error.description(), c.description);
            }
            if (!c.expected.empty()) {
                EXPECT_EQ(c.kind == Kind::keyNotFound ? error.missingKey().value().stringValue
                                                      : error.expectedType(),
                          c.expected);
            }
        }
    }

    // A nested item reports its full path from the document root.
    const Json document =
        Json::parse(R"({"items":[{"application":{"_0":"a"}},{"folder":{"_0":"f"}}]})");
    const CodingPath root;
    const CodingPath items = root.key("items");
    try {
        decodeLayoutItem(document["items"][1], items.index(1));
        ADD_FAILURE() << "decoded";
    } catch (const LayoutDecodingError& error) {
        EXPECT_EQ(pathStrings(error.codingPath()),
                  (std::vector<std::string>{"items", "Index 1", "folder", "_0"}));
        EXPECT_EQ(error.codingPath()[1].intValue, 1);
    }
    for (const char* bytes : {"", "{", "not json", "{\"a\":1} trailing", "\xFF"}) {
        SCOPED_TRACE(bytes);
        try {
            json_decode::parse(bytes);
            ADD_FAILURE() << "parsed";
        } catch (const LayoutDecodingError& error) {
            EXPECT_EQ(error.kind(), Kind::dataCorrupted);
        }
    }
}

} // namespace
} // namespace orbitdeck
