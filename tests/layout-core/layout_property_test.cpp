// Random command sequences on random valid graphs: every success is a valid graph that holds the
// same applications and placeholders, every failure leaves the input byte for byte as it was.
#include "layout_test_support.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <string_view>

namespace orbitdeck {
namespace {

using namespace orbitdeck::testing;

class RandomLayouts {
public:
    explicit RandomLayouts(std::uint32_t seed)
        : random_(seed) {}

    LayoutGraph graph() {
        std::vector<std::string> texts = shuffledTexts();
        std::size_t next = 0;
        const auto item = [&] {
            const std::string& text = texts[next++];
            return chance(5) ? hole(text) : app(text);
        };
        std::vector<LayoutPage> pages(pick(1, 3));
        std::vector<LayoutFolder> folders;
        for (std::size_t p = 0; p < pages.size(); ++p) {
            pages[p].id = PageID{"page" + std::to_string(p)};
            for (int n = pick(0, 6); n > 0; --n) {
                if (chance(4)) {
                    const std::string number = std::to_string(folders.size());
                    LayoutFolder f = folder("f" + number, {});
                    for (int k = pick(1, 3); k > 0; --k)
                        f.items.push_back(item());
                    pages[p].items.push_back(LayoutItem::folder(f.id));
                    folders.push_back(std::move(f));
                } else {
                    pages[p].items.push_back(item());
                }
            }
        }
        return LayoutGraph::make(std::move(pages), std::move(folders));
    }

    LayoutCommand command(const LayoutGraph& graph) {
        switch (pick(0, 5)) {
        case 0:
            return LayoutCommand::createFolder(folderID(graph), "N", text(), text());
        case 1:
            return LayoutCommand::renameFolder(folderID(graph), chance(4) ? "" : "renamed");
        default:
            return LayoutCommand::move(position(graph), position(graph));
        }
    }

private:
    // A pool with canonically equivalent spellings, so NFC equality is exercised too.
    std::vector<std::string> shuffledTexts() {
        std::vector<std::string> texts = {"caf\xC3\xA9", "path:/A.app"};
        for (int i = 0; i < 30; ++i)
            texts.push_back("app" + std::to_string(i));
        std::shuffle(texts.begin(), texts.end(), random_);
        return texts;
    }

    std::string text() {
        static const std::vector<std::string> pool = {
            "app0", "app1", "app2", "app3", "app7", "cafe\xCC\x81", "path:/A.app", "", "zz"};
        return pool[static_cast<std::size_t>(pick(0, static_cast<int>(pool.size()) - 1))];
    }

    FolderID folderID(const LayoutGraph& graph) {
        if (!graph.folders().empty() && chance(2)) {
            auto it = graph.folders().begin();
            std::advance(it, pick(0, static_cast<int>(graph.folders().size()) - 1));
            return it->first;
        }
        return FolderID{chance(3) ? "" : "n" + std::to_string(pick(0, 3))};
    }

    LayoutPosition position(const LayoutGraph& graph) {
        LayoutContainer container = LayoutContainer::page(PageID{"absent"});
        std::size_t size = 0;
        const int where = pick(0, 9);
        if (where < 6 && !graph.pages().empty()) {
            const auto& p = graph.pages()[static_cast<std::size_t>(
                pick(0, static_cast<int>(graph.pages().size()) - 1))];
            container = LayoutContainer::page(p.id);
            size = p.items.size();
        } else if (where < 9 && !graph.folders().empty()) {
            auto it = graph.folders().begin();
            std::advance(it, pick(0, static_cast<int>(graph.folders().size()) - 1));
            container = LayoutContainer::folder(it->first);
            size = it->second.items.size();
        }
        return {.container = container, .index = pick(-1, static_cast<int>(size) + 1)};
    }

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool chance(int oneIn) { return pick(1, oneIn) == 1; }

    std::mt19937 random_;
};

// Every stored byte of the graph, length-prefixed so no two graphs share an encoding. Built by
// hand: a JSON document per step made nlohmann's allocations most of this test's time under ASan.
void encodeText(std::string& out, std::string_view text) {
    out += std::to_string(text.size());
    out += ':';
    out += text;
}

void encodeItems(std::string& out, const std::vector<LayoutItem>& items) {
    out += std::to_string(items.size());
    out += '[';
    for (const auto& item : items) {
        out += static_cast<char>('0' + static_cast<int>(item.kind));
        encodeText(out, item.payload);
    }
}

std::string encoding(const LayoutGraph& graph) {
    std::string out;
    for (const auto& page : graph.pages()) {
        out += 'P';
        encodeText(out, page.id.rawValue);
        encodeItems(out, page.items);
    }
    for (const auto& [id, folder] : graph.folders()) {
        out += 'F';
        encodeText(out, id.rawValue);
        encodeText(out, folder.name);
        encodeItems(out, folder.items);
    }
    return out;
}

std::vector<LayoutItem> identities(const LayoutGraph& graph) {
    std::vector<LayoutItem> out;
    const auto add = [&](const std::vector<LayoutItem>& items) {
        std::copy_if(items.begin(), items.end(), std::back_inserter(out),
                     [](const LayoutItem& item) { return !item.isFolder(); });
    };
    for (const auto& page : graph.pages())
        add(page.items);
    for (const auto& entry : graph.folders())
        add(entry.second.items);
    std::sort(out.begin(), out.end(), [](const LayoutItem& a, const LayoutItem& b) {
        return std::tie(a.kind, a.payload) < std::tie(b.kind, b.payload);
    });
    return out;
}

TEST(LayoutReducerProperty, SuccessValidatesAndFailureChangesNothing) {
    constexpr std::uint32_t seed = 20261209;
    RandomLayouts random(seed);
    int successes = 0;
    int failures = 0;
    for (int sequence = 0; sequence < 5000; ++sequence) {
        LayoutGraph graph = random.graph();
        for (int step = 0; step < 12; ++step) {
            const LayoutCommand command = random.command(graph);
            const std::string before = encoding(graph);
            try {
                LayoutGraph next = LayoutReducer::apply(command, graph);
                ++successes;
                ASSERT_NO_THROW(next.validate()) << "seed " << seed << " sequence " << sequence;
                std::vector<LayoutFolder> folders;
                for (const auto& entry : next.folders())
                    folders.push_back(entry.second);
                ASSERT_EQ(LayoutGraph::make(next.pages(), folders), next);
                ASSERT_EQ(identities(next), identities(graph)) << "sequence " << sequence;
                graph = std::move(next);
            } catch (const LayoutError&) {
                ++failures;
                ASSERT_EQ(encoding(graph), before) << "sequence " << sequence;
            }
        }
    }
    // Both outcomes must be well represented, or the generator has gone blind.
    EXPECT_GT(successes, 5000);
    EXPECT_GT(failures, 5000);
}

} // namespace
} // namespace orbitdeck
