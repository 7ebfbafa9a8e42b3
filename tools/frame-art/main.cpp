// make-frame-bitmaps OUTDIR: draws the bitmap-drawn frame style's thirteen bitmaps and
// writes them as OUTDIR/<resource name in lower case>.bmp.
#include <cctype>
#include <cstdio>
#include <string>

#include "tools/frame-art/bmp_writer.h"
#include "tools/frame-art/frame_art.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-frame-bitmaps OUTDIR\n");
        return 2;
    }
    for (const ArtImage& image : DrawFrameBitmaps()) {
        std::string file = image.name;
        for (char& c : file) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        const std::string path = std::string(argv[1]) + "/" + file + ".bmp";
        if (!WriteBmpFile(path, EncodeBmp24(image))) {
            std::fprintf(stderr, "make-frame-bitmaps: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
