// Program entry: creates the application's four windows in order and runs the message loop.
#include <windows.h>

#include "ApplicationWindows.h"
#include "cl_forms.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        Application->Initialize();
        Application->SetTitle("QMC Continuous Radon Monitor");
        CreateApplicationWindows();
        Application->Run();
    } catch (Exception& e) {
        Application->ShowException(&e);
    } catch (...) {
        Exception empty("");
        Application->ShowException(&empty);
    }
    return 0;
}
