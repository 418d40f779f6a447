// Index build and per-keystroke search against a naive case-insensitive substring filter over
// the raw names, at 1,000 and 10,000 applications with one name in five Chinese (simplified
// and traditional).
#include "catalog-core/search_index.h"

#include "../support/statistics.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace orbitdeck;
using Clock = std::chrono::steady_clock;

const bool kQuick = std::getenv("ORBITDECK_BENCH_QUICK") != nullptr;

double microsecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

double percentile(std::vector<double> values, double fraction) {
    std::ranges::sort(values);
    return values[static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1))];
}

std::vector<AppDescriptor> makeApps(std::size_t count) {
    static const char* const latinWords[] = {
        "Code",   "Studio",   "Photo", "Editor", "Visual", "Music", "Notes",  "Mail",
        "Safari", "Terminal", "Pixel", "Cloud",  "Sync",   "Pro",   "Reader", "Writer",
        "Chart",  "Movie",    "Audio", "Sketch", "Café",   "Über",  "Finder", "Zoom"};
    static const char* const chineseWords[] = {
        "微信", "音乐", "地图",   "银行", "视频", "网盘", "词典",   "输入法", "会议", "文档",
        "相机", "照片", "计算器", "天气", "日历", "邮箱", "浏览器", "笔记",   "阅读", "翻译",
        "重庆", "长城", "快乐",   "云",   "网易", "百度", "腾讯",   "阿里",   "小米", "华为",
        "銀行", "音樂", "長江",   "臺灣", "遊戲", "網路", "電視",   "調色盤", "樂園", "乾坤"};
    std::mt19937 random(42);
    std::vector<AppDescriptor> apps;
    apps.reserve(count);
    for (std::size_t index = 0; index < count; ++index) {
        std::string name;
        if (index % 5 == 0) {
            for (int word = 0; word < 2 + static_cast<int>(random() % 2); ++word) {
                name += chineseWords[random() % std::size(chineseWords)];
            }
        } else {
            for (int word = 0; word < 1 + static_cast<int>(random() % 3); ++word) {
                name += (word > 0 ? " " : "");
                name += latinWords[random() % std::size(latinWords)];
            }
        }
        name += ' ';
        name += std::to_string(index);
        apps.emplace_back(name, "com.example.app" + std::to_string(index),
                          "/Applications/" + name + ".app");
    }
    return apps;
}

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The floor: what any filter must at least do, a case-insensitive substring test per raw name.
std::vector<const AppDescriptor*> naiveFilter(const std::vector<AppDescriptor>& apps,
                                              std::string_view query) {
    std::vector<const AppDescriptor*> hits;
    for (const auto& app : apps) {
        const auto& name = app.displayName();
        const auto found = std::search(name.begin(), name.end(), query.begin(), query.end(),
                                       [](char a, char b) { return lower(a) == lower(b); });
        if (found != name.end()) {
            hits.push_back(&app);
        }
    }
    return hits;
}

struct TypedQuery {
    const char* kind;
    std::string text;
};

const std::vector<TypedQuery> kQueries = {
    {"latin", "visual studio"}, {"latin", "code"},    {"pinyin", "yinyue"},
    {"pinyin", "zhongguo"},     {"initials", "wydt"}, {"no hit", "zzqxv"},
};

// Every prefix of the query, as the user types it.
std::vector<std::string> keystrokes(const std::string& query) {
    std::vector<std::string> typed;
    for (std::size_t length = 1; length <= query.size(); ++length) {
        typed.push_back(query.substr(0, length));
    }
    return typed;
}

template <typename Search>
std::vector<double> timeKeystrokes(const std::vector<std::string>& typed, int rounds,
                                   Search search) {
    std::vector<double> perKeystroke;
    std::size_t sink = 0;
    for (const auto& query : typed) {
        std::vector<double> samples;
        for (int round = 0; round < rounds; ++round) {
            const auto start = Clock::now();
            sink += search(query);
            samples.push_back(microsecondsSince(start));
        }
        perKeystroke.push_back(median(samples));
    }
    if (sink == 0) {
        std::puts("(no hits at all)");
    }
    return perKeystroke;
}

void benchmark(std::size_t count) {
    const auto apps = makeApps(count);
    const int buildRounds = kQuick ? 1 : 5;

    std::vector<double> builds;
    std::vector<double> floors;
    for (int round = 0; round < buildRounds; ++round) {
        auto start = Clock::now();
        const AppSearchIndex index(apps);
        builds.push_back(microsecondsSince(start) / 1000.0);
        // Floor for building: one folded copy of every name.
        start = Clock::now();
        std::vector<std::string> lowered;
        lowered.reserve(apps.size());
        for (const auto& app : apps) {
            auto& name = lowered.emplace_back(app.displayName());
            std::ranges::transform(name, name.begin(), lower);
        }
        floors.push_back(microsecondsSince(start) / 1000.0);
    }
    std::printf("index build, %5zu apps: %8.2f ms   (floor, lower-cased copies: %6.2f ms, %.0fx)\n",
                count, median(builds), median(floors), median(builds) / median(floors));

    const AppSearchIndex index(apps);
    AppDates recentUse;
    for (std::size_t at = 0; at < apps.size(); at += 7) {
        recentUse.emplace(apps[at].id(), std::chrono::system_clock::now() -
                                             std::chrono::minutes(static_cast<int>(at)));
    }
    const int rounds = kQuick ? 3 : 41;
    const auto ours = [&](const std::string& query) {
        return index.search(query, recentUse).size();
    };
    const auto naive = [&](const std::string& query) { return naiveFilter(apps, query).size(); };
    std::vector<double> allOurs;
    std::vector<double> allNaive;
    for (const auto& query : kQueries) {
        const auto typed = keystrokes(query.text);
        const auto oursTimes = timeKeystrokes(typed, rounds, ours);
        const auto naiveTimes = timeKeystrokes(typed, rounds, naive);
        allOurs.insert(allOurs.end(), oursTimes.begin(), oursTimes.end());
        allNaive.insert(allNaive.end(), naiveTimes.begin(), naiveTimes.end());
        std::printf("  %-8s %-15s median %7.1f us   (naive %7.1f us)  %.2fx\n", query.kind,
                    ("\"" + query.text + "\"").c_str(), median(oursTimes), median(naiveTimes),
                    median(oursTimes) / median(naiveTimes));
    }
    std::printf("keystroke,   %5zu apps: median %7.1f us, p90 %7.1f us, max %7.1f us   "
                "(naive substring filter: median %7.1f us)  ratio %.2fx\n",
                count, median(allOurs), percentile(allOurs, 0.9), percentile(allOurs, 1.0),
                median(allNaive), median(allOurs) / median(allNaive));
}

} // namespace

int main() {
    std::printf("search benchmark%s\n", kQuick ? " (quick)" : "");
    benchmark(1000);
    if (!kQuick) {
        benchmark(10000);
    }
    return 0;
}
