#include "engine/core/Config.h"

#include "engine/core/Error.h"
#include "engine/core/FileManager.h"
#include "engine/core/FileTextual.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringFunctions.h"
#include "platform/win32/Locale.h"

#include <cmath>

namespace OrvaneEngine
{

namespace
{

bool IsBlank(char c)
{
    return win32::isspace(static_cast<unsigned char>(c)) != 0;
}

} // namespace

Config::Config(MessageManager* givenLog, FileManager* givenFiles, const std::string& folder,
               const std::string& baseName, bool givenForceMode, const std::string& modeText,
               bool givenForceFullscreen, bool fullscreenDefault)
    : log(givenLog), files(givenFiles), forceMode(givenForceMode), forceFullscreen(givenForceFullscreen)
{
    const std::string base = baseName.empty() ? std::string("Orvane Engine") : baseName;
    iniPath = folder.empty() ? base + ".ini" : folder + "\\" + base + ".ini";

    std::string modeDefault = modeText;
    if (modeDefault.empty())
    {
        modeDefault = "800x600x32";
        forceMode = false;
    }
    const std::string fullscreenText = fullscreenDefault ? "1" : "0";

    using V = ConfigVariable;
    RegisterVariable("reset_config", V::TypeCommand, false, false, nullptr, "", false);
    RegisterVariable("v_mode", V::TypeString, false, true, &videoMode, modeDefault, false);
    RegisterVariable("v_fullscreen", V::TypeBool, false, true, &fullscreen, fullscreenText, false);
    RegisterVariable("v_vsync", V::TypeBool, false, true, &verticalSync, "1", false);
    RegisterVariable("v_brightness", V::TypeFloat, false, true, &brightness, "1.0", false);
    RegisterVariable("v_contrast", V::TypeFloat, false, true, &contrast, "1.0", false);
    RegisterVariable("v_gamma", V::TypeFloat, false, true, &gamma, "1.0", false);
    RegisterVariable("v_window_change_mode", V::TypeCommand, false, false, nullptr, "", false);
    RegisterVariable("r_use_mip_mapping", V::TypeBool, false, true, &useMipMapping, "1", false);
    RegisterVariable("r_show_octree_nodes", V::TypeBool, false, true, &showOctreeNodes, "0", false);
    RegisterVariable("r_show_faces_edges", V::TypeBool, false, true, &showFacesEdges, "0", false);
    RegisterVariable("r_show_faces_normals", V::TypeBool, false, true, &showFacesNormals, "0", false);
    RegisterVariable("r_show_mip_maps", V::TypeBool, false, true, &showMipMaps, "0", false);
    RegisterVariable("r_texture_anisotropy", V::TypeUInt, false, true, &textureAnisotropy, "1", false);
    RegisterVariable("c_invert_mouse", V::TypeBool, false, true, &invertMouse, "0", false);
    RegisterVariable("sc_take_screenshot", V::TypeCommand, false, false, nullptr, "", false);
    RegisterVariable("sc_take_screenshot_tga", V::TypeCommand, false, false, nullptr, "", false);
    RegisterVariable("sc_take_screenshot_jpg", V::TypeCommand, false, false, nullptr, "", false);
    RegisterVariable("sc_take_screenshot_format", V::TypeUInt, false, true, &screenshotFormat, "0", false);
    RegisterVariable("sc_start_movie_record", V::TypeCommand, false, false, nullptr, "", false);
    RegisterVariable("sc_stop_movie_record", V::TypeCommand, false, false, nullptr, "", false);
    RegisterVariable("exit", V::TypeCommand, false, false, nullptr, "", false);
}

Config::~Config()
{
    variables.clear();
    pendingLines.clear();
}

ConfigVariable* Config::Find(const std::string& name) const
{
    const auto it = variables.find(ToLower(name));
    return it == variables.end() ? nullptr : it->second.get();
}

ConfigVariable* Config::FindBound(const std::string& name) const
{
    ConfigVariable* variable = Find(name);
    return variable != nullptr && !variable->unbound ? variable : nullptr;
}

void Config::StoreText(ConfigVariable& variable, const std::string& text)
{
    if (variable.storage == nullptr)
        return;
    switch (variable.type)
    {
    case ConfigVariable::TypeUInt:
        *static_cast<std::uint32_t*>(variable.storage) = static_cast<std::uint32_t>(StringToInt(text, 10));
        break;
    case ConfigVariable::TypeFloat:
        *static_cast<float*>(variable.storage) = StringToFloat(text);
        break;
    case ConfigVariable::TypeBool:
        *static_cast<bool*>(variable.storage) = StringToBool(text);
        break;
    case ConfigVariable::TypeString:
        *static_cast<std::string*>(variable.storage) = text;
        break;
    default:
        break;
    }
}

std::string Config::ValueToText(const ConfigVariable& variable)
{
    if (variable.storage == nullptr)
        return std::string();
    switch (variable.type)
    {
    case ConfigVariable::TypeUInt:
        return IntToString(static_cast<std::int32_t>(*static_cast<const std::uint32_t*>(variable.storage)), 0);
    case ConfigVariable::TypeFloat:
        return FloatToString(*static_cast<const float*>(variable.storage), 6);
    case ConfigVariable::TypeBool:
        return BoolToString(*static_cast<const bool*>(variable.storage));
    case ConfigVariable::TypeString:
        return *static_cast<const std::string*>(variable.storage);
    default:
        return std::string();
    }
}

void Config::RegisterVariable(const std::string& name, std::uint32_t type, bool readOnly, bool saved,
                              void* storage, const std::string& defaultText, bool watched)
{
    const std::string key = ToLower(name);
    const auto it = variables.find(key);
    if (it == variables.end())
    {
        auto variable = std::make_unique<ConfigVariable>();
        variable->type = type;
        variable->readOnly = readOnly;
        variable->saved = saved;
        variable->storage = storage;
        variable->defaultText = defaultText;
        variable->watched = watched;
        variable->commandFlag = type == ConfigVariable::TypeCommand;
        variable->changed = watched;
        variable->unbound = false;
        variables.emplace(key, std::move(variable));

        ResetVariable(key);
        const auto pending = pendingLines.find(key);
        if (pending != pendingLines.end())
        {
            const std::string line = pending->second;
            pendingLines.erase(pending);
            Execute(line);
        }
        return;
    }

    ConfigVariable& variable = *it->second;
    if (!variable.unbound)
        return;
    variable.storage = storage;
    variable.unbound = false;
    variable.changed = variable.watched;
    ResetVariableValue(key, variable.keptText);
}

void Config::UnbindVariable(const std::string& name)
{
    ConfigVariable* variable = FindBound(name);
    if (variable == nullptr)
        return;
    variable->keptText = ValueToText(*variable);
    variable->unbound = true;
}

std::uint32_t Config::Execute(const std::string& line, std::string* nameOut)
{
    std::string localName;
    std::string& name = nameOut != nullptr ? *nameOut : localName;
    name.clear();

    std::string copy = line;
    Trim(copy);
    StripLeadingChar(copy, '\\');
    // Pairs of blanks are deleted, not merged: the console and the ini file
    // have always read lines this way.
    EraseAll(copy, "  ");
    if (copy.empty())
        return ExecuteEmpty;

    std::size_t at = 0;
    while (at < copy.size() && (IsBlank(copy[at]) || copy[at] == '\\'))
        ++at;
    const std::size_t nameStart = at;
    while (at < copy.size() && !IsBlank(copy[at]) && copy[at] != '\\')
        ++at;
    name = ToLower(copy.substr(nameStart, at - nameStart));

    ConfigVariable* variable = FindBound(name);
    if (variable == nullptr)
        return ExecuteUnknown;
    if (variable->type == ConfigVariable::TypeCommand)
    {
        SetCommandFlag(name, false);
        return ExecuteDone;
    }

    std::string value = copy.substr(name.size());
    const auto comment = value.find("\\\\");
    if (comment != std::string::npos)
        value.resize(comment);
    Trim(value);
    if (value.empty())
        return ExecuteNoValue;
    if (variable->readOnly)
        return ExecuteReadOnly;
    StoreText(*variable, value);
    return ExecuteDone;
}

std::string Config::GetValueText(const std::string& name) const
{
    const ConfigVariable* variable = Find(name);
    if (variable == nullptr)
        return std::string();
    if (variable->unbound)
        return variable->keptText;
    return ValueToText(*variable);
}

std::string Config::GetDefaultText(const std::string& name) const
{
    const ConfigVariable* variable = Find(name);
    return variable == nullptr ? std::string() : variable->defaultText;
}

bool Config::GetCommandFlag(const std::string& name) const
{
    const ConfigVariable* variable = FindBound(name);
    return variable != nullptr && variable->commandFlag;
}

void Config::SetCommandFlag(const std::string& name, bool value)
{
    // Every caller passes a lower-case name, so it is looked up as given.
    const auto it = variables.find(name);
    if (it == variables.end() || it->second->unbound)
        return;
    it->second->commandFlag = value;
}

bool Config::HasChanged(const std::string& name) const
{
    const ConfigVariable* variable = Find(name);
    return variable != nullptr && variable->changed;
}

void Config::ResetVariableValue(const std::string& name, const std::string& text)
{
    ConfigVariable* variable = FindBound(name);
    if (variable != nullptr)
        StoreText(*variable, text);
}

void Config::ResetVariable(const std::string& name)
{
    ConfigVariable* variable = FindBound(name);
    if (variable == nullptr)
        return;
    StoreText(*variable, variable->defaultText);
    variable->commandFlag = variable->type == ConfigVariable::TypeCommand;
}

void Config::ResetAll()
{
    for (const auto& [name, variable] : variables)
    {
        if (!variable->readOnly)
            ResetVariable(name);
    }
}

void Config::GetNames(std::vector<std::string>& out) const
{
    out.clear();
    out.reserve(variables.size());
    for (const auto& [name, variable] : variables)
    {
        if (!variable->unbound)
            out.push_back(name);
    }
}

void Config::Update()
{
    if (!GetCommandFlag("reset_config"))
    {
        SetCommandFlag("reset_config", true);
        ResetAll();
    }

    for (const auto& entry : variables)
    {
        ConfigVariable& variable = *entry.second;
        if (variable.unbound || !variable.watched || variable.storage == nullptr)
            continue;
        switch (variable.type)
        {
        case ConfigVariable::TypeUInt:
        {
            const std::uint32_t value = *static_cast<const std::uint32_t*>(variable.storage);
            if (value != variable.lastUIntValue)
            {
                variable.changed = true;
                variable.lastUIntValue = value;
            }
            break;
        }
        case ConfigVariable::TypeFloat:
        {
            const float value = *static_cast<const float*>(variable.storage);
            // A NaN compares false and so never counts as a change.
            if (std::fabs(value - variable.lastFloatValue) > 0.0001f)
            {
                variable.changed = true;
                variable.lastFloatValue = value;
            }
            break;
        }
        case ConfigVariable::TypeBool:
        {
            const bool value = *static_cast<const bool*>(variable.storage);
            if (value != variable.lastBoolValue)
            {
                variable.changed = true;
                variable.lastBoolValue = value;
            }
            break;
        }
        case ConfigVariable::TypeString:
        {
            const std::string& value = *static_cast<const std::string*>(variable.storage);
            if (value != variable.lastStringValue)
            {
                variable.changed = true;
                variable.lastStringValue = value;
            }
            break;
        }
        default:
            break;
        }
    }
}

void Config::ClearChangedFlags()
{
    for (const auto& entry : variables)
        entry.second->changed = false;
}

void Config::Load()
{
    ResetAll();
    pendingLines.clear();

    std::unique_ptr<FileTextual> text;
    try
    {
        text = files->OpenTextual(iniPath, false, FileTextual::EncodingAnsi);
    }
    catch (const FileError&)
    {
        // No ini file yet: every variable keeps its default.
    }

    if (text)
    {
        try
        {
            std::string line;
            while (text->ReadString(line, true, false))
            {
                std::string name;
                if (Execute(line, &name) == ExecuteUnknown)
                    pendingLines.emplace(name, line);
            }
        }
        catch (const FileError&)
        {
        }
        text.reset();
    }

    if (forceMode)
        ResetVariable("v_mode");
    if (forceFullscreen)
        ResetVariable("v_fullscreen");
}

void Config::Save()
{
    try
    {
        std::unique_ptr<FileTextual> text = files->OpenTextual(iniPath, true, FileTextual::EncodingAnsi);
        for (const auto& [name, variable] : variables)
        {
            if (!variable->saved || variable->readOnly || variable->type == ConfigVariable::TypeCommand)
                continue;
            text->WriteString(name + " " + GetValueText(name));
            text->WriteNewLine();
        }
        // Closing commits the file; until then the old ini stays as it was.
        text->Close();
    }
    catch (const FileError& error)
    {
        log->Error(error.GetText());
    }
}

void ParseVideoMode(const std::string& text, std::uint32_t* width, std::uint32_t* height, std::uint32_t* bits)
{
    std::uint32_t w = 640;
    std::uint32_t h = 480;
    std::uint32_t b = 16;
    const auto first = text.find_first_of("xX");
    const auto second = first == std::string::npos ? std::string::npos : text.find_first_of("xX", first + 1);
    if (second != std::string::npos)
    {
        w = StringToUInt(text.substr(0, first), 10);
        h = StringToUInt(text.substr(first + 1, second - first - 1), 10);
        b = StringToUInt(text.substr(second + 1), 10);
    }
    if (width != nullptr)
        *width = w;
    if (height != nullptr)
        *height = h;
    if (bits != nullptr)
        *bits = b;
}

} // namespace OrvaneEngine
