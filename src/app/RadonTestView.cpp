// The test view: retrieval from the monitor, the identity and test labels and the averages.
#include "RadonMainForm.h"

void TRadonMainForm::ButtonRetriveClick(TObject*) {}
void TRadonMainForm::ShowRetrievedTest() {}
void TRadonMainForm::ShowLoadedTest() {}
void TRadonMainForm::ComputeAverages() {}
void TRadonMainForm::FeedChart(bool) {}
