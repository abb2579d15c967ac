#pragma once

#include <SFML/Graphics/Color.hpp>

#include <string>

// A fresh folder under /tmp, removed with everything in it at the end of the
// test. With enter set it is also the working directory meanwhile, so code
// that reads "config.xml" or "data/" finds the test's own files.
class ScratchFolder
{
public:
    explicit ScratchFolder(bool enter = false);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }
    // Number of entries directly inside the folder.
    int CountEntries() const;
    bool Has(const std::string& name) const;
    // Removes the file if it is there.
    void Remove(const std::string& name) const;

    // Writes text to the file (folders created as needed).
    void Write(const std::string& name, const std::string& text) const;
    std::string Read(const std::string& name) const;
    // A PNG of one colour, for content fixtures.
    void WriteImage(const std::string& name, unsigned width, unsigned height, sf::Color colour) const;

private:
    void MakeFoldersFor(const std::string& name) const;

    std::string m_path;
    std::string m_previousDirectory;
};
