#pragma once

#include "platform/accessibility_trust.h"
#include "platform/login_item.h"
#include "settings/settings_sheet_model.h"

#include <optional>

namespace orbitdeck::testing {

// A login item that fails or succeeds as told and reports the status it is given.
class FakeLoginItem final : public LoginItem {
public:
    LoginItemStatus status() const override { return currentStatus; }
    std::optional<QString> registerItem() override {
        ++registers;
        if (!error)
            currentStatus = statusAfterRegister;
        return error;
    }
    std::optional<QString> unregisterItem() override {
        ++unregisters;
        if (!error)
            currentStatus = LoginItemStatus::notRegistered;
        return error;
    }

    LoginItemStatus currentStatus = LoginItemStatus::notRegistered;
    LoginItemStatus statusAfterRegister = LoginItemStatus::enabled;
    std::optional<QString> error;
    int registers = 0;
    int unregisters = 0;
};

class FakeTrust final : public AccessibilityTrust {
public:
    bool isTrusted() const override { return trusted; }
    bool trusted = false;
};

// Installs the fakes for the life of one test and puts the real services back afterwards.
struct FakeSheetServices {
    FakeSheetServices()
        : previous(SettingsSheetServices::current()) {
        SettingsSheetServices::install(
            {.loginItem = &login, .accessibility = &trust, .checkForUpdates = {}});
    }
    ~FakeSheetServices() { SettingsSheetServices::install(previous); }

    FakeLoginItem login;
    FakeTrust trust;
    SettingsSheetServices previous;
};

} // namespace orbitdeck::testing
