// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "ui/win32/AccessibleControl.h"

#include <commctrl.h>
#include <oleacc.h>
#include <utility>

namespace tallywick {

namespace {

constexpr UINT_PTR kSubclassId = 0x7A11;

template <typename Function> Function entryPoint(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(module != nullptr ? ::GetProcAddress(module, name) : nullptr));
}

// The accessibility and automation libraries, loaded when a screen reader
// first asks: a program that nobody reads aloud starts without them. From the
// system folder only: oleacc.dll is no known DLL, and one of that name beside
// the program (in Downloads, say) would otherwise be loaded first.
struct AccessibilityLibraries {
    decltype(&::CreateStdAccessibleObject) createStandard = nullptr;
    decltype(&::LresultFromObject) result = nullptr;
    decltype(&::SysAllocStringLen) allocString = nullptr;

    [[nodiscard]] bool loaded() const {
        return createStandard != nullptr && result != nullptr && allocString != nullptr;
    }

    static const AccessibilityLibraries& get() {
        static const AccessibilityLibraries libraries = [] {
            const HMODULE oleacc =
                ::LoadLibraryExW(L"oleacc.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
            const HMODULE oleaut =
                ::LoadLibraryExW(L"oleaut32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
            AccessibilityLibraries found;
            found.createStandard =
                entryPoint<decltype(found.createStandard)>(oleacc, "CreateStdAccessibleObject");
            found.result = entryPoint<decltype(found.result)>(oleacc, "LresultFromObject");
            found.allocString =
                entryPoint<decltype(found.allocString)>(oleaut, "SysAllocStringLen");
            return found;
        }();
        return libraries;
    }
};

bool isSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

HRESULT answer(const std::wstring& text, BSTR* out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = AccessibilityLibraries::get().allocString(text.data(), static_cast<UINT>(text.size()));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

// The control's standard accessible object with the name, value and role
// given in its place.
class NamedAccessible final : public IAccessible {
public:
    NamedAccessible(IAccessible* standard, AccessibleNames names)
        : standard_(standard), names_(std::move(names)) {}
    NamedAccessible(const NamedAccessible&) = delete;
    NamedAccessible& operator=(const NamedAccessible&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ::InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = ::InterlockedDecrement(&references_);
        if (left == 0) {
            delete this;
        }
        return left;
    }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return standard_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return standard_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return standard_->GetIDsOfNames(id, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argument) override {
        return standard_->Invoke(member, id, locale, flags, parameters, result, exception,
                                 argument);
    }

    // IAccessible: the three answers of our own.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (isSelf(child) && names_.name) {
            return answer(names_.name(), name);
        }
        return standard_->get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        if (isSelf(child) && names_.value) {
            return answer(names_.value(), value);
        }
        return standard_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (isSelf(child) && names_.role != 0 && role != nullptr) {
            role->vt = VT_I4;
            role->lVal = names_.role;
            return S_OK;
        }
        return standard_->get_accRole(child, role);
    }

    // IAccessible: the rest as the system answers it.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        return standard_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return standard_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return standard_->get_accDescription(child, description);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return standard_->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return standard_->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return standard_->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return standard_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return standard_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return standard_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override {
        return standard_->accHitTest(left, top, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return standard_->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return standard_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return standard_->put_accValue(child, value);
    }

private:
    ~NamedAccessible() { standard_->Release(); }

    IAccessible* standard_;
    AccessibleNames names_;
    LONG references_ = 1;
};

LRESULT CALLBACK accessibleSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR /*id*/, DWORD_PTR data) {
    auto* names = reinterpret_cast<AccessibleNames*>(data);
    switch (message) {
    case WM_GETOBJECT:
        if (static_cast<LONG>(lParam) == static_cast<LONG>(OBJID_CLIENT) &&
            AccessibilityLibraries::get().loaded()) {
            const AccessibilityLibraries& libraries = AccessibilityLibraries::get();
            IAccessible* standard = nullptr;
            if (SUCCEEDED(libraries.createStandard(window, OBJID_CLIENT, __uuidof(IAccessible),
                                                   reinterpret_cast<void**>(&standard)))) {
                auto* named = new NamedAccessible(standard, *names);
                const LRESULT result = libraries.result(__uuidof(IAccessible), wParam, named);
                named->Release();
                return result;
            }
        }
        break;
    case WM_NCDESTROY:
        ::RemoveWindowSubclass(window, accessibleSubclass, kSubclassId);
        delete names;
        break;
    default:
        break;
    }
    return ::DefSubclassProc(window, message, wParam, lParam);
}

} // namespace

void makeAccessible(HWND control, AccessibleNames names) {
    auto* owned = new AccessibleNames(std::move(names));
    if (!::SetWindowSubclass(control, accessibleSubclass, kSubclassId,
                             reinterpret_cast<DWORD_PTR>(owned))) {
        delete owned;
    }
}

} // namespace tallywick
