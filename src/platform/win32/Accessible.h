#pragma once

#include <windows.h>

#include <oleacc.h>

#include <string>

namespace discmenu::win32 {

class Shell;

// What a window tells a screen reader beyond what Windows knows of it, asked anew each time.
class AccessibleFacts {
public:
    virtual ~AccessibleFacts() = default;
    // The form behind the window is gone: the reader is told the object is disconnected.
    virtual bool gone() const = 0;
    virtual std::wstring accessibleName() const = 0;
};

// What a window of the program's own class tells besides: it has no standard object.
class OwnAccessibleFacts : public AccessibleFacts {
public:
    virtual LONG accessibleRole() const = 0;
    virtual LONG accessibleState() const = 0;
    // The name of the default action; empty for none.
    virtual std::wstring defaultAction() const = 0;
    // Called from the reader's request, which must return at once: the action runs later,
    // from the event loop.
    virtual void doDefaultAction() = 0;
};

// oleacc.dll and COM for the screen readers' view of the windows (MSAA), loaded when a
// reader first asks a window for its object (WM_GETOBJECT): most runs never meet a reader,
// and the start-up does not wait for them.
class Accessibility {
public:
    explicit Accessibility(Shell& shell) : m_shell(shell) {}
    Accessibility(const Accessibility&) = delete;
    Accessibility& operator=(const Accessibility&) = delete;

    // Whether oleacc and COM are there; loads them the first time.
    bool ready();
    // What a window procedure returns to give OBJECT to the reader that sent WM_GETOBJECT.
    LRESULT lresult(IAccessible* object, WPARAM wp);
    // The object Windows itself makes for a window (OBJID_CLIENT or OBJID_WINDOW), or null.
    IAccessible* standardObject(HWND window, LONG objectId);
    BSTR string(const std::wstring& text);

private:
    Shell& m_shell;
    bool m_tried = false;
    bool m_ready = false;
    LRESULT(WINAPI* m_lresultFromObject)(REFIID, WPARAM, LPUNKNOWN) = nullptr;
    HRESULT(WINAPI* m_createStdAccessibleObject)(HWND, LONG, REFIID, void**) = nullptr;
    BSTR(WINAPI* m_sysAllocStringLen)(const OLECHAR*, UINT) = nullptr;
};

class AccessibleObject;

// The accessible object of one window: made when a reader first asks for it, the same one
// after that, and cut off from the window when the window goes (a reader may hold it
// longer). A native control's is Windows' own object with the control's name; a window
// of the program's own class has a small one of its own.
class AccessibleLink {
public:
    AccessibleLink() = default;
    ~AccessibleLink();
    AccessibleLink(const AccessibleLink&) = delete;
    AccessibleLink& operator=(const AccessibleLink&) = delete;

    // The answer to WM_GETOBJECT (wp, lp) sent to WINDOW; 0 when the window's own procedure
    // is to answer (another object than the client, or no oleacc).
    LRESULT answerNative(Accessibility& a11y, HWND window, WPARAM wp, LPARAM lp,
                         AccessibleFacts& facts);
    LRESULT answerOwn(Accessibility& a11y, HWND window, WPARAM wp, LPARAM lp,
                      OwnAccessibleFacts& facts);

private:
    AccessibleObject* m_object = nullptr;
};

} // namespace discmenu::win32
