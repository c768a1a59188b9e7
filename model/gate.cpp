#include "gate.h"

bool Gate::admit(Press press)
{
    const bool lineDrawing = state.busyFlag != 0;
    const bool anyDraw = lineDrawing || state.drawing;
    const bool refused = press == Command ? lineDrawing
                         : press == Start ? anyDraw
                                          : anyDraw || state.cycleRunning;
    if (refused)
        return false;
    if (finishMirrors)
        finishMirrors();
    return true;
}
