// The export component as the engine sees it: a recording stand-in engine logs every call, and
// the tests compare the calls with the engine protocol, including its failures.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "PePDFR2.h"
#include "cl_datetime.h"
#include "cl_fpu.h"
#include "cl_sys.h"
#include "recording_engine.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;

std::vector<std::string> lines;

void Record(const char* line) { lines.push_back(line); }

std::string ProgramFolder() { return ExtractFilePath(ExeFileName()).c_str(); }

// Keeps the recording engine loaded for the whole test and scripts its answers.
class Recorder {
public:
    Recorder() {
        module_ = LoadLibraryA((ProgramFolder() + "PEPDFREC.DLL").c_str());
        attach_ = reinterpret_cast<RecorderAttachProc>(
            reinterpret_cast<void*>(GetProcAddress(module_, "Recorder_Attach")));
        script_ = reinterpret_cast<RecorderScriptProc>(
            reinterpret_cast<void*>(GetProcAddress(module_, "Recorder_Script")));
        const int defaults[rkCount] = {7, 0, 0, 5, 0, 0, 0, 0};
        for (int key = 0; key < rkCount; ++key) script_(key, defaults[key]);
        attach_(Record);
    }
    ~Recorder() {
        attach_(nullptr);
        FreeLibrary(module_);
    }
    void Script(RecorderKey key, int value) { script_(key, value); }

private:
    HMODULE module_;
    RecorderAttachProc attach_;
    RecorderScriptProc script_;
};

class PdfComponentTest : public ::testing::Test {
protected:
    void SetUp() override {
        lines.clear();
        TPeCustomPDFExport::StoreDLLName("PEPDFREC.DLL");
        pdf = new TPePDFPrinter(nullptr);
        pdf->SetFilename("C:\\out\\report.pdf");
        pdf->Info()->CreationDate = EncodeDateTime(2026, 3, 4, 5, 6, 7, 0);
        pdf->Info()->ModDate = EncodeDateTime(2001, 2, 3, 4, 5, 6, 0);
    }
    void TearDown() override {
        TObject::Free(pdf);
        TPeCustomPDFExport::StoreDLLName("PEPDF200.DLL");
    }
    // The lines logged since the last call.
    std::vector<std::string> Take() {
        std::vector<std::string> taken;
        taken.swap(lines);
        return taken;
    }
    std::string RaisedBy(const std::function<void()>& action) {
        try {
            action();
        } catch (const Exception& e) {
            return e.Message().c_str();
        }
        return "(nothing raised)";
    }
    bool Logged(const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }

    Recorder recorder;
    TPeCustomPDFExport* pdf = nullptr;
};

TEST_F(PdfComponentTest, WritesADocumentInTheEngineProtocol) {
    pdf->Info()->Author = "Inspector";
    pdf->Info()->Title = "Radon report";
    pdf->Info()->GetAdditionalStrings()->Add("Site=Main St");
    pdf->Info()->GetAdditionalStrings()->Add("Unit=pCi/l");
    pdf->BeginDoc();
    pdf->StartPage(2100, 2970, 254, 254, 0);
    TCanvas* canvas = pdf->GetCanvas();
    EXPECT_EQ(canvas, pdf->GetCanvas());
    canvas->TextOut(100, 100, "Radon");
    pdf->EndPage();
    pdf->EndDoc();

    const std::string ppi = std::to_string(ScreenPixelsPerInch());
    const std::string banner = pdf->Info()->Producer.c_str();
    EXPECT_THAT(Take(), ElementsAreArray(std::vector<std::string>{
        "Initialize 0 0 0 1",
        "I 1 0", "I 2 0", "I 3 0", "I 14 0", "I 4 0", "I 6 0", "I 7 0", "I 15 0", "I 12 0",
        "I 25 0", "I 26 32", "I 27 0", "I 9 0", "I 8 0", "I 21 0",
        "S 1 Inspector", "S 2 D:20260304050607", "S 3 D:20010203040506", "S 4 " + banner,
        "S 5 Radon report", "S 6 ", "S 7 ", "S 9 ", "S 11 ", "S 10 ", "S 12 ", "S 14 ",
        "S 16 Site=Main St\r\nUnit=pCi/l",
        "I 10 200", "A 4533 C:\\out\\report.pdf",
        "Page 0 2100 2970 254 254 0 2147483664 0", "A 4535",
        "A 4544 0 0 0 0 " + ppi + " " + ppi + " frame 21000x29700", "A 4536",
        "A 4534", "A 4538 C:\\out\\report.pdf", "A 4539", "Finalize 7"}));
    EXPECT_FALSE(pdf->Printing());
}

