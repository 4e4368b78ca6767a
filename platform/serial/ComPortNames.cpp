// Which Linux device a COM port number stands for.
#include "platform/serial/Comm.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cwctype>
#include <dirent.h>
#include <fstream>
#include <string>

namespace {

// Device families in the order their members are numbered COM1, COM2, ...
const char* const kFamilies[] = {"ttyS", "ttyUSB", "ttyACM"};

// A built-in UART slot without hardware reports port type 0 ("unknown") in sysfs; such slots are
// skipped so that the numbering is not filled with ports that cannot work.
bool IsAbsentUart(const std::string& name)
{
    if (name.compare(0, 4, "ttyS") != 0)
        return false;
    std::ifstream type("/sys/class/tty/" + name + "/type");
    int value = -1;
    return (type >> value) && value == 0;
}

std::vector<std::string> FoundDevices()
{
    std::vector<std::string> found;
    for (const char* family : kFamilies) {
        const std::string prefix = family;
        std::vector<std::pair<long, std::string>> members;
        if (DIR* dir = opendir("/dev")) {
            while (const dirent* entry = readdir(dir)) {
                const std::string name = entry->d_name;
                if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0)
                    continue;
                const std::string digits = name.substr(prefix.size());
                if (digits.size() > 6 || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
                    continue;
                if (!IsAbsentUart(name))
                    members.emplace_back(std::stol(digits), name);
            }
            closedir(dir);
        }
        std::sort(members.begin(), members.end());
        for (const auto& member : members)
            found.push_back("/dev/" + member.second);
    }
    return found;
}

std::string Override(int number)
{
    const std::string var = "TAVIX_COM" + std::to_string(number);
    const char* value = std::getenv(var.c_str());
    return value ? std::string(value) : std::string();
}

} // namespace

int ParseComPortName(LPCWSTR name)
{
    if (!name)
        return 0;
    std::wstring text = name;
    const std::wstring deviceNamespace = L"\\\\.\\";
    if (text.compare(0, deviceNamespace.size(), deviceNamespace) == 0)
        text.erase(0, deviceNamespace.size());
    if (text.size() < 4 || text.size() > 7)
        return 0;
    if (std::towupper(text[0]) != L'C' || std::towupper(text[1]) != L'O'
        || std::towupper(text[2]) != L'M')
        return 0;
    int number = 0;
    for (std::size_t i = 3; i < text.size(); ++i) {
        if (text[i] < L'0' || text[i] > L'9')
            return 0;
        number = number * 10 + (text[i] - L'0');
    }
    return (text[3] != L'0') ? number : 0;
}

std::string GetComPortDevicePath(int number)
{
    if (number < 1)
        return std::string();
    std::string path = Override(number);
    if (!path.empty())
        return path;
    const std::vector<std::string> found = FoundDevices();
    return std::size_t(number) <= found.size() ? found[std::size_t(number) - 1] : std::string();
}

std::vector<int> EnumerateComPorts()
{
    const std::size_t found = FoundDevices().size();
    std::vector<int> numbers;
    for (int n = 1; n <= 256; ++n)
        if (std::size_t(n) <= found || !Override(n).empty())
            numbers.push_back(n);
    return numbers;
}

std::wstring GetComPortDescription(int number)
{
    // A USB serial adapter is named after its maker and serial number in /dev/serial/by-id; the
    // link that resolves to the port's device gives the name. Found without opening the port.
    const std::string device = GetComPortDevicePath(number);
    if (device.empty())
        return std::wstring();
    std::string base = device.substr(device.find_last_of('/') + 1);
    std::string name;
    char resolvedDevice[PATH_MAX];
    const std::string target = realpath(device.c_str(), resolvedDevice) ? resolvedDevice : device;
    const std::string folder = "/dev/serial/by-id";
    if (DIR* dir = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            if (entry->d_name[0] == '.')
                continue;
            char resolved[PATH_MAX];
            const std::string link = folder + "/" + entry->d_name;
            if (realpath(link.c_str(), resolved) && target == resolved) {
                name = entry->d_name;
                break;
            }
        }
        closedir(dir);
    }
    std::string text = base;
    if (!name.empty())
        text += " " + name;
    return std::wstring(text.begin(), text.end());
}
