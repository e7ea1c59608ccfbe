#include <cstdio>

int main()
{
    std::puts("Rallybox");
    return 0;
}