TEST_F(PdfComponentTest, PageMetafileMeasuresThePaper) {
    struct Case {
        int width, height, xRes, yRes;
        std::string page, frame;
    };
    const Case cases[] = {
        {2100, 2970, 254, 254, "Page 0 2100 2970 254 254", "frame 21000x29700"},
        {612, 792, 72, 72, "Page 0 612 792 72 72", "frame 21590x27940"},
        {612, 792, 0, 0, "Page 0 612 792 72 72", "frame 21590x27940"},
        {4960, 7016, 600, 600, "Page 0 4960 7016 600 600", "frame 20997x29701"},
    };
    pdf->BeginDoc();
    for (const Case& c : cases) {
        Take();
        pdf->StartPage(c.width, c.height, c.xRes, c.yRes, 0);
        pdf->GetCanvas()->Rectangle(0, 0, 10, 10);
        pdf->EndPage();
        const std::vector<std::string> calls = Take();
        ASSERT_EQ(calls.size(), 4u);
        EXPECT_THAT(calls[0], HasSubstr(c.page)) << c.width;
        EXPECT_THAT(calls[2], HasSubstr(c.frame)) << c.width;
    }
}

TEST_F(PdfComponentTest, OutputGoesToMemoryOrAStreamAndTheFileIsStillSaved) {
    pdf->InMemoryMode = true;
    TMemoryStream stream;
    pdf->Stream = &stream;
    pdf->BeginDoc();
    pdf->EndDoc();
    EXPECT_TRUE(Logged("A 4533 (none)"));
    EXPECT_TRUE(Logged("A 4537 0"));
    EXPECT_TRUE(Logged("A 4537 5 buffer"));
    EXPECT_TRUE(Logged("A 4538 C:\\out\\report.pdf"));
    ASSERT_EQ(stream.Size(), 5);
    EXPECT_EQ(std::string(static_cast<const char*>(stream.Memory()), 5), "PPPPP");
}

TEST_F(PdfComponentTest, SecondBeginDocOnAHealthyDocumentDoesNothing) {
    pdf->BeginDoc();
    Take();
    pdf->BeginDoc();
    EXPECT_TRUE(Take().empty());
    EXPECT_TRUE(pdf->Printing());
}

TEST_F(PdfComponentTest, FailuresRaiseTheirTexts) {
    EXPECT_EQ(RaisedBy([&] { pdf->StartPage(612, 792, 72, 72, 0); }),
              "StartPage is only allowed within StartDoc and EndDoc!");
    pdf->SetFilename("");
    EXPECT_EQ(RaisedBy([&] { pdf->BeginDoc(); }), "No filename or InMemoryMode was specified!");
    EXPECT_TRUE(Take().empty());
    pdf->SetFilename("C:\\out\\report.pdf");

    recorder.Script(rkInitResult, 0);
    EXPECT_EQ(RaisedBy([&] { pdf->BeginDoc(); }), "Initialization of PDF Engine failed");
    recorder.Script(rkInitResult, 7);

    recorder.Script(rkBeginResult, 3);
    EXPECT_EQ(RaisedBy([&] { pdf->BeginDoc(); }), "Error in BeginDoc!");
    EXPECT_FALSE(pdf->Printing());
    recorder.Script(rkBeginResult, 0);
    Take();
    pdf->BeginDoc();
    const std::vector<std::string> calls = Take();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls[0], "Finalize 7");
    EXPECT_TRUE(pdf->Printing());
}

TEST_F(PdfComponentTest, MissingOrIncompatibleLibraryIsNamed) {
    struct Case {
        const char* name;
        const char* text;
    };
    const Case cases[] = {
        {"NOSUCH.DLL", "DLL \"NOSUCH.DLL\" was not found. PDF Export is not possible."},
        {"PEPDFBAD.DLL", "DLL \"PEPDFBAD.DLL\" is not compatible. PDF Export is not possible."},
    };
    for (const Case& c : cases) {
        TPeCustomPDFExport::StoreDLLName(c.name);
        EXPECT_EQ(RaisedBy([&] { pdf->BeginDoc(); }), c.text);
        EXPECT_FALSE(pdf->Printing());
    }
}

