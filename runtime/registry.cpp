#include "runtime/registry.h"

#include <windows.h>

#include "win32/unique_handle.h"

namespace runtime {

namespace {

HKEY root_key(int root) {
    switch (root) {
        case 1: return HKEY_CLASSES_ROOT;
        case 2: return HKEY_CURRENT_CONFIG;
        case 4: return HKEY_LOCAL_MACHINE;
        case 5: return HKEY_USERS;
        default: return HKEY_CURRENT_USER;
    }
}

// The value as stored, up to its first zero: a stored string need not carry
// its terminating zero, so the buffer holds one of its own past the data.
// ERROR_FILE_NOT_FOUND when there is no such value.
LONG read_text_value(HKEY key, const char* name, DWORD& type, Text& value) {
    DWORD size = 0;
    if (const LONG status = RegQueryValueExA(key, name, nullptr, &type, nullptr, &size); status != ERROR_SUCCESS)
        return status;
    // The value may grow between the two calls: try again a few times.
    for (int attempt = 0; attempt < 4; ++attempt) {
        if (type != REG_SZ && type != REG_EXPAND_SZ) return ERROR_INVALID_DATA;
        Text buffer(size + 1, '\0');
        DWORD got = size;
        const LONG status = RegQueryValueExA(key, name, nullptr, &type,
                                             reinterpret_cast<BYTE*>(buffer.data()), &got);
        if (status == ERROR_MORE_DATA) {
            size = got;
            continue;
        }
        if (status != ERROR_SUCCESS) return status;
        if (type != REG_SZ && type != REG_EXPAND_SZ) return ERROR_INVALID_DATA;
        buffer.resize(got < size ? got : size);
        value = buffer.substr(0, text_length(buffer));
        return ERROR_SUCCESS;
    }
    return ERROR_MORE_DATA;
}

// The registry view of a program of the other kind: on 64-bit Windows a
// 32-bit program reads the 32-bit view (WOW6432Node) unless told otherwise,
// and installers of either kind write where they please.
constexpr REGSAM kOtherView = sizeof(void*) == 4 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;

// The value in one view (0: the program's own); ERROR_FILE_NOT_FOUND when
// the key or the value is not there.
LONG read_in_view(int root, const Text& key_path, const Text& value_name, REGSAM view, DWORD& type, Text& value) {
    HKEY opened = nullptr;
    if (const LONG status = RegOpenKeyExA(root_key(root), key_path.c_str(), 0, KEY_READ | view, &opened);
        status != ERROR_SUCCESS)
        return status;
    const win32::UniqueRegistryKey key(opened);
    return read_text_value(key.get(), value_name.c_str(), type, value);
}

bool expand(const Text& text, Text& expanded) {
    DWORD size = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    for (int attempt = 0; attempt < 4 && size != 0; ++attempt) {
        Text buffer(size + 1, '\0');
        const DWORD needed = ExpandEnvironmentStringsA(text.c_str(), buffer.data(), size + 1);
        if (needed == 0) return false;
        if (needed <= size + 1) {
            expanded = buffer.substr(0, text_length(buffer));
            return true;
        }
        size = needed;
    }
    return false;
}

}  // namespace

Text read_registry_text(int root, std::string_view full_value_path,
                        std::optional<std::string_view> default_text) {
    const Text fallback = default_text ? Text(default_text->substr(0, text_length(*default_text))) : Text();
    const Text path(full_value_path.substr(0, text_length(full_value_path)));
    const std::size_t slash = find_last_backslash(path);
    const Text key_path = slash == Text::npos ? Text() : path.substr(0, slash);
    const Text value_name = slash == Text::npos ? path : path.substr(slash + 1);

    DWORD type = REG_NONE;
    Text value;
    LONG status = read_in_view(root, key_path, value_name, 0, type, value);
    // Missing in our view: perhaps written in the other one.
    if (status == ERROR_FILE_NOT_FOUND) status = read_in_view(root, key_path, value_name, kOtherView, type, value);
    if (status != ERROR_SUCCESS) return fallback;
    if (type == REG_SZ) return value;
    Text expanded;
    return expand(value, expanded) ? expanded : fallback;
}

}  // namespace runtime
