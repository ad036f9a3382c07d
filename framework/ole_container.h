// OLE for the controls that dialogs host.
#pragma once

// Initialises OLE on the user-interface thread so that dialogs can create OLE controls.
// Returns false when OLE could not be initialised.
bool AfxEnableControlContainer();
// Undoes AfxEnableControlContainer at the end of the program.
void AfxOleTerm();
