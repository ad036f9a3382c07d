// The program's one application object.
#include "app/converter_app.h"

CConverterApp theApp;
