#pragma once

#include <string>
#include <vector>

// The most recently used files, newest first, kept in the profile.
class CRecentFileList {
public:
    CRecentFileList(std::string section, std::string entryFormat, int nSize)
        : m_section(std::move(section)), m_entryFormat(std::move(entryFormat)), m_nSize(nSize) {}

    int GetSize() const { return m_nSize; }
    int GetCount() const { return static_cast<int>(m_files.size()); }
    const std::string& operator[](int i) const { return m_files[static_cast<std::size_t>(i)]; }
    void Add(const std::string& path);
    void Remove(int index);
    // The menu text of entry i: "&1 name", the folder shown only when two names are alike.
    std::string GetDisplayName(int index) const;

    void ReadList();
    void WriteList() const;

private:
    std::string EntryName(int i) const;

    std::string m_section;
    std::string m_entryFormat;   // "File%d"
    int m_nSize;
    std::vector<std::string> m_files;
};
