// The sound device. Sample and sound handles travel as opaque pointers.

struct SoundSample;
struct SoundInstance;
typedef SoundSample* SAMPLE_HANDLE;
typedef SoundInstance* SOUND_HANDLE;

%nodefaultctor SoundDevice;
%nodefaultdtor SoundDevice;
class SoundDevice
{
public:
    static SoundDevice& GetInstance();
    SAMPLE_HANDLE LoadSample(const char* filename, bool isStream);
    SOUND_HANDLE PlaySound(SAMPLE_HANDLE sample, float volume = 1.0f, bool looping = false, int flags = 0);
    void StopSound(SOUND_HANDLE sound);
    bool IsPlaying(SOUND_HANDLE sound);
    bool IsPaused(SOUND_HANDLE sound);
    void PauseSound(SOUND_HANDLE sound, bool paused);
    void SetPan(SOUND_HANDLE sound, float pan);
    void SetVolume(SOUND_HANDLE sound, float volume);
};
