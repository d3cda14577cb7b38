// The shell's flat client interface, host side: how a client configures the
// effect record, reads the host's rate, block size and transport, and sends
// and receives MIDI. Every function takes the shell first and answers 0 (or
// does nothing) for a null shell.
#pragma once

#include <cstdint>

#include "vst24.h"

class CVeST;
struct VeSTCallbacks;

// The creation function the entry point uses (null when the host answers
// its version request with 0).
CVeST* VeSTCreate(void* client, const VeSTCallbacks* callbacks, audioMasterCallback host,
                  int32_t numPrograms, int32_t numParams);

AEffect* VeSTGetAEffect(CVeST* shell);
void* VeSTGetClient(CVeST* shell);

int32_t VeSTGetNumInputs(CVeST* shell);
int32_t VeSTGetNumOutputs(CVeST* shell);
int32_t VeSTSetNumInputs(CVeST* shell, int32_t count);
int32_t VeSTSetNumOutputs(CVeST* shell, int32_t count);
int32_t VeSTSetUniqueID(CVeST* shell, int32_t id);
int32_t VeSTProgramsAreChunks(CVeST* shell, bool state);
int32_t VeSTSetInitialDelay(CVeST* shell, int32_t delay);
int32_t VeSTSetIsSynth(CVeST* shell, bool state);

float VeSTGetSampleRate(CVeST* shell);
int32_t VeSTGetBlockSize(CVeST* shell);
double VeSTGetTempo(CVeST* shell);
double VeSTGetPpqPos(CVeST* shell);
double VeSTGetBarStartPos(CVeST* shell);
bool VeSTIsPlaying(CVeST* shell);
bool VeSTIsRecording(CVeST* shell);
// Out arguments may be null; answers 1 when the host gave time information.
int32_t VeSTGetTimeSignature(CVeST* shell, double* tempo, double* numerator,
                             double* denominator);
bool VeSTUpdateDisplay(CVeST* shell);
int32_t VeSTSetParameterAutomated(CVeST* shell, int32_t index, double value);

// Editor window thread: invalidates the editor's script view; answers 1 when
// a view was invalidated.
int32_t VeSTRedraw(CVeST* shell);
// Creates the shell's editor with the given size; answers 1 when created.
int32_t VeSTCreateEditor(CVeST* shell, int32_t width, int32_t height);

bool VeSTSendMidi(CVeST* shell, int32_t deltaFrames, uint8_t status, uint8_t data1,
                  uint8_t data2);
bool VeSTSendSysex(CVeST* shell, int32_t deltaFrames, uint8_t* dump, int32_t dumpBytes);
// Status and data bytes come back as signed bytes (144 reads as -112).
int32_t VeSTReceiveMidi(CVeST* shell, int32_t* deltaFrames, int32_t* status, int32_t* data1,
                        int32_t* data2);

int32_t VeSTGetMasterVersion(CVeST* shell);
int32_t VeSTGetCurrentUniqueId(CVeST* shell);
int32_t VeSTMasterIdle(CVeST* shell);
bool VeSTGetHostVendorString(CVeST* shell, char* text);
bool VeSTGetHostProductString(CVeST* shell, char* text);
int32_t VeSTGetHostVendorVersion(CVeST* shell);
int32_t VeSTGetHostLanguage(CVeST* shell);
