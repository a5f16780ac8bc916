#include "platform/qt/KeyboardFocus.h"

#include "platform/ui/Button.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <algorithm>

namespace discmenu::qt {

namespace {

bool byKeyboard(Qt::FocusReason reason) {
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason;
}

} // namespace

void KeyboardFocus::sync(ui::Form& form, const std::vector<std::unique_ptr<ControlView>>& views) {
    for (std::size_t i = m_watched.size(); i < views.size(); ++i) {
        views[i]->widget()->installEventFilter(this);
        m_watched.emplace_back(views[i]->widget(), &views[i]->control());
    }
    auto widgetOf = [&](const ui::Control* c) {
        auto at = std::find_if(m_watched.begin(), m_watched.end(),
                               [c](const auto& w) { return w.second == c; });
        return at == m_watched.end() ? nullptr : at->first;
    };
    for (const auto& [widget, control] : m_watched) {
        const Qt::FocusPolicy policy = !control->tabStop() ? Qt::NoFocus
                                       : control->kind() == ui::ControlKind::Label
                                           ? Qt::TabFocus // never from the mouse
                                           : Qt::StrongFocus;
        if (widget->focusPolicy() != policy)
            widget->setFocusPolicy(policy);
        const QString name = QString::fromStdString(control->spokenName());
        if (widget->accessibleName() != name)
            widget->setAccessibleName(name);
    }
    std::vector<QWidget*> chain;
    for (const ui::Control* c : form.tabOrder())
        chain.push_back(widgetOf(c));
    if (chain != m_chain) {
        m_chain = chain;
        for (std::size_t i = 1; i < chain.size(); ++i)
            QWidget::setTabOrder(chain[i - 1], chain[i]);
    }
    if (ui::Control* wanted = form.takeFocusRequest()) {
        // A label takes it as from the keyboard (its frame shows); the program asks for it
        // only while the keyboard is in use.
        if (QWidget* w = widgetOf(wanted))
            w->setFocus(wanted->kind() == ui::ControlKind::Label ? Qt::TabFocusReason
                                                                 : Qt::OtherFocusReason);
    }
}

bool KeyboardFocus::pressButton(const QKeyEvent& event, const ui::Form& form) {
    const bool escape = event.key() == Qt::Key_Escape;
    if (!escape && event.key() != Qt::Key_Return && event.key() != Qt::Key_Enter)
        return false;
    for (const auto& c : form.controls()) {
        if (c->kind() != ui::ControlKind::Button || !c->visible())
            continue;
        const auto& button = static_cast<const ui::Button&>(*c);
        if (escape ? button.isCancel() : button.isDefault()) {
            ui::UiEvent click =
                ui::UiEvent::of(ui::EventKind::Click, button.name(), button.index());
            click.byKeyboard = true;
            m_host.raise(click);
            return true;
        }
    }
    return false;
}

bool KeyboardFocus::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn &&
        byKeyboard(static_cast<QFocusEvent*>(event)->reason())) {
        auto at = std::find_if(m_watched.begin(), m_watched.end(),
                               [watched](const auto& w) { return w.first == watched; });
        if (at != m_watched.end())
            m_host.raise(
                ui::UiEvent::of(ui::EventKind::GotFocus, at->second->name(), at->second->index()));
    }
    return false;
}

} // namespace discmenu::qt
