// The engine library's entry points: environments by number, every call guarded so that no
// exception leaves the library.
#include <map>
#include <memory>

#include "EngineEnvironment.h"
#include "PePDFEngine.h"

namespace {

using pdfengine::EngineEnvironment;

std::map<pepdf::Environment, std::unique_ptr<EngineEnvironment>>& Environments() {
    static std::map<pepdf::Environment, std::unique_ptr<EngineEnvironment>> environments;
    return environments;
}

EngineEnvironment* Find(pepdf::Environment env) {
    auto found = Environments().find(env);
    return found != Environments().end() ? found->second.get() : nullptr;
}

}  // namespace

extern "C" {

pepdf::Environment __stdcall PEPDF_Initialize(int32_t, int32_t, int32_t, int32_t,
                                              pepdf::Callback callback, void* sender) {
    static pepdf::Environment last = 0;
    try {
        const pepdf::Environment env = ++last;
        Environments()[env] = std::make_unique<EngineEnvironment>(callback, sender);
        return env;
    } catch (...) {
        return 0;
    }
}

void __stdcall PEPDF_Finalize(pepdf::Environment env) {
    try {
        Environments().erase(env);
    } catch (...) {
    }
}

// Reading PDF files is not offered: no text, no drawing.
int32_t __stdcall PEPDF_ProcessPDF(void*, char* buffer, int32_t length, HDC, int32_t) {
    if (buffer && length > 0) buffer[0] = '\0';
    return 0;
}

void __stdcall PEPDF_SetSProp(pepdf::Environment env, int32_t id, const char* text) {
    try {
        if (EngineEnvironment* e = Find(env)) e->SetString(id, text);
    } catch (...) {
    }
}

void __stdcall PEPDF_SetIProp(pepdf::Environment env, int32_t id, int32_t value) {
    try {
        if (EngineEnvironment* e = Find(env)) e->SetInteger(id, value);
    } catch (...) {
    }
}

int32_t __stdcall PEPDF_Action(pepdf::Environment env, int32_t code, INT_PTR param, void* data) {
    EngineEnvironment* e = Find(env);
    if (!e) return -1;
    try {
        return e->Action(code, param, data);
    } catch (const std::exception& error) {
        e->Message(std::string("Engine failure: ") + error.what());
    } catch (...) {
        e->Message("Engine failure.");
    }
    return -1;
}

void __stdcall PEPDF_InitializePage(pepdf::Environment env, int32_t, pepdf::InitRec* rec) {
    if (EngineEnvironment* e = Find(env)) {
        if (rec) e->InitializePage(*rec);
    }
}

void __stdcall _PEPDF_PETEXEC() {}

}  // extern "C"
