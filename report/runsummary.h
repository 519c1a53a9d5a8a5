#pragma once

// The snapshot of a run that the report holds. Named fields, so that two of the
// six doubles cannot change places unnoticed.
struct RunSummary
{
    int radius = 0;
    int dimensions = 0;
    double volume = 0.0;
    double shots = 0.0;
    double hits = 0.0;
    double hitRatio = 0.0; // a fraction; the report gives it in percent
    double variance = 0.0;
    double pi = 0.0;
};
