#include "engine/sound/Sound_DS7.h"

#include "engine/sound/SoundBuffer_DS7.h"

namespace OrvaneEngine
{

Sound_DS7::Sound_DS7(MessageManager* messages, SoundSystem_DS7* owner, SoundBufferManager* buffers,
                     const std::string& fileName)
    : Sound(messages, buffers, fileName), system(owner), typedBuffer(dynamic_cast<SoundBuffer_DS7*>(buffer))
{
    ApplySettings();
}

Sound_DS7::Sound_DS7(const Sound_DS7& source)
    : Sound(source), system(source.system), typedBuffer(dynamic_cast<SoundBuffer_DS7*>(buffer))
{
    // The copied tempo applies too: a copy plays like its source.
    ApplySettings();
}

void Sound_DS7::ApplySettings()
{
    SetVolume(volume);
    SetTempo(tempo);
    SetPosition(position);
}

bool Sound_DS7::Play()
{
    if (typedBuffer)
    {
        const bool streamed = typedBuffer->IsStreamed();
        // A stream its clock has ended is still in its playing state until
        // the next update: it restarts like a playing one.
        if (typedBuffer->IsPlaying() || typedBuffer->HasEnded())
        {
            typedBuffer->Stop();
            if (streamed)
                typedBuffer->SetStreamState(SoundBuffer::StreamStopped);
        }
        if (streamed)
            typedBuffer->SetStreamState(SoundBuffer::StreamPlaying);
        typedBuffer->Play(loop);
    }
    state = Playing;
    return true;
}

void Sound_DS7::Pause()
{
    if (typedBuffer)
    {
        typedBuffer->Pause();
        if (typedBuffer->IsStreamed())
            typedBuffer->SetStreamState(SoundBuffer::StreamPaused);
    }
    state = Paused;
}

void Sound_DS7::Stop()
{
    if (typedBuffer)
    {
        typedBuffer->Stop();
        if (typedBuffer->IsStreamed())
            typedBuffer->SetStreamState(SoundBuffer::StreamStopped);
    }
    state = Stopped;
}

void Sound_DS7::SetLoop(bool flag)
{
    Sound::SetLoop(flag);
    if (typedBuffer && !typedBuffer->IsStreamed() && typedBuffer->IsPlaying())
        typedBuffer->Play(flag);
}

void Sound_DS7::SetVolume(float value)
{
    Sound::SetVolume(value);
    if (typedBuffer)
        typedBuffer->SetVolume(value);
}

void Sound_DS7::SetTempo(float value)
{
    Sound::SetTempo(value);
    if (typedBuffer)
        typedBuffer->SetTempo(value);
}

void Sound_DS7::SetPosition(const Vector3& value)
{
    Sound::SetPosition(value);
    if (typedBuffer)
        typedBuffer->SetPosition(value);
}

void Sound_DS7::Update()
{
    Sound::Update();
    if (typedBuffer && typedBuffer->IsBufferLost())
    {
        if (!typedBuffer->Restore())
            return;
        if (typedBuffer->IsStreamed())
        {
            // The ring came back empty: start the stream over and return to
            // where the sound was.
            const std::uint32_t previous = state;
            Stop();
            if (previous == Playing)
            {
                Play();
            }
            else if (previous == Paused)
            {
                Play();
                Pause();
            }
        }
    }
    if (state == Playing && !(typedBuffer && typedBuffer->IsPlaying()))
        Stop();
}

} // namespace OrvaneEngine
