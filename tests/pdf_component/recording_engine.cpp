// A stand-in PDF engine that records the calls it gets as lines of text and answers as the
// test scripts it, including the callbacks a real engine makes from inside its calls.
#include "recording_engine.h"

#include <windows.h>
#include <xmmintrin.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "PePDFEngine.h"

namespace {

RecorderSink sink = nullptr;
int script[rkCount] = {7, 0, 0, 5, 0, 0, 0, 0};
pepdf::Callback callback = nullptr;
void* sender = nullptr;
int nextId = 100;

void Log(const std::string& line) {
    if (sink) sink(line.c_str());
}

// As some drivers do: 24-bit x87 precision, every rounding toward zero.
void UpsetFloatingPoint() {
    if (!script[rkUpsetFPU]) return;
    const unsigned short x87 = 0x0C7F;
    __asm__ __volatile__("fldcw %0" : : "m"(x87));
    _mm_setcsr(_mm_getcsr() | 0x6000);
}

std::string Text(const char* text) { return text ? text : "(none)"; }

std::string Number(long long value) { return std::to_string(value); }

std::string Rect(const pepdf::ActionRec* r) {
    return Number(r->X) + " " + Number(r->Y) + " " + Number(r->Width) + " " + Number(r->Height);
}

std::string Narrow(const wchar_t* text) {
    std::string result;
    for (; text && *text; ++text) result += static_cast<char>(*text);
    return result;
}

void DeliverInputPages() {
    if (!callback) return;
    callback(sender, pepdf::cbInputPageCount, script[rkInputPages], nullptr);
    for (int i = 0; i < script[rkInputPages]; ++i) {
        pepdf::InputPageRec page{};
        page.TextCapacity = 64;
        page.PageIndex = i;
        page.Width = 612;
        page.Height = 792;
        callback(sender, pepdf::cbInputPage, 0, &page);
        if (page.Stop) {
            Log("stopped at " + Number(i));
            return;
        }
    }
}

std::string DescribeMetafile(HENHMETAFILE metafile) {
    ENHMETAHEADER header{};
    if (!GetEnhMetaFileHeader(metafile, sizeof(header), &header)) return "invalid";
    return "frame " + Number(header.rclFrame.right - header.rclFrame.left) + "x" +
           Number(header.rclFrame.bottom - header.rclFrame.top);
}

int32_t DrawMetafile(INT_PTR param, const pepdf::ActionRec* r) {
    Log("A 4544 " + Rect(r) + " " + Number(r->Extra1) + " " + Number(r->Extra2) + " " +
        DescribeMetafile(reinterpret_cast<HENHMETAFILE>(param)));
    if (script[rkMessageOnDraw] && callback) {
        callback(sender, pepdf::cbMessage, 42, const_cast<char*>("engine note"));
    }
    if (script[rkMergeOnDraw] && callback) {
        char text[] = "MERGE:name";
        callback(sender, pepdf::cbMergeText, 0, text);
        Log("merge done");
    }
    return 0;
}

int32_t DrawGraphic(pepdf::GraphicDef* g) {
    Log("A 4549 " + Number(g->X) + " " + Number(g->Y) + " " + Number(g->Width) + " " +
        Number(g->Height) + " id " + Number(g->Id) + " bitmap " + (g->Bitmap ? "yes" : "no") +
        " dib " + (g->DIBHeader ? "yes" : "no") + " data " + Number(g->DataLength) + " format " +
        Number(g->Format) + " image " + Number(g->ImageWidth) + "x" + Number(g->ImageHeight));
    if (g->Id == 0) g->Id = nextId++;
    return 0;
}

}  // namespace

