#pragma once

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include <unistd.h>

// Puts the process into a locale whose decimal point is a comma, as Qt's setlocale(LC_ALL, "")
// does for a German user, and back when it goes. An installed de_DE or fr_FR locale serves;
// otherwise de_DE.UTF-8 is made once with localedef (Debian package "locales") into
// ZEV_TEST_LOCALE_DIR and found through LOCPATH, which needs no root.
class DecimalCommaLocale {
public:
    DecimalCommaLocale() : saved_(std::setlocale(LC_ALL, nullptr)) {
        if (const char* path = std::getenv("LOCPATH"))
            savedLocPath_ = path;
        active_ = use("de_DE.UTF-8") || use("fr_FR.UTF-8") || useMadeHere();
        if (!active_)
            restore();
    }
    ~DecimalCommaLocale() {
        if (active_)
            restore();
    }
    DecimalCommaLocale(const DecimalCommaLocale&) = delete;
    DecimalCommaLocale& operator=(const DecimalCommaLocale&) = delete;

    bool active() const { return active_; }
    std::string why() const {
        return "no decimal-comma locale: none installed, and localedef could not make "
               "de_DE.UTF-8 in " ZEV_TEST_LOCALE_DIR " (install the Debian package locales)";
    }

private:
    static bool use(const char* name) {
        return std::setlocale(LC_ALL, name) && std::string(std::localeconv()->decimal_point) == ",";
    }

    // Test programs run side by side: each makes the locale in a directory of its own and
    // renames it into place, so none ever reads a half-made one.
    static bool useMadeHere() {
        namespace fs = std::filesystem;
        const fs::path dir = ZEV_TEST_LOCALE_DIR;
        const fs::path made = dir / "de_DE.UTF-8";
        std::error_code ec;
        if (!fs::exists(made / "LC_NUMERIC", ec)) {
            const fs::path scratch = dir / ("making-" + std::to_string(::getpid()));
            fs::create_directories(scratch, ec);
            const std::string command = "localedef -i de_DE -f UTF-8 '" +
                                        (scratch / made.filename()).string() + "' >/dev/null 2>&1";
            // localedef may exit non-zero over mere warnings: the files it wrote decide.
            [[maybe_unused]] const int status = std::system(command.c_str());
            if (fs::exists(scratch / made.filename() / "LC_NUMERIC", ec))
                fs::rename(scratch / made.filename(), made, ec);
            fs::remove_all(scratch, ec);
        }
        if (!fs::exists(made / "LC_NUMERIC", ec))
            return false;
        ::setenv("LOCPATH", dir.c_str(), 1);
        return use("de_DE.UTF-8");
    }

    void restore() {
        std::setlocale(LC_ALL, saved_.c_str());
        if (savedLocPath_)
            ::setenv("LOCPATH", savedLocPath_->c_str(), 1);
        else
            ::unsetenv("LOCPATH");
    }

    std::string saved_;
    std::optional<std::string> savedLocPath_;
    bool active_ = false;
};
