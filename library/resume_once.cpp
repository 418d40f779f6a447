#include "library/resume_once.h"

#include <utility>

namespace orbitdeck {

ResumeOnce::ResumeOnce(Continuation continuation)
    : continuation_(std::move(continuation)) {}

void ResumeOnce::resume(Result result) {
    Continuation taken;
    std::function<void()> onResume;
    {
        const std::lock_guard guard(lock_);
        taken = std::exchange(continuation_, nullptr);
        if (taken)
            onResume = std::exchange(onResume_, nullptr);
    }
    if (!taken)
        return;
    taken(std::move(result));
    if (onResume)
        onResume();
}

void ResumeOnce::setOnResume(std::function<void()> action) {
    const std::lock_guard guard(lock_);
    if (continuation_)
        onResume_ = std::move(action);
}

bool ResumeOnce::isPending() const {
    const std::lock_guard guard(lock_);
    return static_cast<bool>(continuation_);
}

} // namespace orbitdeck
