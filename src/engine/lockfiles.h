#pragma once
// Taking a QLockFile that a stopped program may have left behind.
#include <QLockFile>

namespace zelk::lockfiles {

// Tries to take `lock` within `timeoutMs`. Besides the locks of programs that are gone
// (QLockFile takes those over itself), a lock file without a readable owner counts as
// free: it was left by a program stopped between making the file and writing its name in
// it, which would otherwise block every later program for good. A program that is just
// writing its name gets a moment to finish first.
bool take(QLockFile &lock, int timeoutMs);

} // namespace zelk::lockfiles
