// The framework's INI-file class: a thin layer over the Windows profile-string functions.
// Every read and write goes to the file; nothing is cached here. A file name without a folder
// is resolved by the system in the Windows folder.
#pragma once

#include <string>
#include <vector>

namespace fw {

class TIniFile {
public:
    explicit TIniFile(std::string fileName) : fileName_(std::move(fileName)) {}

    const std::string& FileName() const { return fileName_; }

    // The value as the profile functions give it (blanks and one pair of quotes around it
    // removed), however long; the default when the value is missing.
    std::string ReadString(const std::string& section, const std::string& ident, const std::string& defaultText) const;
    // Raises EIniFileException ("Unable to write to %s") when the file cannot be written.
    void WriteString(const std::string& section, const std::string& ident, const std::string& value);
    // False when the value could not be deleted (the file cannot be changed).
    bool DeleteKey(const std::string& section, const std::string& ident);
    // Raises EIniFileException when the section cannot be erased.
    void EraseSection(const std::string& section);

    // The value names listed in the section, in file order.
    std::vector<std::string> ReadSection(const std::string& section) const;
    // The section holds at least one value.
    bool SectionExists(const std::string& section) const;
    // The value name is listed in the section, compared without regard to case.
    bool ValueExists(const std::string& section, const std::string& ident) const;

private:
    std::string fileName_;
};

} // namespace fw
