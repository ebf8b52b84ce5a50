#pragma once
#include <csignal>

// SIGINT and SIGTERM: the signals that ask the game to stop (Ctrl+C, kill, timeout, a
// session ending). The main thread takes them; every thread the game starts blocks them.
// NOTE: library threads are left to their libraries (Mesa's block every signal, SDL's both
// stop signals; the stop handler is safe on any thread). Their start-ups are not run under
// the block: the sound start-up may fork the session bus's auto-launch helper, which would
// keep a block it inherited for good.
inline constexpr int stopSignalNumbers[] = {SIGINT, SIGTERM};
// The stop signals as a set, for a mask or a handler's sa_mask.
sigset_t stopSignalSet();

// Blocks the stop signals in the calling thread and returns the mask it had. A thread
// created until restoreSignalMask inherits the block from its first instruction on.
sigset_t blockStopSignals();
// Sets the calling thread's mask back to `previous`, as blockStopSignals returned it.
void restoreSignalMask(const sigset_t& previous);
