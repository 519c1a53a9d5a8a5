#pragma once

#include "body.h"
#include "piestimate.h"
#include "resultreport.h"
#include "shotcolour.h"
#include "shotgenerator.h"
#include "simulation.h"

// Everything the program keeps for its whole life, created once at start-up and
// handed to the window and the loop; tests make fresh ones.
struct AppState
{
    ShotGenerator generator;
    Body body;
    Simulation simulation{generator};
    PiEstimate pi;
    ShotColour colour;
    ResultReport report;
    bool quitRequested = false;
};
