// Hosts compiled against the interface read our records at fixed offsets; these
// asserts fail the build of any configuration whose declarations drift.
#include "vst24.h"

#define VST_AT(type, field, off32, off64) \
    static_assert(offsetof(type, field) == (sizeof(void*) == 8 ? (off64) : (off32)), \
                  #type "::" #field " is misplaced")
#define VST_SIZE(type, s32, s64) \
    static_assert(sizeof(type) == (sizeof(void*) == 8 ? (s64) : (s32)), #type " has the wrong size")

static_assert(sizeof(void*) == 4 || sizeof(void*) == 8, "unsupported pointer width");
static_assert(sizeof(intptr_t) == sizeof(void*), "intptr must be pointer-sized");
static_assert(sizeof(float) == 4 && sizeof(double) == 8, "IEEE single and double expected");
static_assert(kEffectMagic == 0x56737450, "magic is VstP");

VST_SIZE(AEffect, 144, 192);
VST_AT(AEffect, magic, 0, 0);
VST_AT(AEffect, dispatcher, 4, 8);
VST_AT(AEffect, process, 8, 16);
VST_AT(AEffect, setParameter, 12, 24);
VST_AT(AEffect, getParameter, 16, 32);
VST_AT(AEffect, numPrograms, 20, 40);
VST_AT(AEffect, numParams, 24, 44);
VST_AT(AEffect, numInputs, 28, 48);
VST_AT(AEffect, numOutputs, 32, 52);
VST_AT(AEffect, flags, 36, 56);
VST_AT(AEffect, resvd1, 40, 64);
VST_AT(AEffect, resvd2, 44, 72);
VST_AT(AEffect, initialDelay, 48, 80);
VST_AT(AEffect, realQualities, 52, 84);
VST_AT(AEffect, offQualities, 56, 88);
VST_AT(AEffect, ioRatio, 60, 92);
VST_AT(AEffect, object, 64, 96);
VST_AT(AEffect, user, 68, 104);
VST_AT(AEffect, uniqueID, 72, 112);
VST_AT(AEffect, version, 76, 116);
VST_AT(AEffect, processReplacing, 80, 120);
VST_AT(AEffect, processDoubleReplacing, 84, 128);
VST_AT(AEffect, future, 88, 136);

VST_SIZE(VstEvents, 16, 32);
VST_AT(VstEvents, numEvents, 0, 0);
VST_AT(VstEvents, reserved, 4, 8);
VST_AT(VstEvents, events, 8, 16);

VST_SIZE(VstEvent, 32, 32);
VST_AT(VstEvent, type, 0, 0);
VST_AT(VstEvent, byteSize, 4, 4);
VST_AT(VstEvent, deltaFrames, 8, 8);
VST_AT(VstEvent, flags, 12, 12);
VST_AT(VstEvent, data, 16, 16);

VST_SIZE(VstMidiEvent, 32, 32);
VST_AT(VstMidiEvent, type, 0, 0);
VST_AT(VstMidiEvent, byteSize, 4, 4);
VST_AT(VstMidiEvent, deltaFrames, 8, 8);
VST_AT(VstMidiEvent, flags, 12, 12);
VST_AT(VstMidiEvent, noteLength, 16, 16);
VST_AT(VstMidiEvent, noteOffset, 20, 20);
VST_AT(VstMidiEvent, midiData, 24, 24);
VST_AT(VstMidiEvent, detune, 28, 28);
VST_AT(VstMidiEvent, noteOffVelocity, 29, 29);
VST_AT(VstMidiEvent, reserved1, 30, 30);
VST_AT(VstMidiEvent, reserved2, 31, 31);

VST_SIZE(VstMidiSysexEvent, 32, 48);
VST_AT(VstMidiSysexEvent, type, 0, 0);
VST_AT(VstMidiSysexEvent, byteSize, 4, 4);
VST_AT(VstMidiSysexEvent, deltaFrames, 8, 8);
VST_AT(VstMidiSysexEvent, flags, 12, 12);
VST_AT(VstMidiSysexEvent, dumpBytes, 16, 16);
VST_AT(VstMidiSysexEvent, resvd1, 20, 24);
VST_AT(VstMidiSysexEvent, sysexDump, 24, 32);
VST_AT(VstMidiSysexEvent, resvd2, 28, 40);

VST_SIZE(VstTimeInfo, 88, 88);
VST_AT(VstTimeInfo, samplePos, 0, 0);
VST_AT(VstTimeInfo, sampleRate, 8, 8);
VST_AT(VstTimeInfo, nanoSeconds, 16, 16);
VST_AT(VstTimeInfo, ppqPos, 24, 24);
VST_AT(VstTimeInfo, tempo, 32, 32);
VST_AT(VstTimeInfo, barStartPos, 40, 40);
VST_AT(VstTimeInfo, cycleStartPos, 48, 48);
VST_AT(VstTimeInfo, cycleEndPos, 56, 56);
VST_AT(VstTimeInfo, timeSigNumerator, 64, 64);
VST_AT(VstTimeInfo, timeSigDenominator, 68, 68);
VST_AT(VstTimeInfo, smpteOffset, 72, 72);
VST_AT(VstTimeInfo, smpteFrameRate, 76, 76);
VST_AT(VstTimeInfo, samplesToNextClock, 80, 80);
VST_AT(VstTimeInfo, flags, 84, 84);

VST_SIZE(ERect, 8, 8);
VST_AT(ERect, top, 0, 0);
VST_AT(ERect, left, 2, 2);
VST_AT(ERect, bottom, 4, 4);
VST_AT(ERect, right, 6, 6);

VST_SIZE(VstKeyCode, 8, 8);
VST_AT(VstKeyCode, character, 0, 0);
VST_AT(VstKeyCode, virt, 4, 4);
VST_AT(VstKeyCode, modifier, 5, 5);

VST_SIZE(VstSpeakerProperties, 112, 112);
VST_AT(VstSpeakerProperties, azimuth, 0, 0);
VST_AT(VstSpeakerProperties, elevation, 4, 4);
VST_AT(VstSpeakerProperties, radius, 8, 8);
VST_AT(VstSpeakerProperties, reserved, 12, 12);
VST_AT(VstSpeakerProperties, name, 16, 16);
VST_AT(VstSpeakerProperties, type, 80, 80);
VST_AT(VstSpeakerProperties, future, 84, 84);

VST_SIZE(VstSpeakerArrangement, 904, 904);
VST_AT(VstSpeakerArrangement, type, 0, 0);
VST_AT(VstSpeakerArrangement, numChannels, 4, 4);
VST_AT(VstSpeakerArrangement, speakers, 8, 8);
