// Host-installable services with headless defaults. A host (the Qt program) installs handlers;
// tests replace them to observe calls. Passing an empty function restores the default.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/window.h"

namespace platform {

// Message box flags and results (the classic values).
inline constexpr unsigned MB_OK = 0x0;
inline constexpr unsigned MB_OKCANCEL = 0x1;
inline constexpr unsigned MB_YESNO = 0x4;
inline constexpr unsigned MB_ICONSTOP = 0x10;
inline constexpr unsigned MB_ICONQUESTION = 0x20;
inline constexpr unsigned MB_ICONEXCLAMATION = 0x30;
inline constexpr unsigned MB_ICONINFORMATION = 0x40;
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

using MessageBoxHandler = std::function<int(HWND owner, const std::string& text,
                                            const std::string& caption, unsigned flags)>;
// Default: writes caption and text to standard error and returns IDOK.
int MessageBox(HWND owner, const std::string& text, const std::string& caption, unsigned flags);
void SetMessageBoxHandler(MessageBoxHandler handler);

// Processes the host's pending messages once. Default: nothing.
void ProcessPendingMessages();
void SetProcessMessagesHandler(std::function<void()> handler);

// System colour indices (the classic ones; COLOR_BTNFACE is the one the program uses most).
inline constexpr int COLOR_WINDOW = 5;
inline constexpr int COLOR_WINDOWTEXT = 8;
inline constexpr int COLOR_BTNFACE = 15;
inline constexpr int kSysColorCount = 31;

// The system colour of an index 0..30 as a Windows colour value (0x00BBGGRR). Default: the classic
// desktop scheme; 0 for an index out of range.
uint32_t GetSysColor(int index);
void SetSysColorHandler(std::function<uint32_t(int index)> handler);

// The screen's bits per pixel: 32 unless a test or host sets another value.
int GetScreenBitsPerPixel();
void SetScreenBitsPerPixel(int bits);

}  // namespace platform
