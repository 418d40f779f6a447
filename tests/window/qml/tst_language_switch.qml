import QtQuick
import QtTest
import Orbitdeck.State

TestCase {
    name: "LanguageSwitch"

    Text { id: done; text: L.t("Done", L.revision) }
    Text { id: refreshed; text: L.format("Refreshed · %lld apps", [7], L.revision) }
    Text { id: untranslated; text: L.t("Not translated", L.revision) }

    function test_textsFollowTheLanguageSettingAtOnce() {
        testSetup.setLanguage("english")
        compare(done.text, "Done")
        compare(refreshed.text, "Refreshed · 7 apps")

        testSetup.setLanguage("german")
        compare(done.text, "Fertig")
        compare(refreshed.text, "7 Apps neu")
        compare(untranslated.text, "Not translated")

        testSetup.setLanguage("japanese")
        compare(done.text, "完了")
        compare(refreshed.text, "Refreshed · 7 apps")

        testSetup.setLanguage("no such language")
        compare(done.text, "Done")
    }
}
