#include "window/app/launcher_parts.h"

namespace orbitdeck {

namespace {

struct NoState final : LauncherParts {
    QObject* state() override { return nullptr; }
    void attach(QQuickWindow&) override {}
};

} // namespace

std::unique_ptr<LauncherParts> makeLauncherParts() {
    return std::make_unique<NoState>();
}

} // namespace orbitdeck
