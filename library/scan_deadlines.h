#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

namespace orbitdeck {

// Where the catalog's time-outs wait: real time on a thread in the program, virtual time in
// tests. The library stays Qt-free, so this is its own seam rather than the window's Scheduler.
class Deadlines {
public:
    using Token = std::uint64_t;

    virtual ~Deadlines() = default;
    // Runs action once delay has passed, on any thread, unless cancelled first.
    virtual Token schedule(std::chrono::steady_clock::duration delay,
                           std::function<void()> action) = 0;
    virtual void cancel(Token token) = 0;
};

// Runs actions at their deadlines on one thread of its own, however many are pending, so
// time-outs of scans never add a thread per call. Cancelled actions do not run; pending ones are
// dropped with the object.
class ScanDeadlines final : public Deadlines {
public:
    ScanDeadlines();
    ~ScanDeadlines() override;
    ScanDeadlines(const ScanDeadlines&) = delete;
    ScanDeadlines& operator=(const ScanDeadlines&) = delete;

    Token schedule(std::chrono::steady_clock::duration delay,
                   std::function<void()> action) override;
    void cancel(Token token) override;

private:
    struct State;
    // Shared with the worker, which is detached: the object may go away on any thread, even
    // inside one of its own actions.
    std::shared_ptr<State> state_;
};

} // namespace orbitdeck
