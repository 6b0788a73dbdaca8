// The recording stand-in engine's own entry points, as the protocol tests bind them.
#pragma once

// Every call the engine gets arrives as one line of text.
using RecorderSink = void (*)(const char* line);

// Script keys (Recorder_Script): what the engine answers and which callbacks it makes.
enum RecorderKey {
    rkInitResult,      // environment returned by Initialize (0: failure)
    rkBeginResult,     // result of action 4533
    rkSaveResult,      // result of action 4538
    rkDocumentSize,    // size reported by action 4537
    rkInputPages,      // pages delivered through callback 3 during action 4533
    rkMergeOnDraw,     // 1: the metafile action asks for merge text "MERGE:name"
    rkMessageOnDraw,   // 1: the metafile action sends message 42 "engine note"
    rkUpsetFPU,        // 1: Initialize and every action change the floating-point control words
    rkCount
};

using RecorderAttachProc = void (*)(RecorderSink sink);
using RecorderScriptProc = void (*)(int key, int value);
