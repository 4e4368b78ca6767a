// tavix_rc: compiles resource scripts into a C++ source file with the resource tables.
//   tavix_rc -o out.cpp [-I dir]... [--depfile out.d] [--function name] script.rc...
// Errors are printed as "file:line: error: message" and the exit status is 1.

#include "tools/rc/RcEmitter.h"
#include "tools/rc/RcError.h"
#include "tools/rc/RcParser.h"
#include "tools/rc/RcPreprocessor.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>

namespace {

int Usage()
{
    std::cerr << "usage: tavix_rc -o out.cpp [-I dir]... [--depfile out.d] [--function name] script.rc...\n";
    return 2;
}

// Writes text to path through a temporary file renamed into place, so an interrupted run never
// leaves half a file. When the file already holds that text it is only touched: the build sees
// it up to date and nothing is rewritten.
bool WriteIfChanged(const std::string& path, const std::string& text)
{
    {
        std::ifstream in(path, std::ios::binary);
        if (in) {
            std::ostringstream old;
            old << in.rdbuf();
            if (old.str() == text) {
                std::error_code ec;
                std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::now(), ec);
                return !ec;
            }
        }
    }
    const std::string tmp = path + ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out << text;
        out.flush();
        if (!out) return false;
    }
    std::error_code ec;
    std::filesystem::rename(tmp, path, ec);
    return !ec;
}

std::string DepEscape(const std::string& path)
{
    std::string out;
    for (char c : path) {
        if (c == ' ' || c == '#') out += '\\';
        if (c == '$') out += '$';
        out += c;
    }
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    std::string output, depfile, function = "CompiledResources";
    std::vector<std::string> includeDirs, inputs;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-o" && i + 1 < argc) output = argv[++i];
        else if (arg == "-I" && i + 1 < argc) includeDirs.push_back(argv[++i]);
        else if (arg.rfind("-I", 0) == 0 && arg.size() > 2) includeDirs.push_back(arg.substr(2));
        else if (arg == "--depfile" && i + 1 < argc) depfile = argv[++i];
        else if (arg == "--function" && i + 1 < argc) function = argv[++i];
        else if (!arg.empty() && arg[0] == '-') return Usage();
        else inputs.push_back(arg);
    }
    if (output.empty() || inputs.empty()) return Usage();
    const bool identifier = !function.empty() && !std::isdigit(static_cast<unsigned char>(function[0])) &&
                            std::all_of(function.begin(), function.end(), [](unsigned char c) { return std::isalnum(c) || c == '_'; });
    if (!identifier) return Usage();

    try {
        ResourceSet set;
        std::set<std::string> deps;
        rc::ParseOptions options;
        options.includeDirs = includeDirs;
        options.filesRead = &deps;
        for (const std::string& input : inputs) {
            rc::RcPreprocessor pp(includeDirs);
            pp.processFile(input);
            deps.insert(pp.filesRead().begin(), pp.filesRead().end());
            rc::ParseScript(pp.tokens(), options, set);
        }
        std::ostringstream text;
        std::vector<std::string> names;
        for (const std::string& in : inputs) names.push_back(std::filesystem::path(in).filename().string());
        rc::EmitCpp(set, names, text, function);
        if (!WriteIfChanged(output, text.str())) {
            std::cerr << "tavix_rc: cannot write '" << output << "'\n";
            return 1;
        }
        if (!depfile.empty()) {
            std::string d = DepEscape(output) + ":";
            for (const std::string& dep : deps) d += " \\\n  " + DepEscape(dep);
            if (!WriteIfChanged(depfile, d + "\n")) {
                std::cerr << "tavix_rc: cannot write '" << depfile << "'\n";
                return 1;
            }
        }
    } catch (const rc::RcError& e) {
        std::cerr << e.where() << "\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "tavix_rc: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
