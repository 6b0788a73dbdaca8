// A chart for the tool tests.
#include "tool_chart.h"

namespace {

UINT DownMessage(TMouseButton b) { return b == mbLeft ? WM_LBUTTONDOWN : WM_RBUTTONDOWN; }
UINT UpMessage(TMouseButton b) { return b == mbLeft ? WM_LBUTTONUP : WM_RBUTTONUP; }
WPARAM HeldFlag(TMouseButton b) { return b == mbLeft ? MK_LBUTTON : MK_RBUTTON; }

}  // namespace

ToolChart::ToolChart() {
    Application->Initialize();
    owner = new TComponent(nullptr);
    form = new TForm(owner);
    form->SetBounds(20, 20, 660, 460);
    chart = new TChart(owner);
    chart->SetParent(form);
    chart->SetBounds(0, 0, 640, 420);
    chart->SetView3D(false);
    chart->SetBevelOuter(bvNone);
    chart->SetColor(clWhite);
    chart->Title()->SetVisible(false);
    chart->Legend()->SetVisible(false);
    chart->BottomAxis->SetMinMax(0, 100);
    chart->LeftAxis->SetMinMax(0, 50);
    series = new TLineSeries(owner);
    series->SetName("Series1");
    chart->AddSeries(series);
    for (int i = 0; i <= 10; ++i) series->AddXY(i * 10, i % 2 ? 40 : 10);
    form->Show();
    Paint();
}

ToolChart::~ToolChart() { TObject::Free(owner); }

void ToolChart::Paint() {
    chart->Invalidate();
    Application->ProcessMessages();
    UpdateWindow(chart->Handle());
}

void ToolChart::Down(TPoint at, TMouseButton button) {
    SendMessageA(Window(), DownMessage(button), HeldFlag(button), MAKELPARAM(at.X, at.Y));
}

void ToolChart::Move(TPoint to, bool held, TMouseButton button) {
    SendMessageA(Window(), WM_MOUSEMOVE, held ? HeldFlag(button) : 0, MAKELPARAM(to.X, to.Y));
}

void ToolChart::Up(TPoint at, TMouseButton button) {
    SendMessageA(Window(), UpMessage(button), 0, MAKELPARAM(at.X, at.Y));
}

void ToolChart::Drag(TPoint from, TPoint to, TMouseButton button) {
    Down(from, button);
    for (int i = 1; i <= 4; ++i)
        Move(TPoint(from.X + (to.X - from.X) * i / 4, from.Y + (to.Y - from.Y) * i / 4), true,
             button);
    Up(to, button);
}
