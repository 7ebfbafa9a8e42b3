// make-icons OUTDIR: draws the program's icons and writes bear.ico and books.ico.
#include <cstdio>
#include <string>

#include "tools/icons/artwork.h"
#include "tools/icons/ico_writer.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-icons OUTDIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    if (!WriteFileBytes(dir + "/bear.ico", EncodeIcon(DrawBearFace())) ||
        !WriteFileBytes(dir + "/books.ico", EncodeIcon(DrawBookStack()))) {
        std::fprintf(stderr, "make-icons: cannot write into %s\n", dir.c_str());
        return 1;
    }
    return 0;
}
