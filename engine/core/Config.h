#pragma once

#include "engine/core/ConfigVariable.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace OrvaneEngine
{

class MessageManager;
class FileManager;

// The registry of named variables and commands that text can change: the
// console, the ini file, the window and the options screens all go through it.
class Config
{
public:
    // Execute's answers.
    static constexpr std::uint32_t ExecuteDone = 0;
    static constexpr std::uint32_t ExecuteReadOnly = 2;
    static constexpr std::uint32_t ExecuteNoValue = 3;
    static constexpr std::uint32_t ExecuteUnknown = 4;
    static constexpr std::uint32_t ExecuteEmpty = 5;

    Config(MessageManager* log, FileManager* files, const std::string& folder, const std::string& baseName,
           bool forceMode, const std::string& modeText, bool forceFullscreen, bool fullscreen);
    virtual ~Config();
    Config(const Config&) = delete;
    Config& operator=(const Config&) = delete;

    void RegisterVariable(const std::string& name, std::uint32_t type, bool readOnly, bool saved, void* storage,
                          const std::string& defaultText, bool watched);
    void UnbindVariable(const std::string& name);
    std::uint32_t Execute(const std::string& line, std::string* nameOut = nullptr);

    std::string GetValueText(const std::string& name) const;
    std::string GetDefaultText(const std::string& name) const;
    bool GetCommandFlag(const std::string& name) const;
    void SetCommandFlag(const std::string& name, bool value);
    bool HasChanged(const std::string& name) const;

    void ResetVariableValue(const std::string& name, const std::string& text);
    void ResetVariable(const std::string& name);
    void ResetAll();
    void GetNames(std::vector<std::string>& out) const;

    void Update();
    void ClearChangedFlags();

    void Load();
    void Save();

    const std::string& GetIniPath() const { return iniPath; }

private:
    ConfigVariable* Find(const std::string& name) const;
    ConfigVariable* FindBound(const std::string& name) const;
    static void StoreText(ConfigVariable& variable, const std::string& text);
    static std::string ValueToText(const ConfigVariable& variable);

    MessageManager* log;
    FileManager* files;
    std::string iniPath;
    std::map<std::string, std::unique_ptr<ConfigVariable>> variables;
    std::map<std::string, std::string> pendingLines;
    bool forceMode;
    bool forceFullscreen;

public:
    // The engine's own settings; the engine's parts read them directly.
    std::string videoMode;
    bool fullscreen = false;
    bool verticalSync = false;
    float brightness = 0.0f;
    float contrast = 0.0f;
    float gamma = 0.0f;
    bool useMipMapping = false;
    bool showOctreeNodes = false;
    bool showFacesEdges = false;
    bool showFacesNormals = false;
    bool showMipMaps = false;
    std::uint32_t textureAnisotropy = 0;
    bool invertMouse = false;
    std::uint32_t screenshotFormat = 0;
};

// Reads "<width>x<height>x<bits>"; without two separators the answer is
// 640 x 480 x 16. Any output may be null.
void ParseVideoMode(const std::string& text, std::uint32_t* width, std::uint32_t* height, std::uint32_t* bits);

} // namespace OrvaneEngine
