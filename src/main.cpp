#include <cstdio>

int main() {
    std::puts("usage: tavrinel collect KEYWORD [--pages N]");
    return 0;
}
