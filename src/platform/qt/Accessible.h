#pragma once

class QAccessibleInterface;
class QObject;
class QString;

namespace discmenu::qt {

// What a screen reader is told of the program's own widgets: a label that is a tab stop
// is a link with a press action (its click), any other label static text, each read by
// its control's name or caption; a form's window is a window, or a dialog. Installed with
// QAccessible::installFactory once the application object exists (before, it is never
// asked).
QAccessibleInterface* accessibleFor(const QString& className, QObject* object);

} // namespace discmenu::qt
