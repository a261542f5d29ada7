#pragma once

#include <QString>

#include <memory>

class FileLock;
struct Platform;

// A run of MAME, as a caller judges it: how it ended, and the lock that one Korvane at a time
// holds over a program directory while it runs MAME into files there.

// How a run of the emulator with its output in a file or a pipe ended.
struct EmulatorRunResult
{
    enum class Status
    {
        NotStarted, // error says why
        Cancelled,  // the user ended it
        Stopped,    // its output could not be taken any more, and it was ended
        Ended,      // by itself: see exitedNormally and exitCode
    };

    Status status = Status::NotStarted;
    bool exitedNormally = false; // false when it crashed
    int exitCode = 0;
    QString program;
    QString error;
    bool outputFailed = false; // not started because the output file could not be made

    bool succeeded() const { return status == Status::Ended && exitedNormally && exitCode == 0; }
    // Ended by a signal rather than by itself: nothing it wrote can be trusted.
    bool crashed() const { return status == Status::Ended && !exitedNormally; }
};

// The lock that one Korvane at a time holds over a program directory while it updates the
// games list or verifies all sets, so that a second one cannot spoil the first one's list or
// report. When another living Korvane holds it, the user is told, *refused is set and
// nullptr returned: start nothing. When the lock cannot be made at all (KvCfg missing or
// read-only), nullptr is returned too, without *refused: the command goes on and meets that
// failure itself.
std::unique_ptr<FileLock> lockProgramDirectory(Platform& platform, bool* refused);
