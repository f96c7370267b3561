#include "common/ui/AccessibleToolBar.h"

#include <QAction>
#include <QEvent>
#include <QPointer>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>

namespace kurvex {

namespace {

QString WithoutMnemonic(const QString& text)
{
    QString plain;
    plain.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&')) {
            // "&&" is an ampersand; a single one marks the next letter.
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('&')) {
                plain.append(QLatin1Char('&'));
                ++i;
            }
            continue;
        }
        plain.append(text.at(i));
    }
    return plain;
}

void NameButtons(QToolBar& bar)
{
    for (QAction* action : bar.actions()) {
        if (action->isSeparator())
            continue;
        QWidget* button = bar.widgetForAction(action);
        if (!button)
            continue;
        const QString name = AccessibleNameOfAction(*action);
        if (button->accessibleName() != name)
            button->setAccessibleName(name);
    }
}

void Prepare(QToolBar& bar)
{
    if (auto* more = bar.findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
        more->setAccessibleName(QStringLiteral("Weitere Schaltflächen"));
    NameButtons(bar);
}

// The bar makes a button only after it has seen the new action: the names
// follow once the event has been handled.
class ToolBarWatcher : public QObject {
public:
    explicit ToolBarWatcher(QToolBar& bar) : QObject(&bar), m_watched(&bar), m_bar(&bar) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The bar also sends events while it is being destroyed, when it is no
        // longer a tool bar: only its action events are looked at.
        const bool actions = event->type() == QEvent::ActionAdded || event->type() == QEvent::ActionChanged;
        if (actions && watched == m_watched) {
            QPointer<QToolBar> bar = m_bar;
            QMetaObject::invokeMethod(
                this,
                [bar] {
                    if (bar)
                        Prepare(*bar);
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    const QObject* m_watched;
    QPointer<QToolBar> m_bar;
};

// What QAction answers for a tooltip it was not given: its text without
// ellipses and mnemonic marks.
QString ImplicitToolTip(QString text)
{
    text.remove(QStringLiteral("..."));
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&'))
            text.remove(i, 1);  // of "&&" one stays
    }
    return text.trimmed();
}

}  // namespace

QString AccessibleNameOfAction(const QAction& action)
{
    const bool ownToolTip = action.toolTip() != ImplicitToolTip(action.text());
    QString text = ownToolTip ? action.toolTip() : action.text();
    const int tab = text.indexOf(QLatin1Char('\t'));
    if (tab >= 0)
        text.truncate(tab);
    text = WithoutMnemonic(text).trimmed();
    if (text.endsWith(QStringLiteral("...")))
        text.chop(3);
    else if (text.endsWith(QChar(0x2026)))
        text.chop(1);
    return text.trimmed();
}

void MakeToolBarAccessible(QToolBar& bar)
{
    Prepare(bar);
    bar.installEventFilter(new ToolBarWatcher(bar));
}

}  // namespace kurvex
