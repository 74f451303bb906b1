#pragma once
// What became of a save.
enum class SaveOutcome {
    Saved,
    Refused,  // a file that could not be read is never overwritten
    Failed,   // the system did not let the file be written
};
