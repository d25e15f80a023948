#include "content/FuzzSeeds.h"
#include "content/PackWriter.h"

namespace corvellan::content
{

bool WritePackFileSeeds(const std::string& folder)
{
    const std::string target = "pack_file";
    bool written = WriteSeed(folder, target, "empty.pak", PackWriter().Build());

    PackWriter three;
    three.Add("data\\ui\\fonts\\en.ini", "font en\r\n");
    three.Add("data\\profiles\\a.prf", std::string("\x01\x02\x03\x04", 4));
    three.Add("data\\models\\box.mlf", "OVMLF");
    written = WriteSeed(folder, target, "three.pak", three.Build()) && written;

    PackWriter duplicate;
    duplicate.Add("data\\x.ini", "first");
    duplicate.Add("DATA\\X.INI", "second");
    written = WriteSeed(folder, target, "duplicate.pak", duplicate.Build()) && written;

    PackWriter empty;
    empty.Add("data\\before.txt", "bytes");
    empty.Add("data\\empty.txt", "");
    written = WriteSeed(folder, target, "size_zero.pak", empty.Build()) && written;
    return written;
}

} // namespace corvellan::content
