#include "fakes.h"
#include "system/window_presentation.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using namespace orbitdeck;
using orbitdeck::testing::FakeFocus;
using orbitdeck::testing::FakeWindow;

namespace {
struct Presentation {
    VirtualScheduler scheduler;
    FakeFocus focus;
    WindowPresentation presentation{scheduler, focus};
    std::shared_ptr<FakeWindow> window = std::make_shared<FakeWindow>(scheduler);
};
} // namespace

TEST(WindowPresentation, ShowsWithFadeAndHidesWithFocusHandedBack) {
    Presentation p;
    p.presentation.show(p.window, false);
    EXPECT_TRUE(p.window->mapped);
    EXPECT_EQ(p.window->alpha, 0.0) << "a hidden window starts transparent";
    EXPECT_EQ(p.focus.remembered, 1);
    p.scheduler.advance(0ms);
    ASSERT_EQ(p.window->fades.size(), 1u);
    EXPECT_EQ(p.window->fades[0].duration, 180ms);
    EXPECT_EQ(p.window->fades[0].curve, FadeCurve::easeOut);
    p.scheduler.advance(180ms);
    EXPECT_EQ(p.window->alpha, 1.0);

    p.presentation.hide(p.window, false);
    EXPECT_TRUE(p.presentation.isHiding());
    EXPECT_EQ(p.window->fades.back().duration, 140ms);
    EXPECT_EQ(p.window->fades.back().curve, FadeCurve::easeIn);
    p.scheduler.advance(139ms);
    EXPECT_TRUE(p.window->mapped);
    p.scheduler.advance(1ms);
    EXPECT_FALSE(p.presentation.isHiding());
    EXPECT_FALSE(p.window->mapped);
    EXPECT_EQ(p.focus.restored, 1);
}

TEST(WindowPresentation, GenerationAndHidingGuards) {
    {
        SCOPED_TRACE("a second hide during the fade-out is ignored");
        Presentation p;
        p.presentation.show(p.window, true);
        p.presentation.hide(p.window, false);
        const auto generation = p.presentation.generation();
        p.presentation.hide(p.window, false);
        EXPECT_EQ(p.presentation.generation(), generation);
        p.scheduler.advance(1s);
        EXPECT_EQ(p.window->unmapped, 1);
        EXPECT_EQ(p.focus.restored, 1);
    }
    {
        SCOPED_TRACE("a show during the fade-out cancels the hide and fades back in");
        Presentation p;
        p.presentation.show(p.window, true);
        p.presentation.hide(p.window, false);
        p.scheduler.advance(70ms);
        p.presentation.show(p.window, false);
        EXPECT_FALSE(p.presentation.isHiding());
        p.scheduler.advance(1s);
        EXPECT_TRUE(p.window->mapped);
        EXPECT_EQ(p.window->unmapped, 0);
        EXPECT_EQ(p.focus.restored, 0);
        EXPECT_EQ(p.window->alpha, 1.0);
    }
    {
        SCOPED_TRACE("a hide before the queued fade-in drops that fade");
        Presentation p;
        p.presentation.show(p.window, false);
        p.presentation.hide(p.window, true);
        p.scheduler.advance(1s);
        EXPECT_TRUE(p.window->fades.empty());
        EXPECT_FALSE(p.window->mapped);
    }
    {
        SCOPED_TRACE("hide without a window or immediately: at once, no fade");
        Presentation p;
        p.presentation.show(p.window, true);
        p.presentation.hide(nullptr, false);
        EXPECT_FALSE(p.window->mapped) << "the last presented window is unmapped";
        EXPECT_EQ(p.focus.restored, 1);
        p.presentation.show(p.window, true);
        p.presentation.hide(p.window, true);
        EXPECT_FALSE(p.window->mapped);
        EXPECT_TRUE(p.window->fades.empty());
        EXPECT_EQ(p.focus.restored, 2);
    }
    {
        SCOPED_TRACE("activation fades a transparent window back in, but not while hiding");
        Presentation p;
        p.presentation.show(p.window, true);
        p.window->alpha = 0.2;
        p.presentation.hide(p.window, false);
        p.presentation.applicationActivated();
        p.scheduler.advance(0ms);
        EXPECT_EQ(p.window->fades.size(), 1u);
        p.scheduler.advance(1s);
        p.presentation.show(p.window, true);
        p.window->alpha = 0.5;
        p.presentation.applicationActivated();
        p.scheduler.advance(1s);
        EXPECT_EQ(p.window->alpha, 1.0);
    }
    {
        SCOPED_TRACE("show with no window and none remembered only counts a generation");
        Presentation p;
        p.presentation.show(nullptr, false);
        EXPECT_EQ(p.presentation.generation(), 1);
        EXPECT_FALSE(p.presentation.isHiding());
    }
}