extern "C" {

void Recorder_Attach(RecorderSink newSink) { sink = newSink; }

void Recorder_Script(int key, int value) {
    if (key >= 0 && key < rkCount) script[key] = value;
}

pepdf::Environment __stdcall PEPDF_Initialize(int32_t a, int32_t b, int32_t c, int32_t one,
                                              pepdf::Callback newCallback, void* newSender) {
    callback = newCallback;
    sender = newSender;
    UpsetFloatingPoint();
    Log("Initialize " + Number(a) + " " + Number(b) + " " + Number(c) + " " + Number(one));
    return script[rkInitResult];
}

void __stdcall PEPDF_Finalize(pepdf::Environment env) { Log("Finalize " + Number(env)); }

int32_t __stdcall PEPDF_ProcessPDF(void* page, char* buffer, int32_t length, HDC dc,
                                   int32_t resolution) {
    const auto* p = static_cast<pepdf::InputPageRec*>(page);
    Log("ProcessPDF " + Number(p->PageIndex) + " " + Number(length) + " " + (dc ? "dc" : "nodc") +
        " " + Number(resolution));
    if (!buffer) return 0;
    const std::string text = "text of page " + Number(p->PageIndex);
    std::strncpy(buffer, text.c_str(), static_cast<size_t>(length));
    return static_cast<int32_t>(text.size());
}

void __stdcall PEPDF_SetSProp(pepdf::Environment, int32_t id, const char* text) {
    Log("S " + Number(id) + " " + Text(text));
}

void __stdcall PEPDF_SetIProp(pepdf::Environment, int32_t id, int32_t value) {
    Log("I " + Number(id) + " " + Number(value));
}

void __stdcall PEPDF_InitializePage(pepdf::Environment, int32_t zero, pepdf::InitRec* r) {
    bool clean = true;
    for (uint8_t b : r->Reserved1) clean = clean && b == 0;
    for (uint8_t b : r->Reserved2) clean = clean && b == 0;
    Log("Page " + Number(zero) + " " + Number(r->Width) + " " + Number(r->Height) + " " +
        Number(r->XRes) + " " + Number(r->YRes) + " " + Number(r->Extra) + " " +
        Number(static_cast<uint32_t>(r->PageRecordValue)) + " " + Number(r->CreateThumbnails) +
        (clean ? "" : " dirty"));
}

int32_t __stdcall PEPDF_Action(pepdf::Environment, int32_t code, INT_PTR param, void* data) {
    UpsetFloatingPoint();
    auto* r = static_cast<const pepdf::ActionRec*>(data);
    switch (code) {
        case pepdf::acBeginDoc:
            Log("A 4533 " + Text(static_cast<const char*>(data)));
            DeliverInputPages();
            return script[rkBeginResult];
        case pepdf::acDrawMetafile:
            return DrawMetafile(param, r);
        case pepdf::acDrawGraphic:
            return DrawGraphic(static_cast<pepdf::GraphicDef*>(data));
        case pepdf::acDocumentCopy:
            Log("A 4537 " + Number(param) + (data ? " buffer" : ""));
            if (!data) return script[rkDocumentSize];
            std::memset(data, 'P', static_cast<size_t>(param));
            return static_cast<int32_t>(param);
        case pepdf::acSaveToFile:
            Log("A 4538 " + Text(static_cast<const char*>(data)));
            return script[rkSaveResult];
        case pepdf::acLinkArea:
        case pepdf::acBookmark:
        case pepdf::acBeginForm:
        case pepdf::acPlaceForm:
            Log("A " + Number(code) + " " + Rect(r) + " " + Number(r->Extra1) + " name " + r->Name +
                " dest " + r->Destination);
            return 0;
        case pepdf::acOutline:
            Log("A 4543 " + Number(r->X) + " " + Number(r->Y) + " name " + r->Name + " dest " +
                r->Destination + " kind " + Number(r->OutlineKind) + " " +
                Number(r->OutlineValue) + " text " + Number(r->TextKind) + " " +
                Narrow(r->WideCaption));
            return 9;
        case pepdf::acCommand:
            Log("A 4548 " + Number(param) + " " + Text(static_cast<const char*>(data)));
            return 0;
        default:
            Log("A " + Number(code));
            return 0;
    }
}

void __stdcall _PEPDF_PETEXEC() {}

}  // extern "C"
