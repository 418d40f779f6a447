#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

namespace orbitdeck {

// Runs actions at their deadlines on one thread of its own, however many are pending, so
// time-outs of scans never add a thread per call. Cancelled actions do not run; pending ones are
// dropped with the object.
class ScanDeadlines {
public:
    using Token = std::uint64_t;

    ScanDeadlines();
    ~ScanDeadlines();
    ScanDeadlines(const ScanDeadlines&) = delete;
    ScanDeadlines& operator=(const ScanDeadlines&) = delete;

    Token schedule(std::chrono::steady_clock::duration delay, std::function<void()> action);
    void cancel(Token token);

private:
    struct State;
    // Shared with the worker, which is detached: the object may go away on any thread, even
    // inside one of its own actions.
    std::shared_ptr<State> state_;
};

} // namespace orbitdeck
