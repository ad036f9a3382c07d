#include "framework/ole_container.h"

#include <ole2.h>

namespace {
bool g_oleInitialized = false;
}

bool AfxEnableControlContainer() {
    if (!g_oleInitialized)
        g_oleInitialized = SUCCEEDED(::OleInitialize(nullptr));
    return g_oleInitialized;
}

void AfxOleTerm() {
    if (g_oleInitialized) {
        ::OleUninitialize();
        g_oleInitialized = false;
    }
}