TEST_F(PdfComponentTest, LibraryIsLoadedFromTheProgramsFolderOnly) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "pdf_cwd_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string copy = folder + "\\PEPDFCWD.DLL";
    ASSERT_TRUE(CopyFileA((ProgramFolder() + "PEPDFREC.DLL").c_str(), copy.c_str(), FALSE));
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(folder.c_str());
    TPeCustomPDFExport::StoreDLLName("PEPDFCWD.DLL");
    const std::string raised = RaisedBy([&] { pdf->BeginDoc(); });
    SetCurrentDirectoryA(previous);
    DeleteFileA(copy.c_str());
    RemoveDirectoryA(folder.c_str());
    EXPECT_EQ(raised, "DLL \"PEPDFCWD.DLL\" was not found. PDF Export is not possible.");
}

TEST_F(PdfComponentTest, FailedSaveIsRaisedAfterTheEngineSideIsClosed) {
    recorder.Script(rkSaveResult, 1);
    bool afterEndDoc = false;
    pdf->AfterEndDoc = [&](TObject*) { afterEndDoc = true; };
    bool launched = false;
    PeAfterPDFCreation = [&](TPeCustomPDFExport*, const AnsiString&, bool&) { launched = true; };
    pdf->BeginDoc();
    EXPECT_EQ(RaisedBy([&] { pdf->EndDoc(); }),
              "The PDF file \"C:\\out\\report.pdf\" could not be written.");
    PeAfterPDFCreation = nullptr;
    EXPECT_TRUE(Logged("A 4539"));
    EXPECT_TRUE(Logged("Finalize 7"));
    EXPECT_TRUE(afterEndDoc);
    EXPECT_FALSE(launched);
    EXPECT_FALSE(pdf->Printing());
    EXPECT_EQ(pdf->UseCount(), 0);
}

TEST_F(PdfComponentTest, DocumentLeftBehindByAFailureIsGivenUpAtTheNextBeginDoc) {
    pdf->BeginDoc();
    pdf->StartPage(612, 792, 72, 72, 0);
    pdf->GetCanvas()->TextOut(10, 10, "stale page");
    // The painter failed here: neither EndPage nor EndDoc came.
    Take();
    pdf->BeginDoc();
    const std::vector<std::string> calls = Take();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_THAT(std::vector<std::string>(calls.begin(), calls.begin() + 3),
                ElementsAre("A 4539", "Finalize 7", "Initialize 0 0 0 1"));
    EXPECT_EQ(std::count_if(calls.begin(), calls.end(),
                            [](const std::string& l) { return l.rfind("A 4544", 0) == 0; }),
              0);
    EXPECT_EQ(pdf->PageCount(), 0);
    EXPECT_EQ(pdf->UseCount(), 1);
}

TEST_F(PdfComponentTest, AbandonedDocumentIsClosedWithoutSavingAndOnlyOnce) {
    pdf->BeginDoc();
    pdf->StartPage(612, 792, 72, 72, 0);
    pdf->GetCanvas()->TextOut(10, 10, "half a report");
    Take();
    pdf->AbandonDocument();
    EXPECT_THAT(Take(), ElementsAre("A 4539", "Finalize 7"));
    EXPECT_FALSE(pdf->Printing());
    EXPECT_EQ(pdf->UseCount(), 0);
    pdf->AbandonDocument();
    EXPECT_THAT(Take(), ElementsAre());
    EXPECT_EQ(pdf->UseCount(), 0);
}

TEST_F(PdfComponentTest, NothingCallsTheLibraryOnceItIsUnloaded) {
    pdf->BeginDoc();
    pdf->StartPage(612, 792, 72, 72, 0);
    Take();
    pdf->UnLoadDLL();
    EXPECT_THAT(Take(), ElementsAre("A 4539", "Finalize 7"));
    EXPECT_FALSE(pdf->Printing());
    pdf->GetCanvas()->LineTo(5, 5);
    pdf->EndPage();
    char data[4] = {1, 2, 3, 4};
    EXPECT_EQ(pdf->DrawJPEG(0, 0, 1, 1, 1, 1, data, 4, peRGBjpeg), -1);
    pdf->EnlargeFontWidth(3);
    pdf->InitDC();
    pdf->SetModes({peAlwaysHighResPDF});
    pdf->EndDoc();
    TObject::Free(pdf);
    pdf = nullptr;
    EXPECT_TRUE(Take().empty());
}

