// Whole files as bytes in a string, read and written in binary mode.
#pragma once

#include <string>

// The file's bytes; empty when it cannot be read.
std::string ReadFile(const std::string& path);
// Replaces the file's content; false when it cannot be written.
bool WriteText(const std::string& path, const std::string& text);
