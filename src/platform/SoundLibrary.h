#pragma once

// The game's sound layer: a small C-style interface for system, sound and
// channel objects, implemented over PortAudio (devices), libsndfile (files) and
// KissFFT (spectra). The numbers of the result codes, output types and flags
// follow the 4.3x interface the game was written against, so stored
// preferences and printed codes keep their meaning.
//
// All calls belong to one thread (the game thread); the layer's device
// callbacks only exchange samples with it through lock-free rings.

struct FMOD_SYSTEM;
struct FMOD_SOUND;
struct FMOD_CHANNEL;

typedef int FMOD_BOOL;
typedef unsigned int FMOD_MODE;
typedef unsigned int FMOD_INITFLAGS;

// The interface version this layer provides.
#define FMOD_VERSION 0x00043006u

enum FMOD_RESULT : int
{
    FMOD_OK = 0,
    FMOD_ERR_CHANNEL_ALLOC = 10,
    FMOD_ERR_FILE_BAD = 19,
    FMOD_ERR_FILE_NOTFOUND = 23,
    FMOD_ERR_FORMAT = 25,
    FMOD_ERR_INITIALIZATION = 31,
    FMOD_ERR_INITIALIZED = 32,
    FMOD_ERR_INTERNAL = 33,
    FMOD_ERR_INVALID_FLOAT = 35,
    FMOD_ERR_INVALID_HANDLE = 36,
    FMOD_ERR_INVALID_PARAM = 37,
    FMOD_ERR_MEMORY = 43,
    FMOD_ERR_OUTPUT_ENUMERATION = 60,
    FMOD_ERR_OUTPUT_INIT = 62,
    FMOD_ERR_RECORD = 72,
    FMOD_ERR_UNINITIALIZED = 81
};

// Output types. Types of other platforms (DirectSound, WinMM, ASIO, ...) are
// accepted and treated as auto-detect here.
enum FMOD_OUTPUTTYPE : int
{
    FMOD_OUTPUTTYPE_AUTODETECT = 0,
    FMOD_OUTPUTTYPE_NOSOUND = 2,
    FMOD_OUTPUTTYPE_DSOUND = 6,
    FMOD_OUTPUTTYPE_WINMM = 7,
    FMOD_OUTPUTTYPE_ASIO = 10,
    FMOD_OUTPUTTYPE_OSS = 11,
    FMOD_OUTPUTTYPE_ALSA = 12,
    FMOD_OUTPUTTYPE_PULSEAUDIO = 14
};

enum FMOD_SOUND_FORMAT : int
{
    FMOD_SOUND_FORMAT_NONE = 0,
    FMOD_SOUND_FORMAT_PCM8 = 1,
    FMOD_SOUND_FORMAT_PCM16 = 2,
    FMOD_SOUND_FORMAT_PCM24 = 3,
    FMOD_SOUND_FORMAT_PCM32 = 4,
    FMOD_SOUND_FORMAT_PCMFLOAT = 5
};

enum FMOD_DSP_RESAMPLER : int
{
    FMOD_DSP_RESAMPLER_NOINTERP = 0,
    FMOD_DSP_RESAMPLER_LINEAR = 1,
    FMOD_DSP_RESAMPLER_CUBIC = 2,
    FMOD_DSP_RESAMPLER_SPLINE = 3
};

enum FMOD_DSP_FFT_WINDOW : int
{
    FMOD_DSP_FFT_WINDOW_RECT = 0,
    FMOD_DSP_FFT_WINDOW_TRIANGLE = 1,
    FMOD_DSP_FFT_WINDOW_HAMMING = 2,
    FMOD_DSP_FFT_WINDOW_HANNING = 3,
    FMOD_DSP_FFT_WINDOW_BLACKMAN = 4,
    FMOD_DSP_FFT_WINDOW_BLACKMANHARRIS = 5
};

// A channel number 0..(maximum channels - 1), or one of these.
enum FMOD_CHANNELINDEX : int
{
    FMOD_CHANNEL_FREE = -1,
    FMOD_CHANNEL_REUSE = -2
};

// Sound mode flags.
#define FMOD_DEFAULT 0x00000000u
#define FMOD_LOOP_OFF 0x00000001u
#define FMOD_LOOP_NORMAL 0x00000002u
#define FMOD_2D 0x00000008u
#define FMOD_HARDWARE 0x00000020u
#define FMOD_SOFTWARE 0x00000040u
#define FMOD_OPENUSER 0x00000400u

