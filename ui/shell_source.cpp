#include "ui/shell_source.h"

ShellSource g_shellSource = {&::SHGetDesktopFolder, &::SHGetMalloc};
