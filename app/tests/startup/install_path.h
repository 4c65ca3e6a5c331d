#pragma once
// The registry value start-up reads, set for one test and put back afterwards:
// the tests share one Wine prefix with every other test of the build.
#include <optional>
#include <string>

namespace startup_driver {

class InstallPathValue {
public:
    // Sets HKLM\Software\Tencent\LOL\InstallPath to `value` (GBK, REG_SZ), or
    // removes it when there is none.
    explicit InstallPathValue(const std::optional<std::string>& value);
    InstallPathValue(const InstallPathValue&) = delete;
    InstallPathValue& operator=(const InstallPathValue&) = delete;
    ~InstallPathValue();

private:
    std::optional<std::string> previous_;
};

}  // namespace startup_driver
