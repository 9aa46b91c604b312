// Saves the whole screen as a 24-bit BMP file.
#pragma once

#include <string>

bool SaveScreenBitmap(const std::string& path);
