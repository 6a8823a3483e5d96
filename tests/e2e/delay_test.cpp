// Delay on a real message queue under Wine: it keeps the window's messages
// flowing for the whole wait and returns no sooner than asked. It also
// prints the processor time the wait used, the figure the project reports.
#include "system/Delay.h"

#include <cstdio>

#include "Fixture.h"
#include "platform/win32/Win32SystemInfo.h"

namespace pellinor::e2e {
namespace {

// The one window of this test: message-only, with a queue of its own
// thread, pumped as the program's window pumps its own.
class QueueWindow : public MessagePump {
  public:
    QueueWindow() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"PellinorDelayTest";
        ::RegisterClassW(&windowClass);
        handle_ = ::CreateWindowExW(0, L"PellinorDelayTest", L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                    nullptr, windowClass.hInstance, nullptr);
        ::SetWindowLongPtrW(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~QueueWindow() override { ::DestroyWindow(handle_); }

    HWND handle() const { return handle_; }
    int posted = 0;
    int timerTicks = 0;

    void ProcessMessages() override {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    void WaitForMessage(uint32_t timeoutMs) override {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs, QS_ALLINPUT);
    }

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<QueueWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self && message == WM_APP) {
            ++self->posted;
            return 0;
        }
        if (self && message == WM_TIMER) {
            ++self->timerTicks;
            return 0;
        }
        return ::DefWindowProcW(window, message, wParam, lParam);
    }

    HWND handle_ = nullptr;
};

uint64_t ThreadCpuMs() {
    FILETIME created{}, ended{}, kernel{}, user{};
    ::GetThreadTimes(::GetCurrentThread(), &created, &ended, &kernel, &user);
    auto ms = [](const FILETIME& t) {
        return ((static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000;
    };
    return ms(kernel) + ms(user);
}

using DelayTest = WineTest;

TEST_F(DelayTest, PumpsMessagesForTheWholeWait) {
    QueueWindow window;
    Win32SystemInfo system;
    ASSERT_NE(window.handle(), nullptr);
    ::PostMessageW(window.handle(), WM_APP, 0, 0);
    ::SetTimer(window.handle(), 1, 100, nullptr);

    const uint64_t cpuBefore = ThreadCpuMs();
    const DWORD start = ::GetTickCount();
    Delay(window, system, 1000);
    const DWORD elapsed = ::GetTickCount() - start;
    const uint64_t cpu = ThreadCpuMs() - cpuBefore;
    ::KillTimer(window.handle(), 1);

    EXPECT_GE(elapsed, 1000u);
    EXPECT_EQ(window.posted, 1);
    // The first timer message comes 100 ms into the wait: any at all were
    // pumped while waiting, not only at the start.
    EXPECT_GE(window.timerTicks, 2);
    std::printf("[ Delay(1000) ] wall %lu ms, processor %llu ms, %d timer messages\n",
                static_cast<unsigned long>(elapsed), static_cast<unsigned long long>(cpu),
                window.timerTicks);
    RecordProperty("delay_1000_cpu_ms", static_cast<int>(cpu));
}

TEST_F(DelayTest, ZeroReturnsWithoutPumping) {
    QueueWindow window;
    Win32SystemInfo system;
    ::PostMessageW(window.handle(), WM_APP, 0, 0);
    Delay(window, system, 0);
    EXPECT_EQ(window.posted, 0);
    window.ProcessMessages();
    EXPECT_EQ(window.posted, 1);
}

}  // namespace
}  // namespace pellinor::e2e
