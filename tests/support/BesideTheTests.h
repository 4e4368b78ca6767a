// Where a test leaves the pictures it writes for a person to look at: next to its own binary, so
// running a test from any folder (the source tree included) never litters that folder.
#pragma once

#include <filesystem>
#include <string>
#include <system_error>

inline std::string BesideTheTests(const std::string& name)
{
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? name : (exe.parent_path() / name).string();
}
