#include "platform/qt/Accessible.h"

#include "platform/qt/FormWindow.h"
#include "platform/qt/Widgets.h"

#include <QAccessibleWidget>

namespace discmenu::qt {

namespace {

class LabelAccessible : public QAccessibleWidget {
public:
    explicit LabelAccessible(LabelWidget* label) : QAccessibleWidget(label), m_label(label) {}

    QAccessible::Role role() const override {
        return m_label->control().tabStop() ? QAccessible::Link : QAccessible::StaticText;
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name)
            return QString::fromStdString(m_label->control().spokenName());
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (m_label->control().tabStop())
            names.prepend(pressAction());
        return names;
    }
    void doAction(const QString& action) override {
        if (action == pressAction() && m_label->control().tabStop())
            m_label->press();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    LabelWidget* m_label;
};

// The drive list read by its name, the drive chosen as its value: Qt's own combo box names
// itself by its text on Linux.
class DrivesAccessible : public QAccessibleWidget {
public:
    explicit DrivesAccessible(DriveListWidget* drives)
        : QAccessibleWidget(drives, QAccessible::ComboBox), m_drives(drives) {}
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Value ? m_drives->currentText() : QAccessibleWidget::text(t);
    }

private:
    DriveListWidget* m_drives;
};

} // namespace

QAccessibleInterface* accessibleFor(const QString&, QObject* object) {
    if (auto* label = dynamic_cast<LabelWidget*>(object))
        return new LabelAccessible(label);
    if (auto* drives = dynamic_cast<DriveListWidget*>(object))
        return new DrivesAccessible(drives);
    if (auto* window = dynamic_cast<FormWindow*>(object))
        return new QAccessibleWidget(window, window->isDialog() ? QAccessible::Dialog
                                                                : QAccessible::Window);
    return nullptr;
}

} // namespace discmenu::qt
