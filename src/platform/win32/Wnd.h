#pragma once

#include <windows.h>

#include <functional>

namespace discmenu::win32 {

// A window made by the program whose messages all reach one member handler. A window of
// the program's own class is tied to its object at creation; a native control (list box,
// button, edit) is subclassed. The object destroys its window when it goes; the window
// forgets the object first, so no message reaches a half-destroyed object.
class Wnd {
public:
    Wnd() = default;
    virtual ~Wnd();
    Wnd(const Wnd&) = delete;
    Wnd& operator=(const Wnd&) = delete;

    HWND hwnd() const { return m_hwnd; }

    // Registers a window class of the program whose window procedure is Wnd's.
    static void registerClass(HINSTANCE instance, const wchar_t* name, UINT style, HICON icon);

protected:
    // Creates a window of a class registered by registerClass, tied to this object.
    void createOwn(DWORD exStyle, const wchar_t* className, DWORD style, int x, int y, int w, int h,
                   HWND parent, HINSTANCE instance);
    // Creates a native control at BOX of its parent's client area and subclasses it.
    void createNative(DWORD exStyle, const wchar_t* className, DWORD style, HWND parent, int id,
                      const RECT& box);

    // Every message of the window. The default hands it to the window's own procedure.
    virtual LRESULT onMessage(UINT msg, WPARAM wp, LPARAM lp);

private:
    static LRESULT CALLBACK ownProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK subclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                         DWORD_PTR data);

    HWND m_hwnd = nullptr;
    bool m_native = false;
};

// Paints a window's client area of the given size through a bitmap, then copies the part
// the paint is for to the window: what draw paints in layers never flickers on screen.
void paintOffScreen(HDC dc, const PAINTSTRUCT& ps, const RECT& client,
                    const std::function<void(HDC)>& draw);

} // namespace discmenu::win32
