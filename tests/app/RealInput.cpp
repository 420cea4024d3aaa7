#include "tests/app/RealInput.h"

#include "tests/app/driver/VexiloSession.h"

namespace {

// SendInput's absolute mouse coordinates run from 0 to 65535 over the primary screen.
LONG Absolute(LONG pixel, int screenSize)
{
    return static_cast<LONG>((static_cast<long long>(pixel) * 65535 + screenSize / 2) / (screenSize - 1));
}

INPUT MouseInput(POINT screen, DWORD flags, LONG data = 0)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = Absolute(screen.x, GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = Absolute(screen.y, GetSystemMetrics(SM_CYSCREEN));
    input.mi.mouseData = static_cast<DWORD>(data);
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    return input;
}

}  // namespace

bool BringToFront(HWND topLevel)
{
    SetForegroundWindow(topLevel);
    return WaitUntil([topLevel] { return GetForegroundWindow() == topLevel; }, 5000);
}

void PressKey(WORD virtualKey)
{
    PressChord({virtualKey});
}

void PressChord(const std::vector<WORD>& keys)
{
    std::vector<INPUT> inputs(2 * keys.size());
    size_t down = 0;
    size_t up = inputs.size();
    for (WORD key : keys) {
        for (INPUT* input : {&inputs[down++], &inputs[--up]}) {
            input->type = INPUT_KEYBOARD;
            input->ki.wVk = key;
            input->ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
        }
        inputs[up].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void ClickAt(POINT screen, bool rightButton)
{
    const DWORD down = rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    const DWORD up = rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    INPUT inputs[3] = {MouseInput(screen, 0), MouseInput(screen, down), MouseInput(screen, up)};
    SendInput(3, inputs, sizeof(INPUT));
}

void WheelAt(POINT screen, int distance)
{
    INPUT inputs[2] = {MouseInput(screen, 0), MouseInput(screen, MOUSEEVENTF_WHEEL, distance)};
    SendInput(2, inputs, sizeof(INPUT));
}

POINT CenterOf(HWND window)
{
    const RECT rect = VexiloSession::ScreenRect(window);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}
