#include "platform/win32/LabelLayer.h"

#include "platform/win32/Controls.h"
#include "platform/win32/Wide.h"

#include <utility>

namespace discmenu::win32 {

namespace {

COLORREF toColorRef(ui::Color c) {
    return RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
}

UINT alignmentFlag(ui::Alignment a) {
    return a == ui::Alignment::Center ? DT_CENTER : a == ui::Alignment::Right ? DT_RIGHT : DT_LEFT;
}

const ui::Label* asLabel(const ui::Control& c) {
    return c.kind() == ui::ControlKind::Label ? static_cast<const ui::Label*>(&c) : nullptr;
}

} // namespace

void LabelLayer::sync(const ui::Form& form, HWND window) {
    const auto& controls = form.controls();
    m_drawn.resize(controls.size());
    std::vector<RECT> dirty;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const ui::Label* label = asLabel(*controls[i]);
        if (!label)
            continue;
        const Look look{boxOf(*label, m_fonts.dpi()),
                        label->caption(),
                        label->font(),
                        label->foreColor(),
                        label->visible(),
                        label->transparent(),
                        label->alignment()};
        if (look == m_drawn[i])
            continue;
        dirty.push_back(m_drawn[i].box);
        dirty.push_back(look.box);
        m_drawn[i] = look;
    }
    // A hidden window is painted whole when it shows. A shown one gets one region for all
    // the boxes that changed: a call per box is a trip to the window server each (Wine).
    // The region reaches the windows that lie over labels (ItemWindow), which paint their
    // boxes themselves.
    if (dirty.empty() || !IsWindowVisible(window))
        return;
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    for (const RECT& r : dirty) {
        HRGN box = CreateRectRgnIndirect(&r);
        CombineRgn(region, region, box, RGN_OR);
        DeleteObject(box);
    }
    RedrawWindow(window, nullptr, region, RDW_INVALIDATE | RDW_ALLCHILDREN);
    DeleteObject(region);
}

void LabelLayer::paint(HDC dc, const ui::Form& form, const RECT& area) const {
    SetBkMode(dc, TRANSPARENT);
    for (const auto& control : form.controls()) {
        const ui::Label* label = asLabel(*control);
        if (!label || !label->visible())
            continue;
        RECT box = boxOf(*label, m_fonts.dpi());
        RECT common{};
        if (!IntersectRect(&common, &box, &area))
            continue;
        if (!label->transparent())
            FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
        const HGDIOBJ oldFont = SelectObject(dc, m_fonts.font(label->font()));
        SetTextColor(dc, toColorRef(label->foreColor()));
        const std::wstring text = toWide(label->caption());
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box,
                  DT_TOP | DT_WORDBREAK | DT_NOPREFIX | alignmentFlag(label->alignment()));
        SelectObject(dc, oldFont);
    }
}

const ui::Label* LabelLayer::at(const ui::Form& form, POINT p) const {
    const auto& controls = form.controls();
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
        const ui::Label* label = asLabel(**it);
        if (!label || !label->visible())
            continue;
        const RECT box = boxOf(*label, m_fonts.dpi());
        if (PtInRect(&box, p))
            return label;
    }
    return nullptr;
}

void LabelLayer::press(const ui::Label* label) {
    m_pressed = label;
    m_afterDoubleClick = false;
}

std::optional<ui::UiEvent> LabelLayer::release(const ui::Label* under) {
    const ui::Label* pressed = std::exchange(m_pressed, nullptr);
    if (std::exchange(m_afterDoubleClick, false) || !pressed || under != pressed)
        return std::nullopt;
    return ui::UiEvent::of(ui::EventKind::Click, pressed->name(), pressed->index());
}

std::optional<ui::UiEvent> LabelLayer::doubleClick(const ui::Label* under) {
    m_afterDoubleClick = true;
    m_pressed = nullptr;
    if (!under)
        return std::nullopt;
    return ui::UiEvent::of(ui::EventKind::DblClick, under->name(), under->index());
}

} // namespace discmenu::win32
