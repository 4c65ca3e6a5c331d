#pragma once
// Registry values a test sets and puts back afterwards (the tests share one
// Wine prefix with every other test of the build): the one start-up reads,
// and the screen's DPI.
#include <windows.h>

#include <optional>
#include <string>

namespace startup_driver {

class InstallPathValue {
public:
    // Sets HKLM\Software\Tencent\LOL\InstallPath to `value` (GBK, REG_SZ), or
    // removes it when there is none, in the registry view given (0: this
    // program's own, else KEY_WOW64_32KEY or KEY_WOW64_64KEY).
    explicit InstallPathValue(const std::optional<std::string>& value, REGSAM view = 0);
    InstallPathValue(const InstallPathValue&) = delete;
    InstallPathValue& operator=(const InstallPathValue&) = delete;
    ~InstallPathValue();

private:
    REGSAM view_;
    std::optional<std::string> previous_;
};

// The screen's DPI for the programs started while it lives: Wine reads
// HKCU\Control Panel\Desktop\LogPixels when a process starts.
class ScreenDpiValue {
public:
    explicit ScreenDpiValue(DWORD dpi);
    ScreenDpiValue(const ScreenDpiValue&) = delete;
    ScreenDpiValue& operator=(const ScreenDpiValue&) = delete;
    ~ScreenDpiValue();

private:
    std::optional<DWORD> previous_;
};

}  // namespace startup_driver
