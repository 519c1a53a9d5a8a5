#pragma once

// Turns the platform's abort when no display can be reached into one clear
// line on standard error and a non-zero exit.
namespace DisplayCheck {

// Before the application object is made.
void install();

// Once the application object exists.
void release();

} // namespace DisplayCheck
