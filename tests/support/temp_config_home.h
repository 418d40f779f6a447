#pragma once

#include <QTemporaryDir>

#include <cstdlib>
#include <optional>
#include <string>

// A throwaway XDG_CONFIG_HOME for one test, restored afterwards.
class TempConfigHome {
public:
    TempConfigHome() {
        if (const char* old = std::getenv("XDG_CONFIG_HOME"))
            previous_ = old;
        ::setenv("XDG_CONFIG_HOME", dir_.path().toLocal8Bit().constData(), 1);
    }
    ~TempConfigHome() {
        if (previous_)
            ::setenv("XDG_CONFIG_HOME", previous_->c_str(), 1);
        else
            ::unsetenv("XDG_CONFIG_HOME");
    }
    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    std::optional<std::string> previous_;
};
