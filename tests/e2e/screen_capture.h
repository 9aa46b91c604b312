// Saves the whole screen, or one area of it, as a 24-bit BMP file.
#pragma once

#include <windows.h>

#include <string>

bool SaveScreenBitmap(const std::string& path, const RECT* area = nullptr);
