#include "ui/accessible.h"

#include <oleacc.h>

#include "platform/optional_api.h"
#include "platform/system.h"

namespace brontal::ui {
namespace {

// IID_IAccessible, spelt out: the import library that defines it would also
// bind the program to oleacc.dll at start-up.
constexpr IID kIidAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

bool isSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

BSTR bstr(const std::wstring& text) {
    auto alloc = platform::accessibilityApi().sysAllocStringLen;
    return text.empty() || !alloc ? nullptr : alloc(text.data(), static_cast<UINT>(text.size()));
}

// The system's object for the window, with the control's own name, role and
// state for the window itself; the children (a list's items) and everything
// else are the system's.
class ControlAccessible final : public IAccessible {
public:
    ControlAccessible(HWND hwnd, IAccessible* standard, AccessibleFacts (*facts)(HWND))
        : hwnd_(hwnd), std_(standard), facts_(facts) {}
    ~ControlAccessible() { std_->Release(); }
    ControlAccessible(const ControlAccessible&) = delete;
    ControlAccessible& operator=(const ControlAccessible&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == kIidAccessible) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        // IEnumVARIANT and the like: the system's object answers for the children.
        return std_->QueryInterface(iid, out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        LONG left = InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // IDispatch: not offered; clients use the vtable.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
        if (n) *n = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible: what is the control's own.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!isSelf(child)) return std_->get_accName(child, name);
        if (!name) return E_POINTER;
        AccessibleFacts f;
        if (!current(f)) return RPC_E_DISCONNECTED;
        *name = bstr(f.name);
        return *name ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        if (!isSelf(child)) return std_->get_accDescription(child, text);
        if (!text) return E_POINTER;
        AccessibleFacts f;
        if (!current(f)) return RPC_E_DISCONNECTED;
        *text = f.description != f.name ? bstr(f.description) : nullptr;
        return *text ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!isSelf(child)) return std_->get_accRole(child, role);
        if (!role) return E_POINTER;
        AccessibleFacts f;
        if (!current(f)) return RPC_E_DISCONNECTED;
        role->vt = VT_I4;
        role->lVal = f.role;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (!isSelf(child)) return std_->get_accState(child, state);
        if (!state) return E_POINTER;
        AccessibleFacts f;
        if (!current(f)) return RPC_E_DISCONNECTED;
        long s = 0;
        if (!IsWindowEnabled(hwnd_)) s |= STATE_SYSTEM_UNAVAILABLE;
        if (!IsWindowVisible(hwnd_)) s |= STATE_SYSTEM_INVISIBLE;
        if (f.focusable) s |= STATE_SYSTEM_FOCUSABLE;
        if (GetFocus() == hwnd_) s |= STATE_SYSTEM_FOCUSED;
        if (f.checked) s |= STATE_SYSTEM_CHECKED;
        if (f.readOnly) s |= STATE_SYSTEM_READONLY;
        state->vt = VT_I4;
        state->lVal = s;
        return S_OK;
    }

    // The rest is the system's.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** p) override { return std_->get_accParent(p); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* n) override { return std_->get_accChildCount(n); }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT c, IDispatch** p) override { return std_->get_accChild(c, p); }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT c, BSTR* v) override { return std_->get_accValue(c, v); }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT c, BSTR* h) override { return std_->get_accHelp(c, h); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* f, VARIANT c, LONG* t) override {
        return std_->get_accHelpTopic(f, c, t);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT c, BSTR* k) override {
        return std_->get_accKeyboardShortcut(c, k);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* f) override { return std_->get_accFocus(f); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* s) override { return std_->get_accSelection(s); }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT c, BSTR* a) override {
        return std_->get_accDefaultAction(c, a);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT c) override { return std_->accSelect(flags, c); }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* w, LONG* h, VARIANT c) override {
        return std_->accLocation(x, y, w, h, c);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG dir, VARIANT start, VARIANT* end) override {
        return std_->accNavigate(dir, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* c) override { return std_->accHitTest(x, y, c); }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT c) override { return std_->accDoDefaultAction(c); }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    // A client may keep the object after the control has gone.
    bool current(AccessibleFacts& f) const {
        if (!IsWindow(hwnd_)) return false;
        f = facts_(hwnd_);
        return f.role != 0;
    }

    LONG refs_ = 1;
    HWND hwnd_;
    IAccessible* std_;
    AccessibleFacts (*facts_)(HWND);
};

} // namespace

LRESULT answerGetObject(HWND hwnd, WPARAM wp, LPARAM lp, AccessibleFacts (*facts)(HWND)) {
    if (static_cast<LONG>(lp) != OBJID_CLIENT) return 0;
    const auto& api = platform::accessibilityApi();
    if (!api.lresultFromObject || !api.createStdAccessibleObject) return 0;
    // The object goes to the reader's process through COM.
    platform::ensureComForShell();
    IAccessible* standard = nullptr;
    if (FAILED(api.createStdAccessibleObject(hwnd, OBJID_CLIENT, kIidAccessible, reinterpret_cast<void**>(&standard))) ||
        !standard) {
        OutputDebugStringW(L"Brontal32: no standard accessible object for a control\n");
        return 0;
    }
    auto* object = new ControlAccessible(hwnd, standard, facts);
    LRESULT answer = api.lresultFromObject(kIidAccessible, wp, object);
    object->Release();
    return answer;
}

} // namespace brontal::ui
