#include "onboarding/backup_text_codings.h"
#include "onboarding/layout_backup.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace orbitdeck;
using namespace std::chrono;

namespace {

const sys_seconds may4 = sys_days{2026y / 5 / 4} + hours{9} + minutes{30};

LayoutBackup sample() {
    return LayoutBackup{
        .format = 1,
        .appVersion = "2.1",
        .exportedAt = may4,
        .layout = std::string("{\"pages\":[]}\0\xff", 15),
        .hidden = {"bundle:a", "bundle:b"},
        .sort = "nameReverse",
    };
}

// A valid backup with one key set to a JSON value, or removed when the value is empty.
std::string with(const std::string& key, const std::string& value) {
    nlohmann::json json = nlohmann::json::parse(
        R"({"appVersion":"1","exportedAt":"2026-05-04T09:30:00Z","format":1,"hidden":[],)"
        R"("layout":"","sort":"name"})");
    if (value.empty())
        json.erase(key);
    else
        json[key] = nlohmann::json::parse(value);
    return json.dump();
}

} // namespace

TEST(LayoutBackupTest, RoundTripsWithSortedKeysAndBase64Bytes) {
    const std::string text = encodeLayoutBackup(sample());
    EXPECT_EQ(decodeLayoutBackup(text), sample());
    std::vector<std::size_t> positions;
    for (const char* key : {"appVersion", "exportedAt", "format", "hidden", "layout", "sort"})
        positions.push_back(text.find(std::string("\"") + key + "\""));
    EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
    EXPECT_NE(text.find("\"2026-05-04T09:30:00Z\""), std::string::npos);
    EXPECT_NE(text.find('\n'), std::string::npos) << "pretty-printed";

    LayoutBackup empty = sample();
    empty.layout.clear();
    empty.sort.reset();
    const std::string emptyText = encodeLayoutBackup(empty);
    EXPECT_NE(emptyText.find("\"layout\": \"\""), std::string::npos);
    EXPECT_EQ(emptyText.find("\"sort\""), std::string::npos);
    EXPECT_EQ(decodeLayoutBackup(emptyText), empty);

    EXPECT_EQ(suggestedBackupFileName(may4 + hours{15}), "Orbitdeck Layout 2026-05-05.json");
}

TEST(LayoutBackupTest, AcceptsOldFormatsAndLenientOptionalSort) {
    EXPECT_TRUE(decodeLayoutBackup(with("format", "0")));
    EXPECT_TRUE(decodeLayoutBackup(with("format", "-3")));
    EXPECT_FALSE(decodeLayoutBackup(with("sort", "null"))->sort);
    EXPECT_FALSE(decodeLayoutBackup(with("sort", ""))->sort);
    EXPECT_EQ(decodeLayoutBackup(with("sort", "\"sideways\""))->sort, "sideways");
    EXPECT_TRUE(decodeLayoutBackup(with("extra", R"({"x":[1,2]})")));
    EXPECT_EQ(decodeLayoutBackup(with("exportedAt", "\"2026-05-04T11:30:00+02:00\""))->exportedAt,
              may4);
    EXPECT_EQ(decodeLayoutBackup(with("layout", "\"YWI=\""))->layout, "ab");
}

TEST(LayoutBackupTest, RejectsWhatIsNotABackup) {
    for (const std::string& bad : {
             with("format", "2"),
             with("format", "1.5"),
             with("format", "\"1\""),
             with("format", "18446744073709551615"),
             with("format", ""),
             with("appVersion", ""),
             with("appVersion", "3"),
             with("exportedAt", ""),
             with("exportedAt", "\"2026-05-04T09:30:00.123Z\""),
             with("exportedAt", "\"2026-05-04 09:30:00Z\""),
             with("exportedAt", "\"2026-02-30T09:30:00Z\""),
             with("exportedAt", "\"2026-05-04T09:30:00\""),
             with("exportedAt", "1777887000"),
             with("layout", ""),
             with("layout", "\"YWI\""),
             with("layout", "\"YW I=\""),
             with("layout", "\"YWJ=\""), // stray bits after the last byte
             with("layout", "null"),
             with("hidden", ""),
             with("hidden", "[1]"),
             with("hidden", "\"a\""),
             with("sort", "3"),
             std::string("[]"),
             std::string("{"),
             std::string(""),
             std::string("\"text\""),
         })
        EXPECT_FALSE(decodeLayoutBackup(bad)) << bad;
    EXPECT_TRUE(decodeLayoutBackup(with("sort", "\"name\"")));
}

TEST(LayoutBackupTest, Base64AndDatesRoundTrip) {
    for (const std::string& bytes : {std::string(), std::string("a"), std::string("ab"),
                                     std::string("abc"), std::string("\0\xff\x10\x80", 4)})
        EXPECT_EQ(decodeBase64(encodeBase64(bytes)), bytes);
    EXPECT_EQ(encodeBase64("Man"), "TWFu");
    EXPECT_EQ(formatInternetDateTime(sys_days{1969y / 12 / 31} + hours{23} + seconds{59}),
              "1969-12-31T23:00:59Z");
    EXPECT_EQ(parseInternetDateTime("2024-02-29T00:00:00-00:30"),
              sys_days{2024y / 2 / 29} + minutes{30});
    EXPECT_FALSE(parseInternetDateTime("2024-02-29T24:00:00Z"));
}
