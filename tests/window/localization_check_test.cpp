#include "localization_check.h"

#include "fixture_tables.h"

#include <gtest/gtest.h>

namespace {

void writeSource(const QString& path, const QByteArray& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

} // namespace

TEST(LocalizationCheck, FindsKeysAndReportsEveryKindOfFault) {
    QTemporaryDir sources;
    QDir(sources.path()).mkpath("window/views");
    writeSource(sources.path() + "/window/toast.cpp",
                "auto a = localized(\"Done\", language);\n"
                "auto b = localizedFormat(u\"Refreshed · %lld apps\"_s, language, {n});\n"
                "constexpr auto c = textKey(\"Say \\\"hi\\\"\");\n"
                "QString localized(const QString& key, LibraryLanguage language);\n");
    writeSource(sources.path() + "/window/views/Bar.qml",
                "Text { text: L.t(\"Cancel\", L.revision) }\n"
                "Text { text: L.format('Only in QML · %@', [x], L.revision) }\n");
    const auto keys = collectSourceKeys({sources.path() + "/window"});
    QStringList found;
    for (const auto& [key, location] : keys)
        found.append(key);
    EXPECT_EQ(found, (QStringList{"Cancel", "Done", "Only in QML · %@", "Refreshed · %lld apps",
                                  "Say \"hi\""}));
    EXPECT_TRUE(keys.at("Cancel").endsWith("Bar.qml:1"));

    const QByteArray sound = "\"Done\" = \"Fertig\";\n\"Cancel\" = \"Abbrechen\";\n"
                             "\"Only in QML · %@\" = \"Nur in QML · %@\";\n"
                             "\"Refreshed · %lld apps\" = \"%lld Apps aktualisiert\";\n"
                             "\"Say \\\"hi\\\"\" = \"Sag „hallo“\";\n";
    const FixtureTables good({{"de", sound}, {"fr", sound}});
    EXPECT_EQ(checkStringTables(good.path(), {"de", "fr"}, keys), QStringList());

    const FixtureTables bad({
        {"de", sound + "\"Done\" = \"Erledigt\";\n"},
        {"fr", "\"Done\" = \"\";\n\"Cancel\" = \"Annuler\";\n"
               "\"Only in QML · %@\" = \"Seulement · %lld\";\n"
               "\"Refreshed · %lld apps\" = \"%lld apps\";\n"},
    });
    const QStringList problems = checkStringTables(bad.path(), {"de", "fr", "ja"}, keys);
    const QString all = problems.join('\n');
    EXPECT_TRUE(all.contains("de: key repeated: Done")) << all.toStdString();
    EXPECT_TRUE(all.contains("fr: empty value for Done")) << all.toStdString();
    EXPECT_TRUE(all.contains("fr: placeholders differ from the key: Only in QML"))
        << all.toStdString();
    EXPECT_TRUE(all.contains("fr: missing key used at")) << all.toStdString();
    EXPECT_TRUE(all.contains("Say \"hi\"")) << all.toStdString();
    EXPECT_TRUE(all.contains("ja: no table")) << all.toStdString();
    EXPECT_EQ(problems.size(), 5);

    EXPECT_EQ(requiredLocalizations(), (QStringList{"en", "zh-Hans", "zh-Hant", "ja", "ko", "de",
                                                    "fr", "es", "it", "pt-BR", "ru"}));
}
