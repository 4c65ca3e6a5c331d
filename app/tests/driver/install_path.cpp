#include "app/tests/driver/install_path.h"

#include <windows.h>

#include <stdexcept>

#include "win32/unique_handle.h"

namespace startup_driver {
namespace {

constexpr char kKey[] = "Software\\Tencent\\LOL";
constexpr char kValue[] = "InstallPath";

win32::UniqueRegistryKey open_key(REGSAM view) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_READ | KEY_WRITE | view, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot open HKLM\\Software\\Tencent\\LOL");
    return win32::UniqueRegistryKey(key);
}

std::optional<std::string> read_value(HKEY key) {
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key, kValue, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ)
        return std::nullopt;
    std::string text(size, '\0');
    if (RegQueryValueExA(key, kValue, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) != ERROR_SUCCESS)
        return std::nullopt;
    text.resize(text.find('\0') == std::string::npos ? size : text.find('\0'));
    return text;
}

void write_value(HKEY key, const std::optional<std::string>& value) {
    if (!value) {
        RegDeleteValueA(key, kValue);
        return;
    }
    if (RegSetValueExA(key, kValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(value->c_str()),
                       static_cast<DWORD>(value->size() + 1)) != ERROR_SUCCESS)
        throw std::runtime_error("cannot set InstallPath");
}

constexpr char kDesktopKey[] = "Control Panel\\Desktop";
constexpr char kDpiValue[] = "LogPixels";

void write_dpi(const std::optional<DWORD>& dpi) {
    HKEY opened = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_WRITE, nullptr, &opened, nullptr) !=
        ERROR_SUCCESS)
        throw std::runtime_error("cannot open HKCU\\Control Panel\\Desktop");
    const win32::UniqueRegistryKey key(opened);
    if (!dpi) {
        RegDeleteValueA(key.get(), kDpiValue);
    } else if (RegSetValueExA(key.get(), kDpiValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&*dpi),
                              sizeof *dpi) != ERROR_SUCCESS) {
        throw std::runtime_error("cannot set LogPixels");
    }
}

}  // namespace

ScreenDpiValue::ScreenDpiValue(DWORD dpi) {
    DWORD value = 0, size = sizeof value;
    if (RegGetValueA(HKEY_CURRENT_USER, kDesktopKey, kDpiValue, RRF_RT_REG_DWORD, nullptr, &value, &size) ==
        ERROR_SUCCESS)
        previous_ = value;
    write_dpi(dpi);
}

ScreenDpiValue::~ScreenDpiValue() {
    try {
        write_dpi(previous_);
    } catch (const std::exception&) {
    }
}

InstallPathValue::InstallPathValue(const std::optional<std::string>& value, REGSAM view) : view_(view) {
    const win32::UniqueRegistryKey key = open_key(view_);
    previous_ = read_value(key.get());
    write_value(key.get(), value);
}

InstallPathValue::~InstallPathValue() {
    try {
        write_value(open_key(view_).get(), previous_);
    } catch (const std::exception&) {
        // Nothing better to do in a destructor; the next test sets its own value.
    }
}

}  // namespace startup_driver
