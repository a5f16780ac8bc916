#include "platform/win32/Accessible.h"

#include "platform/win32/Shell.h"
#include "platform/win32/SystemLibrary.h"

namespace discmenu::win32 {

namespace {

bool isSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

void setSelf(VARIANT* out, bool self) {
    out->vt = self ? VT_I4 : VT_EMPTY;
    out->lVal = CHILDID_SELF;
}

} // namespace

bool Accessibility::ready() {
    if (!m_tried) {
        m_tried = true;
        const HMODULE oleacc = loadSystemLibrary(L"oleacc.dll");
        const HMODULE oleaut = loadSystemLibrary(L"oleaut32.dll");
        m_lresultFromObject =
            libraryFunction<decltype(m_lresultFromObject)>(oleacc, "LresultFromObject");
        m_createStdAccessibleObject = libraryFunction<decltype(m_createStdAccessibleObject)>(
            oleacc, "CreateStdAccessibleObject");
        m_sysAllocStringLen =
            libraryFunction<decltype(m_sysAllocStringLen)>(oleaut, "SysAllocStringLen");
        // The objects reach the reader's process through COM, from this thread.
        m_ready = m_lresultFromObject && m_createStdAccessibleObject && m_sysAllocStringLen &&
                  m_shell.startCom();
    }
    return m_ready;
}

LRESULT Accessibility::lresult(IAccessible* object, WPARAM wp) {
    // __uuidof, not MinGW's IID_IAccessible: Wine answers that one with E_NOINTERFACE.
    return m_lresultFromObject(__uuidof(IAccessible), wp, object);
}

IAccessible* Accessibility::standardObject(HWND window, LONG objectId) {
    void* object = nullptr;
    if (FAILED(m_createStdAccessibleObject(window, objectId, __uuidof(IAccessible), &object)))
        return nullptr;
    return static_cast<IAccessible*>(object);
}

BSTR Accessibility::string(const std::wstring& text) {
    return m_sysAllocStringLen(text.c_str(), static_cast<UINT>(text.size()));
}

// What both kinds of object share: COM's reference count, no type information, the facts
// of the window, and the cut from the window when it goes.
class AccessibleObject : public IAccessible {
public:
    AccessibleObject(Accessibility& a11y, HWND window, AccessibleFacts& facts)
        : m_a11y(&a11y), m_window(window), m_facts(&facts) {}
    virtual ~AccessibleObject() = default;
    void disconnect() { m_facts = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out)
            return E_POINTER;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) ||
            iid == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        return otherInterface(iid, out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --m_refs;
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

protected:
    virtual HRESULT otherInterface(REFIID, void** out) {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    bool connected() const { return m_facts && !m_facts->gone(); }
    // A text of the object itself: none (DISP_E_MEMBERNOTFOUND) when empty.
    HRESULT text(const VARIANT& child, BSTR* out, const std::wstring& value) {
        *out = nullptr;
        if (!connected())
            return RPC_E_DISCONNECTED;
        if (!isSelf(child))
            return E_INVALIDARG;
        if (value.empty())
            return DISP_E_MEMBERNOTFOUND;
        *out = m_a11y->string(value);
        return *out ? S_OK : E_OUTOFMEMORY;
    }

    Accessibility* m_a11y;
    HWND m_window;
    AccessibleFacts* m_facts;

private:
    ULONG m_refs = 1;
};

namespace {

// The object of a window of the program's own: a single element with no children, whose
// place is the window's.
class OwnObject final : public AccessibleObject {
public:
    OwnObject(Accessibility& a11y, HWND window, OwnAccessibleFacts& facts)
        : AccessibleObject(a11y, window, facts), m_own(facts) {}

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** out) override {
        // As Windows' own objects do: the window object of the same window, whose parent is
        // the form's window.
        *out = connected() ? m_a11y->standardObject(m_window, OBJID_WINDOW) : nullptr;
        return *out ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch** out) override {
        *out = nullptr;
        return E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override {
        return text(child, out, connected() ? m_own.accessibleName() : std::wstring());
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* out) override {
        return text(child, out, {});
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override {
        return text(child, out, {});
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override {
        return number(child, out, [this] { return m_own.accessibleRole(); });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* out) override {
        return number(child, out, [this] { return m_own.accessibleState(); });
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* out) override {
        return text(child, out, {});
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) override {
        *file = nullptr;
        *topic = 0;
        return DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* out) override {
        return text(child, out, {});
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
        setSelf(out, connected() && GetFocus() == m_window);
        return out->vt == VT_EMPTY ? S_FALSE : S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
        setSelf(out, false);
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override {
        return text(child, out, connected() ? m_own.defaultAction() : std::wstring());
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
        if (!connected())
            return RPC_E_DISCONNECTED;
        if (!isSelf(child))
            return E_INVALIDARG;
        if (!(flags & SELFLAG_TAKEFOCUS) || !(m_own.accessibleState() & STATE_SYSTEM_FOCUSABLE))
            return DISP_E_MEMBERNOTFOUND;
        SetFocus(m_window);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* w, LONG* h,
                                          VARIANT child) override {
        RECT r{};
        if (!connected())
            return RPC_E_DISCONNECTED;
        if (!isSelf(child))
            return E_INVALIDARG;
        GetWindowRect(m_window, &r);
        *x = r.left;
        *y = r.top;
        *w = r.right - r.left;
        *h = r.bottom - r.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG, VARIANT, VARIANT* out) override {
        setSelf(out, false);
        return DISP_E_MEMBERNOTFOUND; // the form window's object knows the neighbours
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* out) override {
        RECT r{};
        GetWindowRect(m_window, &r);
        setSelf(out, connected() && PtInRect(&r, POINT{x, y}));
        return out->vt == VT_EMPTY ? S_FALSE : S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (!connected())
            return RPC_E_DISCONNECTED;
        if (!isSelf(child))
            return E_INVALIDARG;
        if (m_own.defaultAction().empty())
            return DISP_E_MEMBERNOTFOUND;
        m_own.doDefaultAction();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    template <class F> HRESULT number(const VARIANT& child, VARIANT* out, F value) {
        out->vt = VT_EMPTY;
        if (!connected())
            return RPC_E_DISCONNECTED;
        if (!isSelf(child))
            return E_INVALIDARG;
        out->vt = VT_I4;
        out->lVal = value();
        return S_OK;
    }

    OwnAccessibleFacts& m_own;
};

// Windows' own object of a native control, with the control's name: a list or a text box
// has no caption of its own to be read by.
class NamedObject final : public AccessibleObject {
public:
    NamedObject(Accessibility& a11y, HWND window, AccessibleFacts& facts, IAccessible* inner)
        : AccessibleObject(a11y, window, facts), m_inner(inner) {}
    ~NamedObject() override { m_inner->Release(); }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override {
        const std::wstring name =
            connected() && isSelf(child) ? m_facts->accessibleName() : std::wstring();
        return name.empty() ? m_inner->get_accName(child, out) : text(child, out, name);
    }
    // The rest is Windows' own.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** out) override {
        return m_inner->get_accParent(out);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        return m_inner->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        return m_inner->get_accChild(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* out) override {
        return m_inner->get_accValue(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override {
        return m_inner->get_accDescription(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override {
        return m_inner->get_accRole(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* out) override {
        return m_inner->get_accState(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* out) override {
        return m_inner->get_accHelp(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return m_inner->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* out) override {
        return m_inner->get_accKeyboardShortcut(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
        return m_inner->get_accFocus(out);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
        return m_inner->get_accSelection(out);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override {
        return m_inner->get_accDefaultAction(child, out);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
        return m_inner->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* w, LONG* h,
                                          VARIANT child) override {
        return m_inner->accLocation(x, y, w, h, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* out) override {
        return m_inner->accNavigate(direction, start, out);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* out) override {
        return m_inner->accHitTest(x, y, out);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return m_inner->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return m_inner->put_accValue(child, value);
    }

protected:
    // The standard object's other faces (its window, its children's enumeration).
    HRESULT otherInterface(REFIID iid, void** out) override {
        return m_inner->QueryInterface(iid, out);
    }

private:
    IAccessible* m_inner;
};

bool asksForClient(LPARAM lp) {
    return static_cast<LONG>(lp) == OBJID_CLIENT;
}

} // namespace

AccessibleLink::~AccessibleLink() {
    if (m_object) {
        m_object->disconnect();
        m_object->Release();
    }
}

LRESULT AccessibleLink::answerNative(Accessibility& a11y, HWND window, WPARAM wp, LPARAM lp,
                                     AccessibleFacts& facts) {
    if (!asksForClient(lp) || facts.gone() || !a11y.ready())
        return 0;
    if (!m_object) {
        IAccessible* standard = a11y.standardObject(window, OBJID_CLIENT);
        if (!standard)
            return 0;
        m_object = new NamedObject(a11y, window, facts, standard);
    }
    return a11y.lresult(m_object, wp);
}

LRESULT AccessibleLink::answerOwn(Accessibility& a11y, HWND window, WPARAM wp, LPARAM lp,
                                  OwnAccessibleFacts& facts) {
    if (!asksForClient(lp) || facts.gone() || !a11y.ready())
        return 0;
    if (!m_object)
        m_object = new OwnObject(a11y, window, facts);
    return a11y.lresult(m_object, wp);
}

} // namespace discmenu::win32
