/* Prints which Wine ran it; the 32-bit probe looks for "wine32-ok". */
#include <stdio.h>

int main(void)
{
    puts(sizeof(void*) == 4 ? "wine32-ok" : "wine64-ok");
    return 0;
}
