#include "ui/control_accessible.h"

#include <commctrl.h>
#include <ole2.h>
#include <oleacc.h>

#include <new>

#include "runtime/dll_command.h"
#include "ui/accessible_texts.h"

namespace ui {
namespace {

constexpr UINT_PTR kAccessibleSubclassId = 2;

// Looked up, not imported: nothing of it is needed until a screen reader asks.
struct AccessibilityEntries {
    decltype(&LresultFromObject) lresult_from_object = nullptr;
    decltype(&CreateStdAccessibleObject) create_standard_object = nullptr;
    decltype(&SysAllocStringLen) allocate_string = nullptr;
};

template <typename Function>
void find_entry(HMODULE module, const char* name, Function*& entry) {
    // Through void*: FARPROC says nothing of the entry's type.
    if (module != nullptr) entry = reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// Bound once, and the DLLs kept for good: the objects handed out may hold
// standard objects of oleacc's until the clients let go.
const AccessibilityEntries* accessibility_entries() {
    static bool tried = false;
    static AccessibilityEntries entries;
    if (!tried) {
        tried = true;
        // LresultFromObject marshals the object: the thread must be in an
        // apartment. Left in it: the folder dialog's session nests inside.
        if (FAILED(OleInitialize(nullptr))) return nullptr;
        const HMODULE oleacc = runtime::load_declared_dll("oleacc.dll", LoadLibraryA);
        const HMODULE oleaut32 = runtime::load_declared_dll("oleaut32.dll", LoadLibraryA);
        find_entry(oleacc, "LresultFromObject", entries.lresult_from_object);
        find_entry(oleacc, "CreateStdAccessibleObject", entries.create_standard_object);
        find_entry(oleaut32, "SysAllocStringLen", entries.allocate_string);
    }
    const bool complete = entries.lresult_from_object != nullptr && entries.allocate_string != nullptr;
    return complete ? &entries : nullptr;
}

// A GBK text as the BSTR the client frees.
HRESULT to_bstr(const AccessibilityEntries& entries, const char* text, BSTR* out) {
    *out = nullptr;
    if (text == nullptr) return S_FALSE;
    const int length = MultiByteToWideChar(936, 0, text, -1, nullptr, 0);
    if (length <= 0) return E_FAIL;
    *out = entries.allocate_string(nullptr, static_cast<UINT>(length - 1));
    if (*out == nullptr) return E_OUTOFMEMORY;
    MultiByteToWideChar(936, 0, text, -1, *out, length);
    return S_OK;
}

bool is_self(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

class ControlAccessible final : public IAccessible {
public:
    ControlAccessible(const AccessibilityEntries& entries, HWND control, const ControlRecord& record,
                      IAccessible* standard)
        : entries_(entries), control_(control), record_(record), standard_(standard) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (id != __uuidof(IUnknown) && id != __uuidof(IDispatch) && id != __uuidof(IAccessible)) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    // No type information: clients call IAccessible directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // What the control is: ours.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!is_self(child)) return E_INVALIDARG;
        return to_bstr(entries_, accessible_texts(record_).name.c_str(), name);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        if (!is_self(child)) return E_INVALIDARG;
        return to_bstr(entries_, accessible_texts(record_).description, description);
    }
    // The path field's value is the game folder it shows.
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        if (!is_self(child)) return E_INVALIDARG;
        if (record_.kind == Kind::kButton) return to_bstr(entries_, nullptr, value);
        char text[MAX_PATH + 1] = {};
        GetWindowTextA(control_, text, sizeof text);
        return to_bstr(entries_, text, value);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!is_self(child)) return E_INVALIDARG;
        role->vt = VT_I4;
        role->lVal = accessible_texts(record_).role;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (!is_self(child)) return E_INVALIDARG;
        long flags = record_.tab_stop ? STATE_SYSTEM_FOCUSABLE : STATE_SYSTEM_READONLY;
        if (record_.tab_stop && GetFocus() == control_) flags |= STATE_SYSTEM_FOCUSED;
        if (!IsWindowVisible(control_)) flags |= STATE_SYSTEM_INVISIBLE;
        if (!IsWindowEnabled(control_)) flags |= STATE_SYSTEM_UNAVAILABLE;
        state->vt = VT_I4;
        state->lVal = flags;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
        if (!is_self(child)) return E_INVALIDARG;
        RECT rect;
        if (!GetWindowRect(control_, &rect)) return E_FAIL;
        *left = rect.left;
        *top = rect.top;
        *width = rect.right - rect.left;
        *height = rect.bottom - rect.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch** child) override {
        *child = nullptr;
        return E_INVALIDARG;
    }

    // Where it stands among the others and what pressing it means: the
    // system's standard object knows, where the system has one.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        *parent = nullptr;
        return standard_ ? standard_->get_accParent(parent) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return standard_ ? standard_->get_accHelp(child, help) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return standard_ ? standard_->get_accHelpTopic(file, child, topic) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return standard_ ? standard_->get_accKeyboardShortcut(child, shortcut) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        return standard_ ? standard_->get_accFocus(focus) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        return standard_ ? standard_->get_accSelection(selection) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return standard_ ? standard_->get_accDefaultAction(child, action) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return standard_ ? standard_->accSelect(flags, child) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return standard_ ? standard_->accNavigate(direction, start, end) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override {
        return standard_ ? standard_->accHitTest(left, top, child) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return standard_ ? standard_->accDoDefaultAction(child) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~ControlAccessible() {
        if (standard_ != nullptr) standard_->Release();
    }

    const AccessibilityEntries& entries_;
    HWND control_;
    const ControlRecord& record_;  // the table's, constant for the whole run
    IAccessible* standard_;        // owned; null where the system has none (Wine's buttons)
    ULONG references_ = 1;
};

LRESULT client_object(HWND control, const ControlRecord& record, WPARAM wparam) {
    const AccessibilityEntries* entries = accessibility_entries();
    if (entries == nullptr) return 0;
    IAccessible* standard = nullptr;
    if (entries->create_standard_object == nullptr ||
        FAILED(entries->create_standard_object(control, OBJID_CLIENT, __uuidof(IAccessible),
                                               reinterpret_cast<void**>(&standard))))
        standard = nullptr;
    auto* object = new (std::nothrow) ControlAccessible(*entries, control, record, standard);
    if (object == nullptr) {
        if (standard != nullptr) standard->Release();
        return 0;
    }
    // The result holds a reference of its own until the client takes it.
    const LRESULT result = entries->lresult_from_object(__uuidof(IAccessible), wparam, object);
    object->Release();
    return result > 0 ? result : 0;
}

LRESULT CALLBACK accessible_proc(HWND control, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                 DWORD_PTR record) {
    // The object id is a 32-bit value, sign-extended or not in a 64-bit lparam.
    if (message == WM_GETOBJECT && static_cast<DWORD>(lparam) == static_cast<DWORD>(OBJID_CLIENT)) {
        if (const LRESULT answer = client_object(control, *reinterpret_cast<const ControlRecord*>(record), wparam))
            return answer;
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(control, accessible_proc, kAccessibleSubclassId);
    }
    return DefSubclassProc(control, message, wparam, lparam);
}

}  // namespace

bool make_accessible(HWND control, const ControlRecord& record) {
    return SetWindowSubclass(control, accessible_proc, kAccessibleSubclassId, reinterpret_cast<DWORD_PTR>(&record)) !=
           FALSE;
}

}  // namespace ui
