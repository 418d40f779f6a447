#pragma once

namespace orbitdeck {

// Whether the launcher may watch global input (hot corner, pinch, F4).
class AccessibilityTrust {
public:
    virtual ~AccessibilityTrust() = default;
    virtual bool isTrusted() const = 0;
};

// An X11 session lets any client select input on the root window: there is nothing to grant.
class X11AccessibilityTrust final : public AccessibilityTrust {
public:
    bool isTrusted() const override { return true; }
};

} // namespace orbitdeck
