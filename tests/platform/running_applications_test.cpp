#include "platform/running_applications.h"

#include "support/temp_home.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace orbitdeck {
namespace {

namespace fs = std::filesystem;

// Polls until condition holds, for at most ten seconds.
template <typename Condition>
bool eventually(Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

TEST(ProcessTable, FindsProcessesRunningFromTheBundleAndAsksThemToQuit) {
    TempHome home;
    const fs::path bundle = home / "Applications/Sleeper.app";
    fs::create_directories(bundle / "Contents/MacOS");
    fs::copy_file("/bin/sleep", bundle / "Contents/MacOS/Sleeper");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const std::string program = (bundle / "Contents/MacOS/Sleeper").string();
        ::execl(program.c_str(), program.c_str(), "30", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ProcessTable table;
    EXPECT_TRUE(eventually(
        [&] { return table.instances("com.example.sleeper", bundle) == std::vector<int>{child}; }));
    EXPECT_TRUE(table.instances("com.example.sleeper", home / "Applications/Other.app").empty());

    table.terminate(child);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
    EXPECT_TRUE(table.instances("com.example.sleeper", bundle).empty());
}

} // namespace
} // namespace orbitdeck
