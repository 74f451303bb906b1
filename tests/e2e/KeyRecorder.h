#pragma once
// A window that writes every key message it receives to a file, one line
// each ("down 0x30", "char 0x7e", ...), until it is closed.
int RunKeyRecorder(const char* path, int x, int y);
