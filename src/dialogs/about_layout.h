// The about box's build date text.
#pragma once

// The build date as the about box shows it, "Dec 8 2026", from a compiler
// date ("Dec  8 2026"); the text is cut to fit size.
void buildDateText(const char* compilerDate, char* text, int size);
