#pragma once

#include "atomicfile.h"
#include "message.h"

// The box that follows a save: the confirmation, or the warning whose second
// line names the cause.
namespace SaveMessage {

Message about(const AtomicFile::Outcome &outcome);

} // namespace SaveMessage
