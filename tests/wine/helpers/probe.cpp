// Test helper run under Wine beside drowsel.scr. One command per run:
//   probe running            prints the system's screen-saver-running flag (0 or 1)
//   probe screen             prints the screen size: "<width> <height>"
//   probe find               prints every window of class "OpenGL" titled "SaverWindow":
//                            "hwnd=<n> parent=<n> style=<hex> exstyle=<hex> x=<n> y=<n>
//                             width=<n> height=<n> pid=<n>", one line each
//   probe windows            prints every top-level window: "hwnd=<n> visible=<0|1> pid=<n>
//                            class=<class> title=<title>", one line each
//   probe parent W H         opens a window of outer size W x H, prints its number and
//                            keeps it until it is closed or 120 s have passed
//   probe cover X Y W H      opens a bright green window there, standing for what the
//                            desktop shows, and keeps it until ended
//   probe close <hwnd>       posts WM_CLOSE to the window
//   probe resize <hwnd> W H  gives the window an outer size of W x H
//   probe mode W H           changes the display mode, as docking a laptop does, keeps
//                            the cursor on the screen as Windows does, and prints
//                            ChangeDisplaySettings' result (0: changed)
//   probe syscommand <hwnd> <command>  sends WM_SYSCOMMAND, prints nothing
//   probe storm <hwnd> <count>  posts count mouse moves and key presses at once
//   probe resources <file>   prints what the program carries, one "name ok|missing" line each
//   probe control <title> <id>
//                            prints the screen rectangle, check state and whether it takes
//                            input, of control id in the top-level window of that title:
//                            "x y width height checked enabled"
//   probe power <hwnd> <state>  tells the window's process, as Windows does, that the
//                            console display is now off (0), on (1) or dimmed (2)
//   probe textwidth <title> <text>
//                            prints the width of the static showing text in that window and
//                            the width of the text in the static's font: "control text"
//   probe exitcode <command line>
//                            runs the command line as a deployment tool does, waits for it
//                            (up to 180 s) and prints its whole 32-bit exit code
//   probe starter <title>    prints the file name of the program that started the process
//                            of the top-level window of that title ("explorer.exe")
//   probe hold <file>        opens the file sharing nothing, prints "held" and keeps it
//                            open for 120 s or until it is ended
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void describe(HWND window) {
    RECT outer{};
    GetWindowRect(window, &outer);
    HWND parent = GetParent(window);
    POINT origin{outer.left, outer.top};
    if (parent != nullptr) {
        ScreenToClient(parent, &origin);
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    std::printf("hwnd=%lld parent=%lld style=%08lx exstyle=%08lx x=%ld y=%ld width=%ld "
                "height=%ld pid=%lu\n",
                static_cast<long long>(reinterpret_cast<intptr_t>(window)),
                static_cast<long long>(reinterpret_cast<intptr_t>(parent)),
                static_cast<unsigned long>(GetWindowLongA(window, GWL_STYLE)),
                static_cast<unsigned long>(GetWindowLongA(window, GWL_EXSTYLE)), origin.x, origin.y,
                outer.right - outer.left, outer.bottom - outer.top,
                static_cast<unsigned long>(processId));
}

bool isSaverWindow(HWND window) {
    char className[64] = {};
    char title[64] = {};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, title, sizeof title);
    return std::strcmp(className, "OpenGL") == 0 && std::strcmp(title, "SaverWindow") == 0;
}

BOOL CALLBACK visitChild(HWND window, LPARAM) {
    if (isSaverWindow(window)) {
        describe(window);
    }
    return TRUE;
}

BOOL CALLBACK listTopLevel(HWND window, LPARAM) {
    char className[64] = {};
    char title[64] = {};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, title, sizeof title);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    std::printf("hwnd=%lld visible=%d pid=%lu class=%s title=%s\n",
                static_cast<long long>(reinterpret_cast<intptr_t>(window)),
                IsWindowVisible(window) ? 1 : 0, static_cast<unsigned long>(processId), className,
                title);
    return TRUE;
}

BOOL CALLBACK visitTopLevel(HWND window, LPARAM) {
    if (isSaverWindow(window)) {
        describe(window);
    }
    EnumChildWindows(window, visitChild, 0);
    return TRUE;
}

LRESULT CALLBACK parentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int openParent(int width, int height) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = parentProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = "ProbeParent";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "ProbeParent", "Preview parent",
                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 40, 30, width,
                                  height, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    std::printf("%lld\n", static_cast<long long>(reinterpret_cast<intptr_t>(window)));
    std::fflush(stdout);
    SetTimer(window, 1, 120000, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER) {
            DestroyWindow(window);
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

int openCover(int x, int y, int width, int height) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = CreateSolidBrush(RGB(0, 255, 0));
    windowClass.lpszClassName = "ProbeCover";
    RegisterClassA(&windowClass);
    if (CreateWindowExA(0, "ProbeCover", "Desktop stand-in", WS_POPUP | WS_VISIBLE, x, y, width,
                        height, nullptr, nullptr, windowClass.hInstance, nullptr) == nullptr) {
        return 1;
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        DispatchMessageA(&message);
    }
    return 0;
}

