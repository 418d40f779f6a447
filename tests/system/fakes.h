#pragma once

#include "platform/global_input_watch.h"
#include "platform/hot_key_grabber.h"
#include "platform/launcher_window.h"
#include "platform/scheduler.h"

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace orbitdeck::testing {

class FakeGrabber final : public HotKeyGrabber {
public:
    GrabResult grab(const KeyChord& chord) override {
        if (taken.contains(chord.modifiers))
            return GrabResult::refused;
        grabbed.push_back(chord);
        return GrabResult::grabbed;
    }
    void release() override { grabbed.clear(); }
    bool heldElsewhere(const KeyChord& chord) override { return taken.contains(chord.modifiers); }
    void setPressedHandler(std::function<void()> handler) override { pressed = std::move(handler); }

    std::vector<KeyChord> grabbed;
    std::set<KeyModifiers> taken; // combinations another client holds
    std::function<void()> pressed;
};

class FakeInputWatch final : public GlobalInputWatch {
public:
    void setHandlers(Handlers h) override { handlers = std::move(h); }
    void setChannels(Channels c) override {
        channels = c;
        ++channelChanges;
    }
    Channels activeChannels() const override { return channels; }

    Handlers handlers;
    Channels channels;
    int channelChanges = 0;
};

// A window whose fades run on virtual time and which records what presentation did to it.
class FakeWindow final : public LauncherWindow {
public:
    explicit FakeWindow(VirtualScheduler& scheduler)
        : scheduler_(scheduler) {}

    bool isVisible() const override { return mapped; }
    double opacity() const override { return alpha; }
    void setOpacity(double value) override {
        endFade();
        alpha = value;
    }
    void fadeOpacity(double target, std::chrono::milliseconds duration, FadeCurve curve,
                     std::function<void()> finished) override {
        endFade();
        fades.push_back({target, duration, curve});
        finished_ = std::move(finished);
        fadeToken_ = scheduler_.schedule(duration, nullptr, [this, target] {
            fadeToken_ = 0;
            alpha = target;
            if (auto done = std::exchange(finished_, nullptr))
                done();
        });
    }
    void bringForward() override {
        mapped = true;
        ++broughtForward;
    }
    void unmap() override {
        mapped = false;
        ++unmapped;
    }
    QRect frame() const override { return currentFrame; }
    void setFrame(const QRect& frame, bool animate) override {
        currentFrame = frame;
        frames.push_back({frame, animate});
    }
    std::optional<QRect> monitorGeometry() const override { return monitor; }
    std::optional<QRect> monitorAvailableGeometry() const override { return available; }
    void setFullScreenChrome(bool fullScreen) override { chrome.push_back(fullScreen); }

    struct Fade {
        double target;
        std::chrono::milliseconds duration;
        FadeCurve curve;
    };
    struct FrameChange {
        QRect frame;
        bool animate;
    };

    bool mapped = false;
    double alpha = 1.0;
    int broughtForward = 0;
    int unmapped = 0;
    QRect currentFrame;
    std::optional<QRect> monitor = QRect(0, 0, 1440, 900);
    std::optional<QRect> available = QRect(0, 25, 1440, 875);
    std::vector<Fade> fades;
    std::vector<FrameChange> frames;
    std::vector<bool> chrome;

private:
    void endFade() {
        if (fadeToken_ != 0) {
            scheduler_.cancel(fadeToken_);
            fadeToken_ = 0;
        }
        if (auto done = std::exchange(finished_, nullptr))
            done();
    }

    VirtualScheduler& scheduler_;
    std::function<void()> finished_;
    Scheduler::Token fadeToken_ = 0;
};

class FakeFocus final : public FocusHandover {
public:
    void rememberFocused() override { ++remembered; }
    void restoreFocus() override { ++restored; }

    int remembered = 0;
    int restored = 0;
};

} // namespace orbitdeck::testing
