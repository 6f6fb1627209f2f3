#include <cstdio>

int main() {
    std::puts("Velmor: the main window arrives with the next step.");
    return 0;
}