// The setting lives in the receiver's memory: a window message carries only its address.
int sendDisplayState(HWND window, DWORD state) {
    const GUID consoleDisplayState = {
        0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
    POWERBROADCAST_SETTING setting[2] = {}; // room for the four bytes of Data
    setting[0].PowerSetting = consoleDisplayState;
    setting[0].DataLength = sizeof state;
    std::memcpy(setting[0].Data, &state, sizeof state);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
    if (process == nullptr) {
        return 1;
    }
    void* remote = VirtualAllocEx(process, nullptr, sizeof setting, MEM_COMMIT, PAGE_READWRITE);
    int result = 1;
    if (remote != nullptr &&
        WriteProcessMemory(process, remote, setting, sizeof setting, nullptr)) {
        SendMessageA(window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE,
                     reinterpret_cast<LPARAM>(remote));
        result = 0;
    }
    if (remote != nullptr) {
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return result;
}

int printExitCode(const char* commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    char line[2048] = {};
    std::strncpy(line, commandLine, sizeof line - 1);
    if (!CreateProcessA(nullptr, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::printf("not started %lu\n", GetLastError());
        return 1;
    }
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process.hProcess, 180000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &code);
        std::printf("%lu\n", code);
    } else {
        std::printf("still running\n");
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}

// The parent is what ntdll's basic information calls InheritedFromUniqueProcessId.
int printStarter(const char* title) {
    HWND window = FindWindowA(nullptr, title);
    DWORD processId = 0;
    if (window == nullptr || GetWindowThreadProcessId(window, &processId) == 0) {
        return 1;
    }
    using QueryInformation = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    auto query = reinterpret_cast<QueryInformation>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    ULONG_PTR basic[6] = {}; // PROCESS_BASIC_INFORMATION; the parent's id is last
    const bool known = process != nullptr && query != nullptr &&
                       query(process, 0, basic, sizeof basic, nullptr) == 0;
    if (process != nullptr) {
        CloseHandle(process);
    }
    HANDLE parent =
        known ? OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(basic[5]))
              : nullptr;
    char path[MAX_PATH] = {};
    DWORD size = sizeof path;
    if (parent == nullptr || !QueryFullProcessImageNameA(parent, 0, path, &size)) {
        return 1;
    }
    CloseHandle(parent);
    const char* name = std::strrchr(path, '\\');
    std::printf("%s\n", name != nullptr ? name + 1 : path);
    return 0;
}

int holdFile(const char* path) {
    HANDLE file = CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 1;
    }
    std::printf("held\n");
    std::fflush(stdout);
    Sleep(120000);
    CloseHandle(file);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return 2;
    }
    const char* command = argv[1];
    if (std::strcmp(command, "exitcode") == 0 && argc == 3) {
        return printExitCode(argv[2]);
    }
    if (std::strcmp(command, "starter") == 0 && argc == 3) {
        return printStarter(argv[2]);
    }
    if (std::strcmp(command, "hold") == 0 && argc == 3) {
        return holdFile(argv[2]);
    }
    if (std::strcmp(command, "running") == 0) {
        BOOL running = FALSE;
        SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
        std::printf("%d\n", running ? 1 : 0);
        return 0;
    }
    if (std::strcmp(command, "screen") == 0) {
        std::printf("%d %d\n", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
        return 0;
    }
    if (std::strcmp(command, "find") == 0) {
        EnumWindows(visitTopLevel, 0);
        return 0;
    }
    if (std::strcmp(command, "windows") == 0) {
        EnumWindows(listTopLevel, 0);
        return 0;
    }
    if (std::strcmp(command, "cover") == 0 && argc == 6) {
        return openCover(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]),
                         std::atoi(argv[5]));
    }
    if (std::strcmp(command, "parent") == 0 && argc == 4) {
        return openParent(std::atoi(argv[2]), std::atoi(argv[3]));
    }
    if (std::strcmp(command, "close") == 0 && argc == 3) {
        HWND window = reinterpret_cast<HWND>(static_cast<intptr_t>(std::atoll(argv[2])));
        return PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    if (std::strcmp(command, "resize") == 0 && argc == 5) {
        HWND window = reinterpret_cast<HWND>(static_cast<intptr_t>(std::atoll(argv[2])));
        return SetWindowPos(window, nullptr, 0, 0, std::atoi(argv[3]), std::atoi(argv[4]),
                            SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE)
                   ? 0
                   : 1;
    }
    if (std::strcmp(command, "mode") == 0 && argc == 4) {
        DEVMODEA mode{};
        mode.dmSize = sizeof mode;
        mode.dmPelsWidth = static_cast<DWORD>(std::atoi(argv[2]));
        mode.dmPelsHeight = static_cast<DWORD>(std::atoi(argv[3]));
        mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
        const LONG result = ChangeDisplaySettingsA(&mode, 0);
        POINT cursor{};
        GetCursorPos(&cursor);
        const LONG right = GetSystemMetrics(SM_CXSCREEN) - 1;
        const LONG bottom = GetSystemMetrics(SM_CYSCREEN) - 1;
        SetCursorPos(cursor.x < right ? cursor.x : right, cursor.y < bottom ? cursor.y : bottom);
        std::printf("%ld\n", result);
        return 0;
    }
    if (std::strcmp(command, "syscommand") == 0 && argc == 4) {
        HWND window = reinterpret_cast<HWND>(static_cast<intptr_t>(std::atoll(argv[2])));
        SendMessageA(window, WM_SYSCOMMAND, static_cast<WPARAM>(std::strtoul(argv[3], nullptr, 0)),
                     0);
        return 0;
    }
    if (std::strcmp(command, "power") == 0 && argc == 4) {
        HWND window = reinterpret_cast<HWND>(static_cast<intptr_t>(std::atoll(argv[2])));
        return sendDisplayState(window, static_cast<DWORD>(std::strtoul(argv[3], nullptr, 0)));
    }
    if (std::strcmp(command, "storm") == 0 && argc == 4) {
        HWND window = reinterpret_cast<HWND>(static_cast<intptr_t>(std::atoll(argv[2])));
        const int count = std::atoi(argv[3]);
        for (int index = 0; index < count; ++index) {
            PostMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(index % 640, index % 480));
            PostMessageA(window, WM_KEYDOWN, 'A', 0);
        }
        return 0;
    }
    if (std::strcmp(command, "resources") == 0 && argc == 3) {
        HMODULE module = LoadLibraryExA(argv[2], nullptr, LOAD_LIBRARY_AS_DATAFILE);
        if (module == nullptr) {
            return 1;
        }
        const WORD english = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
        struct Wanted {
            const char* name;
            LPCSTR type;
            LPCSTR identifier;
        } wanted[] = {
            {"dialog104", MAKEINTRESOURCEA(5), MAKEINTRESOURCEA(104)},
            {"strings1", MAKEINTRESOURCEA(6), MAKEINTRESOURCEA(1)},
            {"icongroup1", MAKEINTRESOURCEA(14), MAKEINTRESOURCEA(1)},
            {"manifest1", MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1)},
            {"version1", MAKEINTRESOURCEA(16), MAKEINTRESOURCEA(1)},
            {"JPEG_TAVO_RGB", MAKEINTRESOURCEA(10), "JPEG_TAVO_RGB"},
            {"JPEG_TAVO_MASK", MAKEINTRESOURCEA(10), "JPEG_TAVO_MASK"},
            {"LOGO_MASK", MAKEINTRESOURCEA(10), "LOGO_MASK"},
        };
        for (const Wanted& item : wanted) {
            HRSRC found = FindResourceExA(module, item.type, item.identifier, english);
            if (found == nullptr) {
                std::printf("%s missing\n", item.name);
            } else {
                std::printf("%s ok %lu\n", item.name,
                            static_cast<unsigned long>(SizeofResource(module, found)));
            }
        }
        char text[64] = {};
        LoadStringA(module, 1, text, sizeof text);
        std::printf("string1=%s\n", text);
        FreeLibrary(module);
        return 0;
    }
    if (std::strcmp(command, "textwidth") == 0 && argc == 4) {
        HWND dialog = FindWindowA(nullptr, argv[2]);
        HWND control = nullptr;
        for (HWND child = dialog != nullptr ? GetWindow(dialog, GW_CHILD) : nullptr;
             child != nullptr && control == nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
            char text[128] = {};
            GetWindowTextA(child, text, sizeof text);
            control = std::strcmp(text, argv[3]) == 0 ? child : nullptr;
        }
        if (control == nullptr) {
            return 1;
        }
        RECT client{};
        GetClientRect(control, &client);
        HDC deviceContext = GetDC(control);
        HGDIOBJ previous = SelectObject(
            deviceContext, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
        SIZE extent{};
        GetTextExtentPoint32A(deviceContext, argv[3], static_cast<int>(std::strlen(argv[3])),
                              &extent);
        SelectObject(deviceContext, previous);
        ReleaseDC(control, deviceContext);
        std::printf("%ld %ld\n", client.right, extent.cx);
        return 0;
    }
    if (std::strcmp(command, "control") == 0 && argc == 4) {
        // Only a shown dialog counts: it is shown once its initialisation has set the controls.
        HWND dialog = FindWindowA(nullptr, argv[2]);
        HWND control = dialog != nullptr && IsWindowVisible(dialog)
                           ? GetDlgItem(dialog, std::atoi(argv[3]))
                           : nullptr;
        if (control == nullptr) {
            return 1;
        }
        RECT outer{};
        GetWindowRect(control, &outer);
        std::printf("%ld %ld %ld %ld %d %d\n", outer.left, outer.top, outer.right - outer.left,
                    outer.bottom - outer.top,
                    static_cast<int>(SendMessageA(control, BM_GETCHECK, 0, 0)),
                    IsWindowEnabled(control) ? 1 : 0);
        return 0;
    }
    return 2;
}
