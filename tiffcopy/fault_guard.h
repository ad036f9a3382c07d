// Runs one piece of work so that a fault raised inside it on the calling thread (a null or wild
// pointer, a division by zero, a jump into garbage in a codec, say) abandons the work instead of
// ending the process.
#pragma once

// True when this build catches faults; the sanitizer and fuzz builds leave them to the
// sanitizers (TIFFCOPY_NO_FAULT_GUARD).
bool FaultGuardCompiledIn();

// Calls work(context). Returns false when a fault was caught, which abandoned the call
// midway: whatever the work had not released stays as it was. Not re-entrant.
bool RunGuarded(void (*work)(void*), void* context);
