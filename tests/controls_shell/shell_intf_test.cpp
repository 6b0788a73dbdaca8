#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "UiShellIntf.h"
#include "shown_form.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

// Runs the body on a thread of its own, where COM has not been started yet.
void OnFreshThread(const std::function<void()>& body) { std::thread(body).join(); }

TEST(ComStartup, StartsAndStopsComOnlyWhenItStartedIt) {
    OnFreshThread([] {
        TUiComStartup startup;
        startup.Start();
        EXPECT_TRUE(startup.StartedHere());
        startup.Stop();
        const HRESULT again = CoInitialize(nullptr);
        EXPECT_EQ(S_OK, again);  // stopped: COM is down again
        CoUninitialize();
    });
    OnFreshThread([] {
        ASSERT_EQ(S_OK, CoInitialize(nullptr));
        TUiComStartup startup;
        startup.Start();
        EXPECT_FALSE(startup.StartedHere());
        startup.Stop();
        CoUninitialize();
        // The thread's own start still stands after our stop and its own uninitialisation.
        EXPECT_EQ(S_FALSE, CoInitialize(nullptr));
        CoUninitialize();
        CoUninitialize();
    });
}

TEST(ComStartup, SubsystemStartsComOnTheMainThread) {
    EXPECT_EQ(S_FALSE, CoInitialize(nullptr));
    CoUninitialize();
    ShellComStartup();
}

// A drop target of ours, laid out through the declared interface, recording its calls.
class TRecordingDropTarget : public IDropTarget_NRC {
public:
    std::vector<std::string> calls;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid == IID_IUnknown || iid == IID_IDropTarget) {
            *object = this;
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override {
        return Record("DragEnter", effect);
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
        return Record("DragOver", effect);
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return Record("DragLeave", nullptr); }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject*, DWORD, POINTL, DWORD* effect) override {
        return Record("Drop", effect);
    }
    ULONG References() const { return references_; }

private:
    HRESULT Record(const char* call, DWORD* effect) {
        if (calls.empty() || calls.back() != call) calls.push_back(call);
        if (effect) *effect = DROPEFFECT_COPY;
        return S_OK;
    }
    ULONG references_ = 0;
};

// Moves the cursor along a script at each question and drops at its end.
class TScriptedDropSource : public IDropSource_NRC {
public:
    explicit TScriptedDropSource(std::vector<POINT> path) : path_(std::move(path)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid == IID_IUnknown || iid == IID_IDropSource) {
            *object = this;
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL, DWORD) override {
        if (step_ >= path_.size()) return DRAGDROP_S_DROP;
        SetCursorPos(path_[step_].x, path_[step_].y);
        ++step_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override {
        return DRAGDROP_S_USEDEFAULTCURSORS;
    }

private:
    std::vector<POINT> path_;
    size_t step_ = 0;
};

// A data object that offers nothing: the drag itself is what the test watches.
class TEmptyDataObject : public IDataObject_NRC {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid == IID_IUnknown || iid == IID_IDataObject) {
            *object = this;
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC*, STGMEDIUM*) override { return DV_E_FORMATETC; }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override {
        return DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC*) override { return DV_E_FORMATETC; }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC** out) override {
        *out = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
};

// A plain top-level window that the cursor can be over (static controls are transparent to
// hit tests).
HWND CreatePlainWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "ShellIntfTestWindow";
    RegisterClassA(&windowClass);
    return CreateWindowExA(WS_EX_TOPMOST, windowClass.lpszClassName, "", WS_POPUP | WS_VISIBLE,
                           100, 100, 200, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
}

// The path visits each point for several questions, so that the drag sees it.
std::vector<POINT> Path(std::initializer_list<POINT> points) {
    std::vector<POINT> path;
    for (const POINT& point : points) path.insert(path.end(), 5, point);
    return path;
}

TEST(DropTargetDeclaration, RegisteredTargetReceivesTheDragInTableOrder) {
    HWND window = CreatePlainWindow();
    ASSERT_TRUE(window);
    TRecordingDropTarget target;
    ASSERT_EQ(S_OK, RegisterDragDrop(window, &target));
    EXPECT_GT(target.References(), 0u);

    SetCursorPos(200, 200);
    const POINT inside{210, 210}, outside{600, 600};
    TScriptedDropSource source(Path({inside, outside, inside}));
    TEmptyDataObject data;
    DWORD effect = 0;
    const HRESULT result = DoDragDrop(&data, &source, DROPEFFECT_COPY, &effect);

    EXPECT_EQ(DRAGDROP_S_DROP, result);
    EXPECT_EQ(DROPEFFECT_COPY, effect);
    const std::vector<std::string> expected{"DragEnter", "DragOver", "DragLeave",
                                            "DragEnter", "DragOver", "Drop"};
    EXPECT_EQ(expected, target.calls);
    EXPECT_EQ(S_OK, RevokeDragDrop(window));
    EXPECT_EQ(0u, target.References());
    DestroyWindow(window);
}

}  // namespace
