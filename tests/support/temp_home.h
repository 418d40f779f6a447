#pragma once

#include <QTemporaryDir>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>

// A throwaway HOME with its own XDG folders for one test, the old values restored afterwards.
class TempHome {
public:
    TempHome() {
        set("HOME", root());
        set("XDG_DATA_HOME", root() / ".local" / "share");
        set("XDG_CONFIG_HOME", root() / ".config");
        set("XDG_CACHE_HOME", root() / ".cache");
        set("XDG_STATE_HOME", root() / ".local" / "state");
    }
    ~TempHome() {
        for (const auto& [name, value] : previous_) {
            if (value)
                ::setenv(name.c_str(), value->c_str(), 1);
            else
                ::unsetenv(name.c_str());
        }
    }
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    std::filesystem::path root() const { return dir_.path().toStdString(); }
    std::filesystem::path operator/(const std::filesystem::path& relative) const {
        return root() / relative;
    }

private:
    void set(const std::string& name, const std::filesystem::path& value) {
        const char* old = std::getenv(name.c_str());
        previous_.emplace(name, old ? std::optional<std::string>(old) : std::nullopt);
        ::setenv(name.c_str(), value.c_str(), 1);
    }

    QTemporaryDir dir_;
    std::map<std::string, std::optional<std::string>> previous_;
};

// Writes a small file, making its folders.
inline void writeTextFile(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path) << text;
}

inline std::string readTextFile(const std::filesystem::path& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
