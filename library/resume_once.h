#pragma once

#include "catalog-core/app_descriptor.h"

#include <functional>
#include <mutex>
#include <optional>
#include <vector>

namespace orbitdeck {

// Lets whichever comes first, a root's scan result or its time-out, complete one waiting call,
// exactly once; the later one is dropped.
class ResumeOnce {
public:
    using Result = std::optional<std::vector<AppDescriptor>>;
    using Continuation = std::function<void(Result)>;

    explicit ResumeOnce(Continuation continuation);

    // Completes the waiting call with result unless that has happened already, then runs the
    // on-resume action. Neither runs under the lock.
    void resume(Result result);
    // Installed once both sides are under way; a resume that came earlier does not run it.
    void setOnResume(std::function<void()> action);
    bool isPending() const;

private:
    mutable std::mutex lock_;
    Continuation continuation_;
    std::function<void()> onResume_;
};

} // namespace orbitdeck