TEST_F(PdfComponentTest, LibraryNameChangesOnlyWithoutAnOpenDocument) {
    pdf->BeginDoc();
    pdf->SetDLLName("PEPDFREC.DLL");
    EXPECT_EQ(RaisedBy([&] { pdf->SetDLLName("OTHER.DLL"); }), "DLL is in use. Cannot unload it");
    EXPECT_EQ(TPeCustomPDFExport::GetDLLName(), "PEPDFREC.DLL");
    pdf->EndDoc();
    pdf->SetDLLName("OTHER.DLL");
    EXPECT_EQ(TPeCustomPDFExport::GetDLLName(), "OTHER.DLL");
}

TEST_F(PdfComponentTest, ModesKeepOnlyTheResolutionChoiceAddedLast) {
    struct Case {
        TPeDevModes before, assigned, after;
    };
    const Case cases[] = {
        {{peAlwaysHighResPDF}, {peAlwaysHighResPDF, peNeverHighResPDF}, {peNeverHighResPDF}},
        {{}, {peAlwaysHighResPDF, peNeverHighResPDF}, {peNeverHighResPDF}},
        {{peNeverHighResPDF}, {peAlwaysHighResPDF, peNeverHighResPDF}, {peAlwaysHighResPDF}},
        {{peNeverHighResPDF}, {peAlwaysHighResPDF}, {peAlwaysHighResPDF}},
    };
    for (const Case& c : cases) {
        pdf->SetModes(c.before);
        pdf->SetModes(c.assigned);
        EXPECT_EQ(pdf->Modes(), c.after);
    }
    pdf->BeginDoc();
    Take();
    pdf->SetModes({peClipRectSupport, peNoTextScaling});
    EXPECT_THAT(Take(), ElementsAre("I 26 " + std::to_string((1 << 5) | (1 << 13))));
}

TEST_F(PdfComponentTest, BackgroundFormIsMadeOnceAndPlacedOnEveryPage) {
    TMetafile background;
    {
        background.SetMMWidth(21590);
        background.SetMMHeight(27940);
        TMetafileCanvas canvas(&background, nullptr);
        canvas.Ellipse(0, 0, 50, 50);
    }
    std::vector<int> asked;
    pdf->OnGetWatermark = [&](TObject*, int page, HENHMETAFILE& handle, AnsiString&) {
        asked.push_back(page);
        handle = background.Handle();
    };
    pdf->BeginDoc();
    Take();
    pdf->StartPage(612, 792, 72, 72, 0);
    pdf->EndPage();
    const std::vector<std::string> first = Take();
    pdf->StartPage(612, 792, 72, 72, 0);
    const std::vector<std::string> second = Take();
    EXPECT_THAT(asked, ElementsAre(1, 2));
    ASSERT_EQ(first.size(), 8u);
    EXPECT_THAT(first[0], HasSubstr("Page 0 612 792 72 72 0"));
    EXPECT_EQ(first[1], "A 4545 0 0 612 792 0 name XPEF0 dest ");
    EXPECT_THAT(first[2], HasSubstr("A 4544 0 0 0 0 0 0 frame 21590x27940"));
    EXPECT_EQ(first[3], "A 4546");
    EXPECT_EQ(first[5], "A 4535");
    EXPECT_EQ(first[6], "A 4547 0 0 612 792 0 name XPEF0 dest ");
    EXPECT_THAT(second, ElementsAre(HasSubstr("Page 0 612 792"), "A 4535",
                                    "A 4547 0 0 612 792 0 name XPEF0 dest "));
}

