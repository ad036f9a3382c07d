// A realistic fax document for the benchmark: fine-resolution pages of typed text.
#pragma once

#include <string>

// How the pages are stored: one strip per page with RowsPerStrip stated (as fax software
// stores received faxes), one strip without RowsPerStrip, or 256 x 256 tiles.
enum class FaxLayout { Strips, NoRowsPerStrip, Tiles };

// Writes `pages` pages of 1728 x 2200 pixels at 204 x 196 dpi, Group 3 two-dimensional.
bool WriteFaxDocument(const std::string& path, int pages, FaxLayout layout = FaxLayout::Strips);
