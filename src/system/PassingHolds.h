// Riding out the moment for which another program holds a file we work on.
#pragma once

#include <functional>

// Virus scanners, indexers and backup programs open a file for a moment just after it
// was written, closed or replaced. An operation on the file in that moment fails with a
// sharing violation, a lock violation or "access denied", and a moment later would
// succeed; Wine shows the same only when a test holds the file.
//
// Calls attempt, which reports failure through its result and the thread's last error,
// until it succeeds, fails with an error that is no passing hold, or about three
// seconds have gone by (the waits grow from 20 ms to half a second). Returns attempt's
// last result, with its error still the thread's last error. A file held for good
// therefore costs three seconds, which keeps the window (disabled meanwhile) well
// inside the time after which Windows calls it not responding.
bool RetryWhileHeld(const std::function<bool()>& attempt);
