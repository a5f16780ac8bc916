#pragma once

#include "app/Trace.h"
#include "platform/ui/FormObserver.h"

#include <optional>
#include <string>
#include <vector>

namespace discmenu {

// Writes to the support trace what the forms show: each form's visibility and caption
// as they change, and, gathered once per event, the header texts, the job list and the
// visible menu items of the main window.
class FormTrace : public ui::FormObserver {
public:
    explicit FormTrace(Trace& trace) : m_trace(trace) {}

    void formCreated(const ui::Form& form) override { captionChanged(form); }
    void visibilityChanged(const ui::Form& form) override;
    void captionChanged(const ui::Form& form) override;
    void eventHandled(const ui::Form& form) override { settle(form); }

    // Writes what changed on the main window since the last time.
    void settle(const ui::Form& formMain);

private:
    Trace& m_trace;
    std::vector<std::optional<std::string>> m_header;
    std::optional<std::vector<std::string>> m_jobs;
    std::optional<std::vector<std::string>> m_items;
};

} // namespace discmenu