TEST_F(PdfComponentTest, EngineCallbacksReachTheHandlersDuringTheEngineCall) {
    recorder.Script(rkMessageOnDraw, 1);
    recorder.Script(rkMergeOnDraw, 1);
    std::vector<std::string> messages;
    pdf->OnError = [&](TObject*, int num, const AnsiString& text) {
        messages.push_back(std::to_string(num) + " " + text.c_str());
    };
    pdf->OnMergeText = [&](TObject*, AnsiString& text) {
        if (text == "MERGE:name") text = "Mr Smith";
    };
    pdf->BeginDoc();
    pdf->StartPage(612, 792, 72, 72, 0);
    pdf->GetCanvas()->TextOut(1, 1, "x");
    Take();
    pdf->EndPage();
    EXPECT_THAT(Take(), ElementsAre(HasSubstr("A 4544"), "S 15 Mr Smith", "merge done", "A 4536"));
    EXPECT_THAT(messages, ElementsAre("42 engine note"));

    pdf->OnError = [](TObject*, int, const AnsiString&) { throw Exception("handler failed"); };
    pdf->StartPage(612, 792, 72, 72, 0);
    pdf->GetCanvas()->TextOut(1, 1, "x");
    EXPECT_EQ(RaisedBy([&] { pdf->EndPage(); }), "handler failed");
    EXPECT_TRUE(Logged("A 4536"));
}

TEST_F(PdfComponentTest, EngineCallsLeaveTheFloatingPointControlWordsAsTheyWere) {
    recorder.Script(rkUpsetFPU, 1);
    const uint16_t x87 = GetX87ControlWord();
    const uint32_t sse = GetSSEControlWord() & ~0x3Fu;
    pdf->BeginDoc();
    pdf->StartPage(2100, 2970, 254, 254, 0);
    EXPECT_EQ(GetX87ControlWord(), x87);
    EXPECT_EQ(GetSSEControlWord() & ~0x3Fu, sse);
    pdf->GetCanvas()->TextOut(100, 100, "Radon");
    pdf->EndPage();
    pdf->EndDoc();
    EXPECT_EQ(GetX87ControlWord(), x87);
    EXPECT_EQ(GetSSEControlWord() & ~0x3Fu, sse);
}

TEST_F(PdfComponentTest, ImagesAndNavigationReachTheEngineOnlyInADocument) {
    char jpeg[3] = {1, 2, 3};
    EXPECT_EQ(pdf->DrawJPEG(0, 0, 10, 10, 4, 4, jpeg, 0, peRGBjpeg), -1);
    TBitmap bitmap;
    bitmap.SetSize(4, 4);
    EXPECT_EQ(pdf->DrawBitmap(1, 2, 3, 4, bitmap.Handle()), 0);
    EXPECT_EQ(pdf->SetOutlineXY("Outside", 0, 0, 1, 0), 0);
    EXPECT_TRUE(Take().empty());

    pdf->BeginDoc();
    pdf->StartPage(612, 792, 72, 72, 0);
    Take();
    EXPECT_EQ(pdf->DrawBitmap(1, 2, 3, 4, bitmap.Handle()), 100);
    EXPECT_EQ(pdf->DrawBitmapClone(5, 6, 7, 8, 100), 100);
    EXPECT_EQ(pdf->DrawJPEG(1, 2, 3, 4, 16, 8, jpeg, 3, peGrayjpeg), 101);
    EXPECT_EQ(pdf->DrawCCITT(1, 2, 3, 4, 16, 8, peCCITT_42D, jpeg, 3), 102);
    pdf->SetBookmark("Chart", 10, 20);
    pdf->SetLinkArea("Chart", TRect(1, 2, 11, 22));
    EXPECT_EQ(pdf->SetOutlineXY("Data", 5, 6, 3, 0), 9);
    EXPECT_EQ(pdf->SetOutline("Risk", "Chart", 0, 2), 9);
    EXPECT_EQ(pdf->SetOutlineW(L"Wide", L"Chart", 1, 0), 9);
    EXPECT_THAT(Take(), ElementsAre(
        "A 4549 1 2 3 4 id 0 bitmap yes dib no data 0 format 0 image 0x0",
        "A 4549 0 0 0 0 id 100 bitmap no dib no data 0 format 0 image 0x0",
        "A 4549 5 6 7 8 id 100 bitmap no dib no data 0 format 0 image 0x0",
        "A 4549 1 2 3 4 id 0 bitmap no dib no data 3 format 7 image 16x8",
        "A 4549 1 2 3 4 id 0 bitmap no dib no data 3 format 5 image 16x8",
        "A 4542 10 20 0 0 0 name  dest Chart", "A 4541 1 2 10 20 0 name  dest Chart",
        "A 4543 5 6 name Data dest  kind 5 3 text 0 ",
        "A 4543 0 0 name Risk dest Chart kind 4 2 text 0 ",
        "A 4543 0 0 name Wide dest Chart kind 5 1 text 2 Wide"));

    TIcon icon;
    EXPECT_EQ(RaisedBy([&] { pdf->DrawTGraphic(0, 0, 1, 1, &icon); }), "Cannot convert TIcon");
}

