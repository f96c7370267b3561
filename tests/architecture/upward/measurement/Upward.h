#pragma once
// A measurement header that reaches up into the chart: the include-direction check must refuse it.

#include "chart/ChartPainter.h"
#include "evaluation/Abschnitt.h"
