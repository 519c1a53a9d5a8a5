#pragma once

// Turns the platform's abort when no display can be reached, or when the
// platform asked for cannot start, into one clear line on standard error after
// Qt's own messages, and exit code 2.
namespace PlatformStart {

// Before the application object is made.
void install();

// Once the application object exists.
void release();

} // namespace PlatformStart
