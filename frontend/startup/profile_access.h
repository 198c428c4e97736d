#pragma once

#include <string>

// The value of `key` in `section` of the settings file at `path`, whole; the empty
// text when the file, the section or the key is missing or the file cannot be read.
std::string INI_Read(const std::string& section, const std::string& key, const std::string& path);

// Sets `key` in `section` of the settings file at `path` to `value`, creating the
// file, section and key as needed and keeping every other line. The file is
// replaced in one step, so a failed write leaves the old one. Nothing is written
// when the existing file cannot be read or the texts cannot be stored; no failure
// is reported.
void INI_Write(const std::string& section, const std::string& key, const std::string& value,
               const std::string& path);
