// The main window's side of port selection: the Select Serial Port command and the device-change
// broadcasts of serial adapters being plugged in or pulled out.
#include "RadonMainForm.h"

void TRadonMainForm::WndProc(TMessage& message) { TForm::WndProc(message); }
void TRadonMainForm::SerialPort1Click(TObject*) {}
