#include "window/toast_state.h"

#include "platform/main_thread.h"
#include "platform/scheduler.h"

namespace orbitdeck {

ToastState::ToastState(Scheduler& scheduler, QObject* parent)
    : QObject(parent)
    , scheduler_(scheduler) {}

void ToastState::showToast(const QString& text) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (text_ != text) {
        text_ = text;
        emit textChanged();
    }
    // Each message clears only itself: a newer text survives an older message's expiry.
    scheduler_.schedule(std::chrono::milliseconds(displayMilliseconds), this, [this, text] {
        if (!text_.isEmpty() && text_ == text)
            dismissToast();
    });
}

void ToastState::dismissToast() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (text_.isEmpty())
        return;
    text_.clear();
    emit textChanged();
}

} // namespace orbitdeck
