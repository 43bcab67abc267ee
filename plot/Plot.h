// Everything the plot assembly needs: the window, the axes, the series, the legend and the
// measure event.
#pragma once

#include "plot/MeasureEvent.h"
#include "plot/mpInfo.h"
#include "plot/mpLayer.h"
#include "plot/mpScale.h"
#include "plot/mpSeries.h"
#include "plot/mpWindow.h"
