#include "catalog-core/failure_log.h"

#include <atomic>
#include <cstdio>
#include <system_error>

namespace orbitdeck {
namespace {

void toStandardError(const char* category, std::string_view message) {
    std::fprintf(stderr, "%s: %.*s\n", category, static_cast<int>(message.size()), message.data());
}

std::atomic<FailureSink> installed{&toStandardError};

} // namespace

void setFailureSink(FailureSink sink) {
    installed.store(sink != nullptr ? sink : &toStandardError);
}

std::string failedOn(std::string_view what, std::string_view path, int error) {
    std::string line(what);
    line.append(" ").append(path).append(": ").append(std::generic_category().message(error));
    return line;
}

void logFailure(const char* category, std::string_view message) {
    installed.load()(category, message);
}

void logFailure(const char* category, std::initializer_list<std::string_view> parts) {
    std::string line;
    for (const std::string_view part : parts)
        line.append(part);
    logFailure(category, std::string_view(line));
}

} // namespace orbitdeck
