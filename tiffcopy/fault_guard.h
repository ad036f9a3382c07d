// Runs one piece of work so that an access fault raised inside it (a null or wild pointer
// in a codec, say) abandons the work instead of ending the process.
#pragma once

// True when this build catches faults; the sanitizer and fuzz builds leave them to the
// sanitizers (TIFFCOPY_NO_FAULT_GUARD).
bool FaultGuardCompiledIn();

// Calls work(context). Returns false when a fault was caught, which abandoned the call
// midway: whatever the work had not released stays as it was. Not re-entrant.
bool RunGuarded(void (*work)(void*), void* context);
