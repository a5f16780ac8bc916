#include "app/FormTrace.h"

#include "menu/FormMain.h"

#include <array>

namespace discmenu {
namespace {

constexpr std::array<const char*, 4> headerLabels = {"lblTitle", "lblRMATitle", "lblVersion",
                                                     "lblDate"};

} // namespace

void FormTrace::visibilityChanged(const ui::Form& form) {
    m_trace.write({form.visible() ? "show" : "hide", form.name()});
}

void FormTrace::captionChanged(const ui::Form& form) {
    m_trace.write({"caption", form.name(), form.caption()});
}

void FormTrace::settle(const ui::Form& form) {
    auto* main = dynamic_cast<const FormMain*>(&form);
    if (!main || !m_trace.enabled())
        return;
    m_header.resize(headerLabels.size());
    for (std::size_t i = 0; i < headerLabels.size(); ++i) {
        const std::string& now = main->headerLabel(headerLabels[i]).caption();
        if (m_header[i] != now) {
            m_header[i] = now;
            m_trace.write({"text", headerLabels[i], now});
        }
    }
    const auto list = [&](const char* kind, auto& last, std::vector<std::string> now) {
        if (last != now) {
            m_trace.writeList(kind, now);
            last = std::move(now);
        }
    };
    list("jobs", m_jobs, main->lstRMA().entries());
    list("items", m_items, main->visibleItems());
}

} // namespace discmenu
