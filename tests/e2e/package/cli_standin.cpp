// Stands for tarvek-cli in the package tests until the real program is built: a console
// program of that name with the real one's version text and, on Windows, its resources.
#include <cstdio>
#include <cstring>

#include "tarvek_version.h"

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("tarvek-cli %s\n", kTarvekVersion);
        return 0;
    }
    std::printf("Usage: tarvek-cli [--help] [--version]\n\nStand-in for the package tests.\n");
    return argc == 2 && std::strcmp(argv[1], "--help") == 0 ? 0 : 2;
}
