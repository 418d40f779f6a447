#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// A FIFO in place of a file, for readers that must never block on one. A reader that does
// block would hang the test, so after a deadline the trap opens the writing end once, which
// frees the reader with an empty read; rescued() then tells the test that it had blocked.
class FifoTrap {
public:
    explicit FifoTrap(const std::filesystem::path& path,
                      std::chrono::milliseconds deadline = std::chrono::seconds(3))
        : path_(path) {
        std::filesystem::create_directories(path.parent_path());
        made_ = ::mkfifo(path.c_str(), 0600) == 0;
        watchdog_ = std::thread([this, deadline] {
            const auto until = std::chrono::steady_clock::now() + deadline;
            while (!stopping_) {
                if (std::chrono::steady_clock::now() >= until) {
                    // Succeeds only while a reader waits in open().
                    const int fd = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                    if (fd >= 0) {
                        ::close(fd);
                        rescued_ = true;
                    }
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        });
    }
    ~FifoTrap() {
        stopping_ = true;
        watchdog_.join();
    }
    FifoTrap(const FifoTrap&) = delete;
    FifoTrap& operator=(const FifoTrap&) = delete;

    bool made() const { return made_; }
    bool rescued() const { return rescued_; }

private:
    std::filesystem::path path_;
    bool made_ = false;
    std::atomic<bool> stopping_ = false;
    std::atomic<bool> rescued_ = false;
    std::thread watchdog_;
};
