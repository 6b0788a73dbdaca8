// The main window's menu and toolbar commands that have no unit of their own: view toggles,
// picture slots, Clear Screen, the preferences entry points, help and about.
#include "RadonMainForm.h"

void TRadonMainForm::Data1Click(TObject*) {}
void TRadonMainForm::TestResults1Click(TObject*) {}
void TRadonMainForm::PrintPreview1Click(TObject*) {}
void TRadonMainForm::PrinttoPDF1Click(TObject*) {}
void TRadonMainForm::PrintSetup1Click(TObject*) {}
void TRadonMainForm::ExitClick(TObject*) {}
void TRadonMainForm::submnuCopyChartClick(TObject*) {}
void TRadonMainForm::SubMenuViewToolbarClick(TObject*) {}
void TRadonMainForm::SubMenuViewLabelClick(TObject*) {}
void TRadonMainForm::SubMenuViewStatusBarClick(TObject*) {}
void TRadonMainForm::SubMenuErrorCodesClick(TObject*) {}
void TRadonMainForm::PreferencesClick(TObject*) {}
void TRadonMainForm::submnuMonitorInformationClick(TObject*) {}
void TRadonMainForm::submnuPrintingPreferencesClick(TObject*) {}
void TRadonMainForm::subMenuPrintPreferencesClick(TObject*) {}
void TRadonMainForm::SoftwareReset1Click(TObject*) {}
void TRadonMainForm::Manual1Click(TObject*) {}
void TRadonMainForm::AboutClick(TObject*) {}
bool TRadonMainForm::ApplicationEvents1Help(uint16_t, int, bool&) { return false; }
void TRadonMainForm::UiBitBtn2Click(TObject*) {}
void TRadonMainForm::buttonClearScreenClick(TObject*) {}
void TRadonMainForm::UiBtnImage1Click(TObject*) {}
void TRadonMainForm::UiBtnImage2Click(TObject*) {}
void TRadonMainForm::UiBtnImage3Click(TObject*) {}
void TRadonMainForm::UiBtnImage4Click(TObject*) {}
void TRadonMainForm::UiBtnImage5Click(TObject*) {}
void TRadonMainForm::UiBtnImage6Click(TObject*) {}
void TRadonMainForm::ApplyPrintPreferences() {}
