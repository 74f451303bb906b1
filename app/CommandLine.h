#pragma once
// The command line knows one option: a hyphen directly followed by o or O,
// anywhere after the leading blanks, asks for the non-resident mode.
bool RequestsNonResident(const char* commandLine);
