// Loading and saving the page file, and the developer's BMP-to-page converter.
#pragma once

int LoadPage(const char* path);
int SavePage(const char* path);
int ConvertBmpToPage(const char* bmpPath, const char* pagePath);
