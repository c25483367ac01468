#include "pane_fixture.h"

float byteValue(int k)
{
    return (float(k) + 0.5f) / 255.0f;
}

