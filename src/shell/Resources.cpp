#include "shell/Resources.h"

#include <QtGlobal>

// Outside any namespace: the resource initialiser is a global function.
static void InitKurvexResourcesGlobal()
{
    Q_INIT_RESOURCE(kurvex);
}

namespace kurvex {

void InitResources()
{
    // The resources live in a static library, whose initialiser the linker would drop.
    static const bool done = [] {
        InitKurvexResourcesGlobal();
        return true;
    }();
    (void)done;
}

}  // namespace kurvex
