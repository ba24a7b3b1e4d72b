// Message boxes with the flags and answers of the original window system.
// When no display can show the box, the text goes to stderr and the default
// answer (the first button) is taken.
#pragma once

// Buttons.
constexpr unsigned MB_OK = 0x00000000;
constexpr unsigned MB_YESNO = 0x00000004;
// Icons.
constexpr unsigned MB_ICONSTOP = 0x00000010;
constexpr unsigned MB_ICONERROR = MB_ICONSTOP;
constexpr unsigned MB_ICONEXCLAMATION = 0x00000030;
constexpr unsigned MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr unsigned MB_ICONINFORMATION = 0x00000040;

// Answers.
constexpr int IDOK = 1;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// `owner` is unused (boxes are modal over whatever window exists); kept so
// callers read like the rest of the engine's window code.
int MessageBoxA(void* owner, const char* text, const char* caption, unsigned flags);
