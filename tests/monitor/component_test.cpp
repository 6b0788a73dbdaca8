// The serial port component on its own: settings refused while open, opening failures, writes
// on a closed port, and the PIN rule of the monitor object.
#include "monitor_link.h"

#include "cl_except.h"
#include "comthread.h"

namespace {

template <class F> AnsiString ExceptionText(F operation) {
    try {
        operation();
    } catch (const Exception& e) {
        return e.Message();
    }
    return "(nothing raised)";
}

class SerialComponent : public ::testing::Test {
protected:
    void TearDown() override { TObject::Free(com); }
    TAdvancedCom* com = new TAdvancedCom(nullptr);
};

TEST_F(SerialComponent, DefaultsAndClosedPortBehaviour) {
    EXPECT_EQ(com->BufSize(), 254u);
    EXPECT_EQ(com->Baud(), 9600u);
    EXPECT_EQ(com->Port(), 1u);
    EXPECT_EQ(com->GetPacketSize(), 0xFFFFFFFFu);
    com->Write("abc");
    EXPECT_EQ(com->ErrorText(), AnsiString("Com not initialized."));
    EXPECT_FALSE(com->Initialized());
    EXPECT_EQ(ExceptionText([&] { com->SetDtr(true); }), AnsiString("Initialize port before setting DTR"));
    EXPECT_EQ(ExceptionText([&] { com->SetRts(true); }), AnsiString("Set Serial port before Starting"));
}

TEST_F(SerialComponent, StopBitRuleHoldsEvenWhileClosed) {
    com->SetDataBits(5);
    com->SetStopBits(s1_5);
    const AnsiString text = "1.5 Stop Bits with 6,7, or 8 Data Bits is an invalid combination";
    EXPECT_EQ(ExceptionText([&] { com->SetDataBits(6); }), text);
    com->SetStopBits(s1);
    com->SetDataBits(8);
    EXPECT_EQ(ExceptionText([&] { com->SetStopBits(s1_5); }), text);
}

TEST_F(SerialComponent, MissingPortLeavesItClosedWithPortZero) {
    com->SetPortA(42);
    com->ComInit();
    EXPECT_FALSE(com->Open());
    EXPECT_EQ(com->Port(), 0u);
    EXPECT_FALSE(com->Initialized());
    EXPECT_FALSE(com->TryPort(42));
}

TEST_F(SerialComponent, OpenPortRefusesLineSettingsButTakesTheBaudRate) {
    com->SetPortA(5);
    com->SetDtrControl(dtrDisable);
    com->SetRtsControl(rtsDisable);
    com->ComInit();
    ASSERT_TRUE(com->Open());
    EXPECT_NE(ReceiveDataEvent, nullptr);
    EXPECT_EQ(com->GetPacketSize(), 254u);
    com->SetBaud(57600);
    EXPECT_EQ(com->Baud(), 57600u);
    const std::pair<std::function<void()>, const char*> refusals[] = {
        {[&] { com->SetBufSize(100); }, "Buffer can only be resized before ComInit()!"},
        {[&] { com->SetDataBits(7); }, "Data bits can only be set before ComInit()!"},
        {[&] { com->SetParity(even); }, "Parity can only be set before ComInit()!"},
        {[&] { com->SetStopBits(s2); }, "Stop bits can only be set before ComInit()!"},
        {[&] { com->SetPortA(7); }, "Port can only be set before ComInit()!"},
        {[&] { com->SetTimeout(5); }, "Timeout can only be set before ComInit()!"},
        {[&] { com->SetDtrControl(dtrEnable); }, "Dtr control can only be set before ComInit()!"},
        {[&] { com->SetRtsControl(rtsEnable); }, "Rts control can only be set before ComInit()!"},
    };
    for (const auto& [setter, text] : refusals) EXPECT_EQ(ExceptionText(setter), AnsiString(text));
    EXPECT_EQ(com->Port(), 5u);
    com->ComClose();
    EXPECT_FALSE(com->Open());
    EXPECT_EQ(ReceiveDataEvent, nullptr);
    com->SetPortA(7);
    EXPECT_EQ(com->Port(), 7u);
}

TEST(MonitorObject, PinRuleAndNoticeTexts) {
    TRadon* radon = new TRadon(nullptr);
    radon->SetPin("1234");
    EXPECT_EQ(radon->GetPin(), AnsiString("1234"));
    const AnsiString length = "Invalid Pin value : Must contain 4 digits between 1-4";
    const AnsiString digits = "Invalid Pin value : Are all digits between 1-4?\nIs pin 4 digits long>";
    const std::pair<const char*, AnsiString> refused[] = {
        {"1235", digits}, {"0123", digits}, {"123", length}, {"12341", length}};
    for (const auto& [pin, text] : refused) {
        try {
            radon->SetPin(pin);
            ADD_FAILURE() << pin;
        } catch (const QMCRadonDataError& e) {
            EXPECT_EQ(e.GetText(), text) << pin;
        }
    }
    EXPECT_EQ(radon->GetPin(), AnsiString("1234"));
    EXPECT_EQ(radon->Errors[31], AnsiString("Test Delay Notice: Test delay timer overflowed."));
    EXPECT_EQ(radon->CF1, 0.0f);
    int month = 0, day = 0;
    radon->Julian2Gregorian(2008, 60, month, day);
    EXPECT_EQ(month, 2);
    EXPECT_EQ(day, 29);
    TObject::Free(radon);
}

TEST(MonitorObject, ComInitOnAMissingPortTellsTheCaller) {
    TRadon* radon = new TRadon(nullptr);
    radon->SetPortA(42);
    EXPECT_EQ(ExceptionText([&] { radon->ComInit(); }), AnsiString("Set Serial port before Starting"));
    TObject::Free(radon);
}

}  // namespace
