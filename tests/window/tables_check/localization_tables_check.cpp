#include "../localization_check.h"

#include <QDir>

#include <gtest/gtest.h>

// The shipped tables against the shipped sources. Skips while the tables have not landed.
TEST(StringTables, ServeEveryKeyTheInterfaceUses) {
    const QString source = qEnvironmentVariable("ORBITDECK_SOURCE_DIR");
    ASSERT_FALSE(source.isEmpty()) << "ORBITDECK_SOURCE_DIR is not set";
    const QString resources = source + "/resources";
    if (QDir(resources).entryList({"*.lproj"}, QDir::Dirs).isEmpty())
        GTEST_SKIP() << "no string tables under " << resources.toStdString();

    QStringList folders;
    for (const char* module :
         {"window", "system", "arranging", "settings", "onboarding", "library", "platform"})
        folders.append(source + "/" + module);
    const auto keys = collectSourceKeys(folders);
    EXPECT_FALSE(keys.empty());
    const QStringList problems = checkStringTables(resources, requiredLocalizations(), keys);
    EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
}
