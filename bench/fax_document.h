// A realistic fax document for the benchmark: fine-resolution pages of typed text.
#pragma once

#include <string>

// Writes `pages` pages of 1728 x 2200 pixels at 204 x 196 dpi, Group 3 two-dimensional, one
// strip per page with RowsPerStrip stated, as fax software stores received faxes.
bool WriteFaxDocument(const std::string& path, int pages);
