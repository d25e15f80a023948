// make_fuzz_seeds <folder>: writes the seed corpus of every fuzz target into
// <folder>/<target>/.
#include "content/FuzzSeeds.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: make_fuzz_seeds <folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    bool written = true;
    written = corvellan::content::WritePackFileSeeds(folder) && written;
    written = corvellan::content::WriteImageSeeds(folder) && written;
    written = corvellan::content::WriteTextFileSeeds(folder) && written;
    written = corvellan::content::WriteShaderFileSeeds(folder) && written;
    written = corvellan::content::WriteSoundSeeds(folder) && written;
    written = corvellan::content::WriteModelFileSeeds(folder) && written;
    written = corvellan::content::WriteParticleFileSeeds(folder) && written;
    written = corvellan::content::WriteVersionedFileSeeds(folder) && written;
    written = corvellan::content::WriteXmlResourceListSeeds(folder) && written;
    written = corvellan::content::WriteFontFileSeeds(folder, CORVELLAN_DEJAVU_SANS) && written;
    written = corvellan::content::WriteFontsListSeeds(folder) && written;
    written = corvellan::content::WriteProfileFilesSeeds(folder) && written;
    written = corvellan::content::WriteLevelListsSeeds(folder) && written;
    written = corvellan::content::WriteBackgroundLayersSeeds(folder) && written;
    written = corvellan::content::WritePuzzleFileSeeds(folder) && written;
    if (!written)
    {
        std::fprintf(stderr, "make_fuzz_seeds: could not write every seed under %s\n", argv[1]);
        return 1;
    }
    return 0;
}
