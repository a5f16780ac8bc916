#pragma once

#include "platform/ui/Form.h"
#include "platform/ui/Label.h"
#include "platform/ui/UiEvent.h"
#include "platform/win32/Fonts.h"

#include <windows.h>

#include <optional>
#include <vector>

namespace discmenu::win32 {

// The labels of a form, which the form's window paints (transparent, top aligned, wrapped
// at word boundaries, clipped to their boxes) over its picture, as do the windows that lie
// over them for the keyboard and screen readers (ItemWindow); the form's window finds the
// label under the pointer, and turns presses on labels into clicks.
class LabelLayer {
public:
    explicit LabelLayer(Fonts& fonts) : m_fonts(fonts) {}

    // Takes the labels' looks from the data; the boxes of those that changed are repainted
    // together, in one region, when the window is shown.
    void sync(const ui::Form& form, HWND window);
    // Everything is painted afresh (a new dpi).
    void forgetLooks() { m_drawn.clear(); }
    // The labels that meet AREA of the client area: each is clipped to its box.
    void paint(HDC dc, const ui::Form& form, const RECT& area) const;
    // The label under a point of the client area, the one created last where they overlap.
    const ui::Label* at(const ui::Form& form, POINT p) const;

    // The left button: a press and a release on the same label is its Click; the release
    // that ends a double-click makes no second Click.
    void press(const ui::Label* label);
    std::optional<ui::UiEvent> release(const ui::Label* under);
    std::optional<ui::UiEvent> doubleClick(const ui::Label* under);

private:
    // What a label looked like when last painted; a change repaints its old and new boxes.
    struct Look {
        RECT box{};
        std::string caption;
        ui::Font font;
        ui::Color color = 0;
        bool visible = false;
        bool transparent = true;
        ui::Alignment alignment = ui::Alignment::Left;
        bool operator==(const Look& o) const {
            return EqualRect(&box, &o.box) && caption == o.caption && font == o.font &&
                   color == o.color && visible == o.visible && transparent == o.transparent &&
                   alignment == o.alignment;
        }
    };

    Fonts& m_fonts;
    std::vector<Look> m_drawn; // by the control's place in the form
    const ui::Label* m_pressed = nullptr;
    bool m_afterDoubleClick = false;
};

} // namespace discmenu::win32
