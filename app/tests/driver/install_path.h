#pragma once
// The registry value start-up reads, set for one test and put back afterwards:
// the tests share one Wine prefix with every other test of the build.
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

}  // namespace startup_driver