TEST_F(PdfComponentTest, DebugModeWritesACopyOfEveryPage) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder =
        std::string(temp) + "pdf_debug_" + std::to_string(GetCurrentProcessId()) + "\\pages";
    pdf->DebugMode = true;
    pdf->DebugMetafilePath = folder.c_str();
    std::vector<std::string> messages;
    pdf->OnError = [&](TObject*, int num, const AnsiString& text) {
        messages.push_back(std::to_string(num) + " " + text.c_str());
    };
    pdf->BeginDoc();
    pdf->StartPage(612, 792, 72, 72, 0);
    pdf->GetCanvas()->Rectangle(10, 10, 100, 100);
    pdf->EndPage();
    pdf->EndDoc();
    const std::string copy = folder + "\\Page1.EMF";
    EXPECT_THAT(messages, ElementsAre("0 Wrote debug file:" + copy));
    HENHMETAFILE written = GetEnhMetaFileA(copy.c_str());
    EXPECT_NE(written, nullptr);
    DeleteEnhMetaFile(written);
    DeleteFileA(copy.c_str());
    RemoveDirectoryA(folder.c_str());
    RemoveDirectoryA(folder.substr(0, folder.rfind('\\')).c_str());
}

class PdfImportTest : public PdfComponentTest {};

TEST_F(PdfImportTest, KeepsTheAskedPagesAndStopsTheEngineAfterThem) {
    recorder.Script(rkInputPages, 6);
    TOwnedPtr<TPePDFPagesImport> import(new TPePDFPagesImport(nullptr));
    import->PDFFile = "C:\\in\\scan.pdf";
    import->FromPage = 3;
    import->ToPage = 4;
    EXPECT_TRUE(import->Execute());
    ASSERT_EQ(import->GetPageCount(), 2);
    EXPECT_EQ(import->GetPage(0)->PageNumber, 3);
    EXPECT_EQ(import->GetPage(0)->Text, "text of page 2");
    EXPECT_EQ(import->GetPage(1)->PageNumber, 4);
    EXPECT_EQ(import->GetPage(1)->Text, "text of page 3");
    EXPECT_TRUE(Logged("I 9 1"));
    EXPECT_TRUE(Logged("I 8 2"));
    EXPECT_TRUE(Logged("S 12 C:\\in\\scan.pdf"));
    EXPECT_TRUE(Logged("A 4533 (none)"));
    EXPECT_TRUE(Logged("stopped at 4"));
    EXPECT_TRUE(Logged("Finalize 7"));
    EXPECT_FALSE(Logged("A 4538 (none)"));

    import->FromPage = 10;
    import->ToPage = 0;
    EXPECT_FALSE(import->Execute());
    EXPECT_EQ(import->GetPageCount(), 0);
}

TEST_F(PdfImportTest, MetafilePagesCarryTheirSizeInTwips) {
    recorder.Script(rkInputPages, 1);
    TOwnedPtr<TPePDFPagesImport> import(new TPePDFPagesImport(nullptr));
    import->Mode = pepdfReadMetafile;
    EXPECT_TRUE(import->Execute());
    ASSERT_EQ(import->GetPageCount(), 1);
    TPePDFImportedPage* page = import->GetPage(0);
    EXPECT_EQ(page->Width(), 612 * 20);
    EXPECT_EQ(page->Height(), 792 * 20);
    EXPECT_EQ(import->MaxWidth(), 612 * 20);
    ASSERT_NE(page->Graphic(), nullptr);
    EXPECT_EQ(page->Graphic()->ClassName(), "TMetafile");
    EXPECT_TRUE(Logged("ProcessPDF 0 0 dc " + std::to_string(ScreenPixelsPerInch())));
}

}  // namespace
