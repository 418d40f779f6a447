#include "library/resume_once.h"

#include <utility>

namespace orbitdeck {

ResumeOnce::ResumeOnce(Continuation continuation)
    : continuation_(std::move(continuation)) {}

void ResumeOnce::resume(Result result) {
    Continuation taken;
    {
        const std::lock_guard guard(lock_);
        taken = std::exchange(continuation_, nullptr);
    }
    if (taken)
        taken(std::move(result));
}

bool ResumeOnce::isPending() const {
    const std::lock_guard guard(lock_);
    return static_cast<bool>(continuation_);
}

} // namespace orbitdeck
