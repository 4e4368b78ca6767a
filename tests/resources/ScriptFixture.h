// Compiles small resource scripts for the tests, in a private temporary folder that also
// holds the header and the image files the scripts refer to.
#pragma once

#include "resources/ResourceTables.h"
#include "tools/rc/RcError.h"
#include "tools/rc/RcParser.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

class ScriptFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "_" + info->name();
        for (char& c : name)
            if (c == '/') c = '_';
        m_dir = std::filesystem::temp_directory_path() / ("tavix_rc_test_" + name + "_" + std::to_string(::getpid()));
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    void writeFile(const std::string& name, const std::string& bytes) const
    {
        std::ofstream out(m_dir / name, std::ios::binary);
        out << bytes;
    }

    ResourceSet compile(const std::string& script) const
    {
        return rc::CompileScriptText(script, (m_dir / "test.rc").string(), m_dir.string());
    }

    // Compiles a script that must fail; returns the error.
    rc::RcError compileError(const std::string& script) const
    {
        try {
            compile(script);
        } catch (const rc::RcError& e) {
            return e;
        }
        ADD_FAILURE() << "script compiled without error:\n" << script;
        return rc::RcError("", 0, "");
    }

    std::filesystem::path m_dir;
};
