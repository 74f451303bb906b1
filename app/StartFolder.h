#pragma once
// The folder the program keeps its three files in is the current one.
// Started from the Run key or the Task Scheduler, the current folder is the
// Windows system folder: the files are then beside kwibra.exe. Any other
// current folder is the user's choice and stays.
void LeaveSystemFolder();
