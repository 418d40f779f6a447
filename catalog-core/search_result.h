#pragma once

#include "catalog-core/app_descriptor.h"

#include <memory>
#include <optional>
#include <utility>

namespace orbitdeck {

// One search hit. The application is shared with the index that found it, so answering a
// keystroke copies no descriptors.
class SearchResult {
public:
    // How the application matched; a higher value is a better match.
    enum class Reason : int { token = 1, prefix = 2, exact = 3 };

    static std::optional<Reason> reasonFromRawValue(int rawValue) {
        if (rawValue < static_cast<int>(Reason::token) ||
            rawValue > static_cast<int>(Reason::exact)) {
            return std::nullopt;
        }
        return static_cast<Reason>(rawValue);
    }

    SearchResult(std::shared_ptr<const AppDescriptor> app, Reason reason)
        : app_(std::move(app))
        , reason_(reason) {}

    const AppDescriptor& app() const { return *app_; }
    Reason reason() const { return reason_; }
    const std::string& id() const { return app_->id(); }

    friend bool operator==(const SearchResult& left, const SearchResult& right) {
        return left.reason_ == right.reason_ && *left.app_ == *right.app_;
    }

private:
    std::shared_ptr<const AppDescriptor> app_;
    Reason reason_;
};

} // namespace orbitdeck
