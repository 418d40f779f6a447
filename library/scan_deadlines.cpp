#include "library/scan_deadlines.h"

#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>
#include <utility>

namespace orbitdeck {

struct ScanDeadlines::State {
    using Clock = std::chrono::steady_clock;
    using Key = std::pair<Clock::time_point, Token>;

    std::mutex mutex;
    std::condition_variable changed;
    std::map<Key, std::function<void()>> pending;
    std::map<Token, Clock::time_point> deadlines;
    Token nextToken = 1;
    bool stopping = false;

    void run() {
        std::unique_lock lock(mutex);
        while (!stopping) {
            if (pending.empty()) {
                changed.wait(lock);
                continue;
            }
            const auto first = pending.begin();
            const auto deadline = first->first.first;
            if (Clock::now() < deadline) {
                changed.wait_until(lock, deadline);
                continue;
            }
            auto action = std::move(first->second);
            deadlines.erase(first->first.second);
            pending.erase(first);
            // Actions run unlocked: they may schedule or cancel.
            lock.unlock();
            action();
            lock.lock();
        }
    }
};

ScanDeadlines::ScanDeadlines()
    : state_(std::make_shared<State>()) {
    std::thread([state = state_] { state->run(); }).detach();
}

ScanDeadlines::~ScanDeadlines() {
    {
        const std::lock_guard guard(state_->mutex);
        state_->stopping = true;
        state_->pending.clear();
        state_->deadlines.clear();
    }
    state_->changed.notify_all();
}

ScanDeadlines::Token ScanDeadlines::schedule(std::chrono::steady_clock::duration delay,
                                             std::function<void()> action) {
    const auto deadline = State::Clock::now() + delay;
    Token token = 0;
    {
        const std::lock_guard guard(state_->mutex);
        token = state_->nextToken++;
        state_->pending.emplace(State::Key{deadline, token}, std::move(action));
        state_->deadlines.emplace(token, deadline);
    }
    state_->changed.notify_all();
    return token;
}

void ScanDeadlines::cancel(Token token) {
    const std::lock_guard guard(state_->mutex);
    if (const auto found = state_->deadlines.find(token); found != state_->deadlines.end()) {
        state_->pending.erase(State::Key{found->second, token});
        state_->deadlines.erase(found);
    }
}

} // namespace orbitdeck
