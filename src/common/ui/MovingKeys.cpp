#include "common/ui/MovingKeys.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QKeyEvent>

namespace kurvex {

namespace {

bool IsMovingKey(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End: break;
    default: return false;
    }
    const Qt::KeyboardModifiers others =
        event.modifiers() & ~(Qt::ShiftModifier | Qt::ControlModifier | Qt::KeypadModifier);
    return others == Qt::NoModifier;
}

// A shortcut override accepted by the focus widget goes to it as a key press.
class MovingKeysFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ShortcutOverride && IsMovingKey(*static_cast<QKeyEvent*>(event))) {
            event->accept();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

void KeepMovingKeys(QAbstractItemView& view) { view.installEventFilter(new MovingKeysFilter(&view)); }

}  // namespace kurvex
