#pragma once

#include "platform/ui/Font.h"

#include <windows.h>

#include <map>
#include <string>

namespace discmenu::win32 {

// The fonts of one window at its dpi, made when first asked for and kept until the dpi
// changes or the window goes.
class Fonts {
public:
    Fonts() = default;
    ~Fonts() { drop(); }
    Fonts(const Fonts&) = delete;
    Fonts& operator=(const Fonts&) = delete;

    UINT dpi() const { return m_dpi; }
    void setDpi(UINT dpi);
    // A label's font.
    HFONT font(const ui::Font& font);
    // The native controls' font: the system's message font at the classic list size.
    HFONT controlFont();

private:
    void drop();

    UINT m_dpi = 96;
    std::map<std::string, HFONT> m_fonts;
    HFONT m_controlFont = nullptr;
};

} // namespace discmenu::win32
