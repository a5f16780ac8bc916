#pragma once

#include "platform/ui/Font.h"
#include "platform/ui/Label.h"
#include "platform/ui/UiEvent.h"

#include <QListWidget>
#include <QWidget>
#include <functional>

namespace discmenu::qt {

// Delivers an event of one control to its form.
using Raise = std::function<void(const ui::UiEvent&)>;

QFont toQFont(const ui::Font& font);
QColor toQColor(ui::Color color);

// A label as the discs' windows draw it: its text at the top of a fixed box, wrapped at
// word boundaries and cut at the box's edges, over whatever lies behind it when it is
// transparent. It takes no focus and tells the form of clicks and mouse movement.
class LabelWidget : public QWidget {
public:
    LabelWidget(QWidget* parent, Raise raise, std::string name, int index);

    void apply(const ui::Label& label);
    QString text() const { return m_text; }
    QColor textColor() const { return m_color; }
    Qt::Alignment textAlignment() const { return m_alignment; }

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;

private:
    Raise m_raise;
    std::string m_name;
    int m_index;
    QString m_text;
    QColor m_color;
    QColor m_back;
    bool m_transparent = true;
    Qt::Alignment m_alignment = Qt::AlignLeft;
};

// A list box whose rows are as high as the discs' windows draw them.
class ListWidget : public QListWidget {
public:
    ListWidget(QWidget* parent, Raise raise, std::string name, int index);

    // Brings entries and selection in line with the data without raising anything.
    void setEntries(const std::vector<std::string>& entries, int selected);

protected:
    bool viewportEvent(QEvent* event) override;

private:
    Raise m_raise;
    std::string m_name;
    int m_index;
    bool m_syncing = false;
};

} // namespace discmenu::qt
