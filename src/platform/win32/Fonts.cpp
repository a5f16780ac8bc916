#include "platform/win32/Fonts.h"

#include "platform/ui/Look.h"
#include "platform/win32/Wide.h"

#include <cmath>

namespace discmenu::win32 {

void Fonts::setDpi(UINT dpi) {
    if (dpi == m_dpi)
        return;
    drop();
    m_dpi = dpi;
}

HFONT Fonts::font(const ui::Font& font) {
    const std::string key = font.face + "|" + std::to_string(font.points) + "|" +
                            std::to_string(font.bold) + std::to_string(font.italic) +
                            std::to_string(font.underline);
    HFONT& f = m_fonts[key];
    if (!f) {
        LOGFONTW lf{};
        // Exact point sizes: 8.25 pt is 11 pixels at 96 dots per inch. At other dpis a
        // fraction of a pixel is dropped, never rounded up: the label boxes were laid out for
        // 96 dpi, some with a pixel to spare, and a font that grew faster than its box would
        // wrap the last word out of it (9.75 pt "Browse this CD" at 144 dpi).
        lf.lfHeight = -static_cast<LONG>(std::floor(font.points * m_dpi / 72.0 + 1e-6));
        lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = font.italic;
        lf.lfUnderline = font.underline;
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.lfQuality = DEFAULT_QUALITY;
        const std::wstring face = toWide(font.face);
        wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
        f = CreateFontIndirectW(&lf);
    }
    return f;
}

HFONT Fonts::controlFont() {
    if (!m_controlFont) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        LOGFONTW lf = metrics.lfMessageFont;
        lf.lfHeight = -MulDiv(ui::look::ListFontPixels, static_cast<int>(m_dpi), 96);
        m_controlFont = CreateFontIndirectW(&lf);
    }
    return m_controlFont;
}

void Fonts::drop() {
    for (auto& [key, font] : m_fonts)
        DeleteObject(font);
    m_fonts.clear();
    if (m_controlFont)
        DeleteObject(m_controlFont);
    m_controlFont = nullptr;
}

} // namespace discmenu::win32
