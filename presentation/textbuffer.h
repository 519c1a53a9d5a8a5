#pragma once

// The program's one text buffer: 300 characters with the terminator, so no text
// shown and no field text read holds more than 299.
namespace TextBuffer {
inline constexpr int maxLength = 299;
}
