#include "shell/winmain.h"

int main() { return WinMain(nullptr, nullptr, nullptr, 0); }