#define FMOD_INIT_NORMAL 0x00000000u

struct FMOD_GUID
{
    unsigned int Data1;
    unsigned short Data2;
    unsigned short Data3;
    unsigned char Data4[8];
};

// Extra information for FMOD_System_CreateSound. Zero it, set cbsize to its
// size (112 bytes) and the fields a user sound needs.
struct FMOD_CREATESOUNDEXINFO
{
    int cbsize;
    unsigned int length;           // bytes of sample data of a user sound
    int numchannels;
    int defaultfrequency;          // Hz
    FMOD_SOUND_FORMAT format;
    unsigned char reserved[92];
};
static_assert(sizeof(FMOD_CREATESOUNDEXINFO) == 112, "the size callers put into cbsize");

FMOD_RESULT FMOD_System_Create(FMOD_SYSTEM** system);
FMOD_RESULT FMOD_System_Release(FMOD_SYSTEM* system);
FMOD_RESULT FMOD_System_GetVersion(FMOD_SYSTEM* system, unsigned int* version);
FMOD_RESULT FMOD_System_SetOutput(FMOD_SYSTEM* system, FMOD_OUTPUTTYPE output);
FMOD_RESULT FMOD_System_SetDriver(FMOD_SYSTEM* system, int driver);
FMOD_RESULT FMOD_System_SetSoftwareFormat(FMOD_SYSTEM* system, int samplerate, FMOD_SOUND_FORMAT format,
                                          int numoutputchannels, int maxinputchannels,
                                          FMOD_DSP_RESAMPLER resamplemethod);
FMOD_RESULT FMOD_System_Init(FMOD_SYSTEM* system, int maxchannels, FMOD_INITFLAGS flags, void* extradriverdata);
FMOD_RESULT FMOD_System_Update(FMOD_SYSTEM* system);

FMOD_RESULT FMOD_System_GetNumDrivers(FMOD_SYSTEM* system, int* numdrivers);
FMOD_RESULT FMOD_System_GetDriverInfo(FMOD_SYSTEM* system, int id, char* name, int namelen, FMOD_GUID* guid);
FMOD_RESULT FMOD_System_GetRecordNumDrivers(FMOD_SYSTEM* system, int* numdrivers);
FMOD_RESULT FMOD_System_GetRecordDriverInfo(FMOD_SYSTEM* system, int id, char* name, int namelen,
                                            FMOD_GUID* guid);

FMOD_RESULT FMOD_System_RecordStart(FMOD_SYSTEM* system, int id, FMOD_SOUND* sound, FMOD_BOOL loop);
FMOD_RESULT FMOD_System_RecordStop(FMOD_SYSTEM* system, int id);
FMOD_RESULT FMOD_System_IsRecording(FMOD_SYSTEM* system, int id, FMOD_BOOL* recording);

FMOD_RESULT FMOD_System_CreateSound(FMOD_SYSTEM* system, const char* name_or_data, FMOD_MODE mode,
                                    FMOD_CREATESOUNDEXINFO* exinfo, FMOD_SOUND** sound);
FMOD_RESULT FMOD_System_PlaySound(FMOD_SYSTEM* system, FMOD_CHANNELINDEX channelid, FMOD_SOUND* sound,
                                  FMOD_BOOL paused, FMOD_CHANNEL** channel);

FMOD_RESULT FMOD_Sound_Release(FMOD_SOUND* sound);

FMOD_RESULT FMOD_Channel_SetVolume(FMOD_CHANNEL* channel, float volume);
FMOD_RESULT FMOD_Channel_GetSpectrum(FMOD_CHANNEL* channel, float* spectrumarray, int numvalues,
                                     int channeloffset, FMOD_DSP_FFT_WINDOW windowtype);
FMOD_RESULT FMOD_Channel_GetWaveData(FMOD_CHANNEL* channel, float* wavearray, int numvalues, int channeloffset);
FMOD_RESULT FMOD_Channel_Stop(FMOD_CHANNEL* channel);
FMOD_RESULT FMOD_Channel_GetCurrentSound(FMOD_CHANNEL* channel, FMOD_SOUND** sound);
FMOD_RESULT FMOD_Channel_IsPlaying(FMOD_CHANNEL* channel, FMOD_BOOL* isplaying);

// The layer's short text for a result code; "Unknown error." outside 0..97.
// After an output or a recording device was found but could not be opened,
// the text of that failure names the device.
const char* FMOD_ErrorString(FMOD_RESULT result);
