#include "framework/CRecentFileList.h"

#include "framework/Backend.h"

#include <algorithm>

void CRecentFileList::Add(const std::string& path)
{
    if (path.empty())
        return;
    m_files.erase(std::remove(m_files.begin(), m_files.end(), path), m_files.end());
    m_files.insert(m_files.begin(), path);
    if (static_cast<int>(m_files.size()) > m_nSize)
        m_files.resize(static_cast<std::size_t>(m_nSize));
}

void CRecentFileList::Remove(int index)
{
    if (index >= 0 && index < GetCount())
        m_files.erase(m_files.begin() + index);
}

static std::string BaseName(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string CRecentFileList::GetDisplayName(int index) const
{
    const std::string& path = m_files[static_cast<std::size_t>(index)];
    const std::string base = BaseName(path);
    const bool ambiguous = std::count_if(m_files.begin(), m_files.end(), [&](const std::string& p) {
                               return BaseName(p) == base;
                           }) > 1;
    std::string shown = ambiguous ? path : base;
    // A literal '&' must not become a mnemonic.
    std::string escaped;
    for (char c : shown) {
        if (c == '&')
            escaped += '&';
        escaped += c;
    }
    return "&" + std::to_string(index + 1) + " " + escaped;
}

std::string CRecentFileList::EntryName(int i) const
{
    std::string name = m_entryFormat;
    const auto pos = name.find("%d");
    if (pos != std::string::npos)
        name.replace(pos, 2, std::to_string(i + 1));
    return name;
}

void CRecentFileList::ReadList()
{
    m_files.clear();
    CBackend* pBackend = AfxGetBackend();
    if (!pBackend)
        return;
    for (int i = 0; i < m_nSize; ++i) {
        std::string path = pBackend->GetProfileString(m_section, EntryName(i));
        if (!path.empty() && std::find(m_files.begin(), m_files.end(), path) == m_files.end())
            m_files.push_back(std::move(path));
    }
}

void CRecentFileList::WriteList() const
{
    CBackend* pBackend = AfxGetBackend();
    if (!pBackend)
        return;
    for (int i = 0; i < m_nSize; ++i)
        pBackend->WriteProfileString(m_section, EntryName(i), i < GetCount() ? m_files[static_cast<std::size_t>(i)] : std::string());
    pBackend->FlushProfile();
}
