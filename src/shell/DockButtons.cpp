#include "shell/DockButtons.h"

#include "common/ui/QtText.h"

#include <QAbstractButton>
#include <QDockWidget>

namespace kurvex {

void NameDockButtons(QDockWidget& dock)
{
    const auto name = [&dock](const char* objectName, const char* accessibleName) {
        if (auto* button = dock.findChild<QAbstractButton*>(QLatin1String(objectName)))
            button->setAccessibleName(U(accessibleName));
    };
    name("qt_dockwidget_closebutton", "Schließen");
    name("qt_dockwidget_floatbutton", "Als eigenes Fenster lösen oder wieder andocken");
}

}  // namespace kurvex
