// Program entry of quil.exe and quilview.exe (Win32 build).
// For now the smallest window program: it opens one main window and ends cleanly.
#include <windows.h>

static LRESULT CALLBACK StatusWndProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        const wchar_t text[] = L"quil";
        TextOutW(dc, 20, 20, text, 4);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = StatusWndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"KORV_R27K32_384_Status";
    if (!RegisterClassExW(&wc)) return 1;
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"quil", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  40, 40, 800, 600, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    ShowWindow(window, show);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
