// mkdata: makes the game's data set (data\pack0.pak) from the content/
// sources and the DejaVu faces, or the fuzz seed corpora from real data.
#include "content/DataSet.h"
#include "content/ToolArguments.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace
{

void Usage(std::FILE* out)
{
    std::fprintf(out,
                 "usage: mkdata [options] --output <pack0.pak>\n"
                 "       mkdata [options] --seed-corpus <folder>\n"
                 "\n"
                 "Checks the content sources and packs the data set they make into one pack\n"
                 "file, replaced only when everything was made; any failure names the file\n"
                 "and the reason and exits with 1.\n"
                 "\n"
                 "options:\n"
                 "  --source DIR        the content folder (default: the repository's content/)\n"
                 "  --fonts DIR         the folder of the DejaVu TTF files (default: %s)\n"
                 "  --output FILE       where the pack is written\n"
                 "  --seed-corpus DIR   write a few real files of each format into DIR/<target>/\n"
                 "                      for the fuzz targets instead of making the pack\n"
                 "  --help              this text\n",
                 std::filesystem::path(CORVELLAN_DEJAVU_SANS).parent_path().c_str());
}

} // namespace

int main(int argc, char** argv)
{
    try
    {
        std::string source = CORVELLAN_CONTENT_SOURCE;
        std::string fonts = std::filesystem::path(CORVELLAN_DEJAVU_SANS).parent_path().string();
        std::string output;
        std::string seeds;
        corvellan::content::ToolArguments arguments(argc, argv);
        std::string argument;
        while (arguments.Next(argument))
        {
            if (corvellan::content::ToolArguments::IsHelp(argument))
            {
                Usage(stdout);
                return 0;
            }
            if (argument == "--source")
                source = arguments.Value();
            else if (argument == "--fonts")
                fonts = arguments.Value();
            else if (argument == "--output")
                output = arguments.Value();
            else if (argument == "--seed-corpus")
                seeds = arguments.Value();
            else
                throw std::runtime_error("unknown argument " + argument);
        }
        if (output.empty() == seeds.empty())
        {
            Usage(stderr);
            return 2;
        }
        const corvellan::content::DataSet dataSet(source, fonts);
        if (!seeds.empty())
            dataSet.WriteSeedCorpus(seeds);
        else
            dataSet.BuildPack(output);
    }
    catch (const std::exception& error)
    {
        std::fprintf(stderr, "mkdata: %s\n", error.what());
        return 1;
    }
    return 0;
}
