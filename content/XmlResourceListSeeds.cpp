#include "content/FuzzSeeds.h"
#include "content/ResourceListWriter.h"

namespace corvellan::content
{
namespace
{

// A list as the data keeper reads it: loops within loops, models and
// shaders, a language filter and a container that prefixes names.
ResourceElement SampleList()
{
    ResourceElement shader{"shader",
                           {{"name", "leaf_%i%_%k2%"},
                            {"diffuse_file_name", "leaf_%k2%.jpg"},
                            {"opacity_file_name", "32bit"},
                            {"animation_type", "net"},
                            {"net_size", "4 2"},
                            {"frame_count", "8"},
                            {"animation_speed", "12.5"},
                            {"clamp", "0"}},
                           "",
                           {}};
    ResourceElement model{"model",
                          {{"name", "tree_%k2%"}, {"file_name", "tree_%k2%.mlf"}, {"color_verticies", "1"},
                           {"animation_speed", "0.5"}},
                          "",
                          {}};
    ResourceElement inner{"loop", {{"counter", "k"}, {"start", "0"}, {"count", "3"}}, "", {model, shader}};
    ResourceElement outer{"loop", {{"start", "1"}, {"count", "3"}}, "", {inner}};
    ResourceElement russian{"model", {{"name", "sign"}, {"file_name", "sign_ru.mlf"}, {"language", "ru"}}, "", {}};
    ResourceElement menu{"menu", {}, "", {{"model", {{"name", "button"}}, "", {}}}};
    return {"resources", {}, "", {outer, russian, menu}};
}

} // namespace

bool WriteXmlResourceListSeeds(const std::string& folder)
{
    const std::string target = "xml_resource_list";
    const std::string list = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<!-- resources -->\r\n" +
                             ResourceListWriter::Format(SampleList());
    bool written =
        WriteSeed(folder, target, "list_utf8.xml", ResourceListWriter::Encode(list, ResourceListEncoding::Utf8));
    written = WriteSeed(folder, target, "list_utf16le.xml",
                        ResourceListWriter::Encode(list, ResourceListEncoding::Utf16LittleEndian)) &&
              written;

    // One document per syntax error the reader can report.
    const char* const errors[] = {
        "</a>",
        "<>",
        "<a></b>",
        "<a ='1'/>",
        "<a / b=\"1\">",
        "<a b/>",
        "<a b=\"1\" b='2'/>",
        "<a b=1/>",
        "<a b>",
        "<a b=>",
        "<a/>\r\n<b/>",
        "x<a/>",
        "<a",
        "",
    };
    int index = 0;
    for (const char* text : errors)
        written = WriteSeed(folder, target, "error_" + std::to_string(index++) + ".xml", text) && written;
    std::string deep;
    for (int level = 0; level < 257; ++level)
        deep += "<n>";
    written = WriteSeed(folder, target, "error_too_deep.xml", deep) && written;
    return written;
}

} // namespace corvellan::content
