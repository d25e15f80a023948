// mkpak <folder> <out.pak>: packs every file under folder, named by its path
// relative to folder (lower case, '\' between the levels), into one pack.
#include "content/PackWriter.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    if (argc != 3)
    {
        std::fprintf(stderr, "usage: mkpak <folder> <out.pak>\n");
        return 2;
    }
    try
    {
        corvellan::content::PackWriter pack;
        pack.AddFolder(argv[1], argv[2]);
        if (!pack.WriteTo(argv[2]))
        {
            std::fprintf(stderr, "mkpak: cannot write %s\n", argv[2]);
            return 1;
        }
        std::printf("%s: %zu files\n", argv[2], pack.GetCount());
    }
    catch (const std::exception& error)
    {
        std::fprintf(stderr, "mkpak: %s\n", error.what());
        return 1;
    }
    return 0;
}
