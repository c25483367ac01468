// The system's own words for an error code, for the second line of a
// failure message.
#pragma once

#include <stddef.h>

// The text of code, without its line end; "" for 0 or a code the system
// has no text for.
void systemMessage(unsigned code, char* text, size_t size);

// Appends the text of code to a failure message on a line of its own;
// nothing for 0, a code without text, or a message with no room for it.
void appendSystemReason(char* message, size_t size, unsigned code);