TEST(WindowPresentation, WindowedFrameRules) {
    const QRect visible(0, 25, 1440, 875);
    EXPECT_EQ(WindowPresentation::normalizedWindowedFrame(QRect(100, 100, 1000, 700), visible),
              std::nullopt);
    const auto replaced =
        WindowPresentation::normalizedWindowedFrame(QRect(100, 100, 600, 700), visible);
    ASSERT_TRUE(replaced);
    EXPECT_EQ(*replaced, QRect(274, 156, 893, 613)) << "centred on the visible area";
    EXPECT_TRUE(WindowPresentation::normalizedWindowedFrame(QRect(100, 100, 1300, 700), visible))
        << "wider than 85% of the visible width";
    EXPECT_TRUE(WindowPresentation::normalizedWindowedFrame(QRect(3000, 100, 1000, 700), visible))
        << "off the visible area";
    EXPECT_EQ(
        WindowPresentation::normalizedWindowedFrame(QRect(0, 0, 1000, 500), QRect(0, 0, 900, 600))
            ->size(),
        QSize(780, 600))
        << "small screens get the minimum size";

    VirtualScheduler scheduler;
    FakeWindow window(scheduler);
    window.currentFrame = QRect(10, 10, 600, 400);
    window.mapped = true;
    WindowPresentation::normalizeWindowedFrame(window);
    ASSERT_EQ(window.frames.size(), 1u);
    EXPECT_TRUE(window.frames[0].animate) << "a visible window animates to its new frame";
    window.available.reset();
    window.currentFrame = QRect(10, 10, 600, 400);
    WindowPresentation::normalizeWindowedFrame(window);
    EXPECT_EQ(window.frames.size(), 1u) << "no monitor leaves the frame alone";
}

TEST(WindowPresentation, FullScreenAndWindowedStyles) {
    Presentation p;
    p.window->currentFrame = QRect(100, 100, 600, 400);
    p.presentation.applyWindowStyle(p.window, true);
    EXPECT_EQ(p.presentation.fullScreenWindow(), p.window);
    EXPECT_EQ(p.window->chrome, std::vector{true});
    EXPECT_EQ(p.window->currentFrame, QRect(0, 0, 1440, 900)) << "the monitor's rectangle";
    p.scheduler.advance(1200ms);
    EXPECT_EQ(p.window->frames.size(), 4u) << "pinned now and at 0.15, 0.5 and 1.2 s";

    p.presentation.applyWindowStyle(p.window, true);
    EXPECT_EQ(p.window->chrome.size(), 1u) << "a second full-screen style only re-pins";
    p.scheduler.advance(2s);
    EXPECT_EQ(p.window->frames.size(), 8u);
    p.presentation.hide(p.window, true);
    p.presentation.show(p.window, true);
    EXPECT_EQ(p.window->chrome, (std::vector{true, true}))
        << "the window manager dropped full screen with the unmapping: every show asks again";

    p.window->monitor = QRect(0, 0, 1280, 800);
    p.presentation.screensChanged();
    EXPECT_EQ(p.window->currentFrame, QRect(0, 0, 1280, 800));

    p.presentation.applyWindowStyle(p.window, false);
    EXPECT_EQ(p.presentation.fullScreenWindow(), nullptr);
    EXPECT_EQ(p.window->chrome, (std::vector{true, true, false}));
    const auto framesAfterSwitch = p.window->frames.size();
    p.scheduler.advance(2s);
    EXPECT_EQ(p.window->frames.size(), framesAfterSwitch) << "pins stop once windowed";
    EXPECT_EQ(p.window->currentFrame.size(), QSize(893, 613)) << "the full-screen frame is too big";

    p.presentation.screensChanged();
    p.presentation.show(p.window, true);
    EXPECT_EQ(p.window->frames.size(), framesAfterSwitch);
    EXPECT_EQ(p.window->chrome.size(), 3u) << "a windowed show asks for no full screen";
}
