#include "frontend/startup/settings.h"

int16_t BGM_Mode = 0;
int16_t BGM_Track = 0;
std::string BGM_File;
