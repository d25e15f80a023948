#pragma once

#include "engine/sound/SoundSystem.h"
#include "platform/dsound/Types.h"

#include <cstdint>
#include <string>

namespace dsound
{
class IDirectSound;
class IDirectSoundBuffer;
class IDirectSound3DListener;
} // namespace dsound

namespace OrvaneEngine
{

class TimerManager;
class Window;

// The sound system on the DirectSound device: the default output at priority
// level, a 22050 Hz 16-bit stereo primary buffer and, with 3D, its listener.
class SoundSystem_DS7 final : public SoundSystem
{
public:
    // Logs each step; when one of the first four fails, releases what it made
    // and throws Error with an empty text. The window may be null (tests).
    SoundSystem_DS7(MessageManager* messageManager, FileManager* fileManager, TimerManager* timerManager,
                    Config* config, Window* window, bool use3D);
    ~SoundSystem_DS7() override;

    void Refresh() override;
    std::unique_ptr<Sound> CreateSound(const std::string& name) override;
    std::unique_ptr<Sound> CloneSound(const Sound& sound) override;
    std::unique_ptr<SoundBuffer> CreateSoundBuffer(const std::string& name) override;
    std::unique_ptr<SoundBuffer> CloneSoundBuffer(const SoundBuffer& buffer) override;
    void SetListenerPosition(const Vector3& position) override;
    void SetListenerOrientation(const Vector3& front, const Vector3& top) override;

    // Logs a failed device result as "DirectSound Subsystem (" + where + "): "
    // and its text; success (0) logs nothing. Never throws.
    void CheckResult(const std::string& where, dsound::HRESULT code) const;
    // The text CheckResult logs for a code.
    static std::string ResultText(dsound::HRESULT code);
    // Linear volume to hundredths of a decibel, 1000 * ln(volume), at least
    // -10000; anything below 0.0001, and not-a-number, is -10000.
    static std::int32_t VolumeToAttenuation(float volume);
    // Releases the listener, the primary buffer and the device, logging each.
    void Destroy();

    TimerManager* GetTimerManager() const { return timerManager; }
    Window* GetWindow() const { return window; }
    dsound::IDirectSound* GetDevice() const { return device; }
    dsound::IDirectSoundBuffer* GetPrimaryBuffer() const { return primaryBuffer; }
    dsound::IDirectSound3DListener* GetListener() const { return listener; }

private:
    [[noreturn]] void Fail(const std::string& text);

    TimerManager* timerManager;
    Window* window;
    dsound::IDirectSound* device = nullptr;
    dsound::IDirectSoundBuffer* primaryBuffer = nullptr;
    dsound::IDirectSound3DListener* listener = nullptr;
};

} // namespace OrvaneEngine
