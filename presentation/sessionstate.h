#pragma once

#include "body.h"
#include "piestimate.h"
#include "shotcolour.h"
#include "shotgenerator.h"
#include "simulation.h"

// What a session holds of the core. Only the layer and the tests include this:
// the core is linked privately, so a front end that reached for it would not
// build.
struct SessionState
{
    ShotGenerator generator;
    Body body;
    Simulation simulation{generator};
    PiEstimate pi;
    ShotColour colour;
};
