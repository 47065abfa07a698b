// Does one deliberate fault, chosen by its argument, that only a sanitizer notices: built with
// the sanitizer it must stop with an error; built without, it exits 0.

#include <climits>
#include <cstdio>
#include <cstring>
#include <thread>

namespace {

// Writes one byte past the end of a heap block.
int HeapOverflow(int argc) {
    volatile int size = 8;
    char* block = new char[static_cast<unsigned>(size)];
    volatile int index = size + argc - 2;  // == size for the one argument given
    block[index] = 'x';
    const int result = block[0];
    delete[] block;
    return result & 0;
}

int SignedOverflow() {
    volatile int largest = INT_MAX;
    const int sum = largest + 1;
    std::printf("%d\n", sum);
    return 0;
}

int DataRace() {
    int shared = 0;
    std::thread other([&shared] { ++shared; });
    ++shared;
    other.join();
    std::printf("%d\n", shared);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr,
                     "usage: tavrinel_sanitizer_canary heap-overflow|signed-overflow|data-race\n");
        return 2;
    }
    if (std::strcmp(argv[1], "heap-overflow") == 0) {
        return HeapOverflow(argc);
    }
    if (std::strcmp(argv[1], "signed-overflow") == 0) {
        return SignedOverflow();
    }
    if (std::strcmp(argv[1], "data-race") == 0) {
        return DataRace();
    }
    return 2;
}
