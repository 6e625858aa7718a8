#pragma once

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include <unistd.h>

// Points the registry at a file in a fresh directory of its own for the lifetime of the object;
// afterwards at the file it pointed at before (windows that store their placement when they go
// must not write the user's settings).
class TTemporaryRegistryFile {
public:
    TTemporaryRegistryFile() {
        if (const char* previous = std::getenv("ZENTARO_REGISTRY_FILE"))
            m_previous = previous;
        std::string pattern = (std::filesystem::temp_directory_path() / "zentaro-reg-XXXXXX");
        m_directory = ::mkdtemp(pattern.data());
        m_file = m_directory + "/registry.reg";
        ::setenv("ZENTARO_REGISTRY_FILE", m_file.c_str(), 1);
    }
    ~TTemporaryRegistryFile() {
        if (m_previous)
            ::setenv("ZENTARO_REGISTRY_FILE", m_previous->c_str(), 1);
        else
            ::unsetenv("ZENTARO_REGISTRY_FILE");
        std::error_code ignored;
        std::filesystem::remove_all(m_directory, ignored);
    }
    TTemporaryRegistryFile(const TTemporaryRegistryFile&) = delete;
    TTemporaryRegistryFile& operator=(const TTemporaryRegistryFile&) = delete;

    const std::string& Directory() const { return m_directory; }
    const std::string& File() const { return m_file; }

private:
    std::optional<std::string> m_previous;
    std::string m_directory;
    std::string m_file;
};
